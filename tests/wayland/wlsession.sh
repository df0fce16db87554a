#!/usr/bin/env bash
# Runs a command inside a private headless Wayland desktop: sway on its headless backend with
# software rendering, which offers the data-control protocol. sway refuses to run as root, so
# under root it runs as the user nobody, with a runtime folder of its own that the command
# reaches through WAYLAND_DISPLAY and XDG_RUNTIME_DIR. Everything started here is stopped after.
# WLSESSION_COMPOSITOR=cage runs cage instead, a compositor without data control; the command
# then keeps DISPLAY (run it inside xsession.sh for an X server beside it).
# Usage: wlsession.sh COMMAND [ARGS...]   (exit status: the command's)
set -euo pipefail

work=$(mktemp -d /tmp/quillery-wl.XXXXXX)
as=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody "$work"
    as=(runuser -u nobody --)
fi
chmod 0700 "$work"
pid=
cleanup() {
    if [[ -n $pid ]]; then
        kill -- "-$pid" 2>/dev/null || true # the compositor's whole session
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

compositor=(sway -c "$work/config")
[[ ${WLSESSION_COMPOSITOR:-sway} == cage ]] && compositor=(cage -- sleep infinity)
printf 'output HEADLESS-1 resolution 1280x800\n' >"$work/config"
chmod 0644 "$work/config"
# A session of its own: runuser passes a signal on to its whole process group.
setsid "${as[@]}" env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${compositor[@]}" >"$work/sway.log" 2>&1 &
pid=$!
for ((i = 0; i < 200; i++)); do
    socket=$(cd "$work" && ls wayland-[0-9] 2>/dev/null | head -n1 || true)
    [[ -n $socket ]] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/sway.log" >&2; exit 1; }
    sleep 0.05
done
[[ -n $socket ]] || { echo "wlsession: sway did not start" >&2; cat "$work/sway.log" >&2; exit 1; }
export XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY="$socket"
[[ ${WLSESSION_COMPOSITOR:-sway} == cage ]] || unset DISPLAY

set +e
"$@"
status=$?
set -e
exit $status
