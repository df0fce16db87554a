#!/usr/bin/env bash
# Builds and prints the benchmark figures. Not part of the test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
x="$here/tests/x11/xsession.sh"
for n in 100 200; do
    QT_QPA_PLATFORM=xcb "$x" "$here/build/bin/bench_capture" "$n" 2>/dev/null
done
