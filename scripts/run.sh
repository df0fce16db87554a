#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillery on the current X display.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" build
"$here/scripts/build.sh"
if [[ -z ${DISPLAY:-} ]]; then
    echo "Quillery needs an X11 desktop session (DISPLAY is not set)." >&2
    exit 1
fi
exec "$here/build/bin/quillery" "$@"
