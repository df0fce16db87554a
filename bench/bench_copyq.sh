#!/usr/bin/env bash
# The same bursts, start-up and memory figures for CopyQ, each line starting "copyq".
# Usage (inside an X session): bench_copyq.sh BENCH_DIR RUNS
set -euo pipefail
bin=$1 runs=$2
home=$(mktemp -d)
trap 'copyq exit >/dev/null 2>&1 || true; rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

server() { # starts the server, waits until it answers, sets the pid
    copyq >/dev/null 2>&1 &
    pid=$!
    until copyq eval 1 >/dev/null 2>&1; do sleep 0.05; done
    copyq config maxitems 10000 >/dev/null
}
stop() {
    copyq exit >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
}
rss() {
    awk '/VmRSS/ {all = $2} /RssAnon/ {own = $2} END {printf "%.1f MB (own %.1f MB)", all / 1024, own / 1024}' \
        "/proc/$pid/status"
}
recorded() { # distinct burst clips in the history; empties it
    copyq eval 'var seen = {}, n = 0;
        for (var i = 0; i < size(); ++i) {
            var t = str(read(i));
            if (t.indexOf("burst-") == 0 && !seen[t]) { seen[t] = 1; ++n; }
        }
        while (size() > 0) remove(0);
        n'
}
burst() { # label, then the command making the copies
    local label=$1 counts=()
    shift
    for ((r = 0; r < runs; r++)); do
        # CopyQ skips a text equal to the last one it saw: the previous run's last copy.
        printf 'between runs' | xclip -selection clipboard -i
        sleep 0.5
        "$@" >/dev/null
        sleep 1.5
        counts+=("$(recorded)")
    done
    echo "copyq capture burst$label: ${counts[*]} of 200 recorded ($runs runs)"
}

server
sleep 3
idle=$(rss)
burst ", xclip shell loop" sh -c 'for i in $(seq 1 200); do printf "burst-%s" $i |
    xclip -selection clipboard -i; done'
for rate in 30 150 500 1000; do
    burst " at $rate copies/s" "$bin/burst_copier" 200 "$rate"
done
copyq eval 'var x = new Array(1014).join("x");
    for (var i = 0; i < 10000; ++i) add("clip " + i + " " + x);' >/dev/null
sleep 3
echo "copyq memory: idle $idle; with 10,000 clips of 1 KB $(rss)"
stop
echo "copyq $("$bin/bench_startup" --other 10 'copyq exit >/dev/null 2>&1' copyq --start-server show)"
