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
desktops="x11|kde|gnome" # these suites run in the main build only
cd "$here"
cmake --preset asan >/dev/null
# Only what that run needs: each test is built under its own name.
mapfile -t targets < <(cd build-asan && ctest -N -LE "$desktops" | sed -n 's/^ *Test *#[0-9]*: //p')
cmake --build --preset asan --target "${targets[@]}"
ctest --preset asan -LE "$desktops" -j"$(nproc)" "$@"
