#!/usr/bin/env bash
# Configures and builds into build/ (the program lands in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -- -j"$(nproc)"
