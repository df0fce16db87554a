#!/usr/bin/env bash
# Runs a command inside a private X session: Xvfb on a free display, the openbox window
# manager and the trayer system tray. Everything started here is stopped afterwards.
# Usage: xsession.sh COMMAND [ARGS...]   (exit status: the command's)
# XSESSION_TRAY=0 leaves the system tray out; XSESSION_WM=0 the window manager (and the tray).
set -euo pipefail

work=$(mktemp -d /tmp/quillery-x.XXXXXX)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

wait_for() { # seconds, then a command that succeeds when ready
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || { echo "xsession: timed out waiting for: $*" >&2; return 1; }
        sleep 0.05
    done
}

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
# The session's own desktop only: never the clipboard of a Wayland desktop this runs inside.
unset WAYLAND_DISPLAY

if [[ ${XSESSION_WM:-1} != 0 ]]; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
fi

if [[ ${XSESSION_TRAY:-1} != 0 && ${XSESSION_WM:-1} != 0 ]]; then
    trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
        --SetDockType true --expand false >"$work/trayer.log" 2>&1 &
    pids+=($!)
    wait_for 10 sh -c 'xwininfo -root -tree | grep -q '"trayer"''
fi

set +e
"$@"
status=$?
set -e
exit $status
