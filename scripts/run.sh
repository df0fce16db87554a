#!/usr/bin/env bash
# Installs what is missing, builds the program alone (with its languages and help beside it),
# and starts it on the current desktop: X11, or Wayland with or without XWayland.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/deps.sh" build
"$here/scripts/build.sh" quillery
exec "$here/scripts/start.sh" "$here/build/bin/quillery" "$@"
