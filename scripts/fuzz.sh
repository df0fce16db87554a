#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while. Usage: fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in fuzz_clp fuzz_ini fuzz_csv; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target"
    "build-fuzz/bin/$target" -max_total_time="$seconds" -max_len=4096 "build-fuzz/corpus/$target" 2>&1 | tail -2
done
