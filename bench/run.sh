#!/usr/bin/env bash
# Builds and prints the benchmark figures. Not part of the test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
x="$here/tests/x11/xsession.sh"
bin="$here/build/bench"
program="$here/build/bin/quillery"
export QT_QPA_PLATFORM=xcb
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
