#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while, from the seed corpora in
# fuzz/corpus (new inputs go to build-fuzz/corpus). Usage: fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_clp fuzz_ini fuzz_lang fuzz_csv)
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target"
    "build-fuzz/bin/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        "build-fuzz/corpus/$target" "fuzz/corpus/${target#fuzz_}" 2>&1 | tail -2
done
