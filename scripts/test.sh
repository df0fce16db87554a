#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, GUI (offscreen) and the
# desktop suite (each desktop test starts its own X session).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
