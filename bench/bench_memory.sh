#!/usr/bin/env bash
# Resident memory of the program, idle with an empty list and with 10,000 clips of 1 KB
# loaded, and of a bare Qt window for comparison; "own" is the memory no other process can
# share (RssAnon), the rest is mostly the shared libraries' code.
# Usage (inside an X session): bench_memory.sh PROGRAM BARE_WINDOW
set -euo pipefail
program=$1 bare=$2
rss() { # pid: its RSS and own memory in MB
    awk '/VmRSS/ {all = $2} /RssAnon/ {own = $2} END {printf "%.1f MB (own %.1f MB)", all / 1024, own / 1024}' \
        "/proc/$1/status"
}
measure() { # folder, settings: starts the program there and measures it after 3 s
    cp "$program" "$1/quillery"
    printf '%b' "$2" >"$1/Quillery.Ini"
    XDG_RUNTIME_DIR=$1 "$1/quillery" 2>/dev/null &
    local pid=$!
    sleep 3
    rss $pid
    kill $pid
    wait $pid 2>/dev/null || true
}
idle=$(mktemp -d) full=$(mktemp -d)
chmod 700 "$idle" "$full"
python3 - "$full/list.clp" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    for i in range(10000):
        f.write((("clip %05d " % i) + "x" * 1013).encode() + b"\r\n\x0c\r\n")
PY
echo "memory: idle $(measure "$idle" '[Options]\nSplash=0\n');" \
    "with 10,000 clips of 1 KB $(measure "$full" "[Options]\nSplash=0\nRows=10000\nDefaultFile=$full/list.clp\n")"
rm -rf "$idle" "$full"
"$bare" 2>/dev/null &
pid=$!
sleep 3
echo "memory of a bare Qt window with a menu bar: $(rss $pid)"
kill $pid
wait $pid 2>/dev/null || true
