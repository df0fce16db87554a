#!/usr/bin/env bash
# Configures and builds into build/ (the program lands in build/bin): everything, or only the
# targets named (build.sh quillery). QUILLERY_WERROR=1 makes compiler warnings errors, as CI
# builds.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default -DQUILLERY_WERROR="${QUILLERY_WERROR:-0}" >/dev/null
targets=()
[[ $# -gt 0 ]] && targets=(--target "$@")
cmake --build --preset default "${targets[@]}" -- -j"$(nproc)"
