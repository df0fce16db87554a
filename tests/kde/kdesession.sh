#!/usr/bin/env bash
# Runs a command inside a private headless KDE Plasma desktop: kwin_wayland on its virtual
# backend with a rootless XWayland, kglobalaccel inside it, and the desktop portal with KDE's
# back end, D-Bus activated on a session bus of its own. KWin runs as the user nobody (under
# root), from a plain copy: the installed binary carries a file capability this machine cannot
# grant. The bus and the X server let root in, so that the command runs as the caller.
# Usage: kdesession.sh COMMAND [ARGS...]   (exit status: the command's)
set -euo pipefail

source "$(dirname "$0")/../privatesession.sh" kde
cp /usr/bin/kwin_wayland "$work/kwin_wayland"
session+=(XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5)

start bus dbus-daemon --config-file="$work/bus.conf" --nofork
wait_for "$work/bus" "the session bus"
start kwin "$work/kwin_wayland" --virtual --no-lockscreen --xwayland --socket wayland-kde \
    --width 1280 --height 800
wait_for "$work/wayland-kde" "kwin_wayland"
# XWayland's display: the number KWin gave it, once it listens.
display=
for ((i = 0; i < 200; i++)); do
    xwayland=$(pgrep -s "${pids[-1]}" -x Xwayland || true)
    [[ -n $xwayland ]] && display=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | sed -n 2p)
    [[ -n $display ]] && let_in "$display" && break
    display=
    sleep 0.05
done
[[ -n $display ]] || { echo "kdesession: no XWayland" >&2; cat "$work/kwin.log" >&2; exit 1; }

export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" WAYLAND_DISPLAY="$work/wayland-kde"
export DISPLAY="$display" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE
export KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
# The portal's KDE back end starts only with these in the bus's activation environment.
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP \
    XDG_SESSION_TYPE KDE_FULL_SESSION KDE_SESSION_VERSION XDG_RUNTIME_DIR="$work" \
    QT_QPA_PLATFORM=wayland

set +e
"$@"
status=$?
set -e
exit $status
