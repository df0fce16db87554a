#!/usr/bin/env bash
# Resident memory of the program, idle with an empty list and with 10,000 clips of 1 KB
# loaded. Usage (inside an X session): bench_memory.sh PROGRAM
set -euo pipefail
program=$1
rss() { # folder, settings: starts the program there, prints its RSS in MB after 3 s
    cp "$program" "$1/quillery"
    printf '%b' "$2" >"$1/Quillery.Ini"
    XDG_RUNTIME_DIR=$1 "$1/quillery" 2>/dev/null &
    local pid=$!
    sleep 3
    awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"
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
echo "memory: idle $(rss "$idle" '[Options]\nSplash=0\n') MB;" \
    "with 10,000 clips of 1 KB $(rss "$full" "[Options]\nSplash=0\nRows=10000\nDefaultFile=$full/list.clp\n") MB"
rm -rf "$idle" "$full"
