#!/usr/bin/env bash
# Installs what is missing, builds, checks the code's form (scripts/lint.sh), and runs every
# test: unit, GUI (offscreen) and the desktop suite (each desktop test starts its own X
# session); then the unit and GUI tests again in the AddressSanitizer +
# UndefinedBehaviorSanitizer build (build-asan).
# Arguments go to both ctest runs. QUILLERY_SANITIZE=0 leaves the sanitizer run out.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
"$here/scripts/lint.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
[[ ${QUILLERY_SANITIZE:-1} == 0 ]] && exit 0
cd "$here"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -LE "x11|kde" -j"$(nproc)" "$@"
