#!/usr/bin/env bash
# Builds, prints the benchmark figures and writes them to bench/RESULTS.md with their goals
# and the machine. Not part of the test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
x="$here/tests/x11/xsession.sh"
bin="$here/build/bench"
program="$here/build/bin/quillery"
export QT_QPA_PLATFORM=xcb
log=$(mktemp)
trap 'rm -f "$log"' EXIT
exec > >(tee "$log")
echo "== capture of a burst of copies"
"$x" "$bin/bench_capture" 200 2>/dev/null           # xclip, as fast as a shell loop runs
for rate in 30 150 500 1000; do
    "$x" "$bin/bench_capture" 200 "$rate" 2>/dev/null
done
echo "== clip list files"
"$bin/bench_files" 100000 "$here/build"
echo "== find, replace, sort"
"$x" "$bin/bench_edit" 100000 2>/dev/null
echo "== zoom view"
"$x" "$bin/bench_zoom" 50 2>/dev/null
echo "== start-up"
"$x" "$bin/bench_startup" "$program" 10 2>/dev/null
echo "== series paste"
"$x" python3 "$here/bench/bench_paste.py" "$program" 20 2>/dev/null
echo "== memory"
"$x" "$here/bench/bench_memory.sh" "$program"

# The report: each figure with its goal and the line it was read from.
{
    echo "# Benchmark results"
    echo
    echo "Made by \`bench/run.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
        "$(awk -F: '/model name/ {print $2; exit}' /proc/cpuinfo | sed 's/^ *//')," \
        "$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
        "$(. /etc/os-release && echo "$PRETTY_NAME"), X server Xvfb with openbox."
    echo
    echo "| Figure | Goal | Result |"
    echo "|---|---|---|"
    row() { # figure, goal, the pattern of its line in the output, which match (1: the first)
        printf '| %s | %s | %s |\n' "$1" "$2" "$(grep -- "$3" "$log" | sed -n "${4:-1}p" | sed 's/|/\\|/g')"
    }
    row "burst capture, xclip shell loop" "every copy" "capture burst" 1
    n=2
    for rate in 30 150 500 1000; do
        goal="all 200"
        [[ $rate == 1000 ]] && goal="at least 199 of 200"
        row "burst capture at $rate copies/s" "$goal" "capture burst" $n
        n=$((n + 1))
    done
    row "start-up to the window" "under 100 ms" "start-up to the main window"
    row "memory" "idle under 30 MB" "memory:"
    row "hot key to pasted text" "at once" "hot key to text"
    row "save and load of 100,000 clips" "within twice a plain read/write" "  save"
    row "" "" "  load"
    row "find, replace all, sort on 100,000 clips" "under 100 ms each" "clips of about 1 KB"
    row "50 MB clip in the zoom view" "no stall over 200 ms" "zoom view, "
    echo
    [[ -f "$here/bench/analysis.md" ]] && sed 1d "$here/bench/analysis.md"
    echo "CopyQ is not measured here: it is not installed on this machine."
    echo
    echo "## The whole output"
    echo
    echo '```'
    cat "$log"
    echo '```'
} >"$here/bench/RESULTS.md"
echo "bench/RESULTS.md written"
