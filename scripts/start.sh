#!/usr/bin/env bash
# Starts the program on the desktop session there is: Wayland (with an X server beside it or
# none) or X11. The program picks its own way to each. Usage: start.sh PROGRAM [ARGUMENTS]
set -euo pipefail
program=$1
shift
if [[ -z ${WAYLAND_DISPLAY:-} && -z ${DISPLAY:-} ]]; then
    echo "Quillery needs a desktop session, Wayland or X11: neither WAYLAND_DISPLAY nor DISPLAY" \
        "is set. Start it from a terminal of your desktop." >&2
    exit 1
fi
exec "$program" "$@"
