#!/usr/bin/env bash
# Runs a command inside a private headless GNOME desktop: mutter with a virtual monitor and
# XWayland, which mirrors the clipboard between Wayland and X11, a keyboard for its seat (it
# has none until a key comes), and the desktop portal with GNOME's back ends only, D-Bus
# activated on a session bus of its own. Mutter runs as the user nobody (under root); the bus
# and the X server let root in, so that the command runs as the caller.
# Usage: gnomesession.sh COMMAND [ARGS...]   (exit status: the command's)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../privatesession.sh" gnome
# With KDE's back end installed too, GNOME would get KDE's shortcuts.
mkdir "$work/portals"
cp /usr/share/xdg-desktop-portal/portals/{gnome,gtk}.portal "$work/portals/"
session+=(XDG_CURRENT_DESKTOP=GNOME XDG_DESKTOP_PORTAL_DIR="$work/portals")

start bus dbus-daemon --config-file="$work/bus.conf" --nofork
wait_for "$work/bus" "the session bus"
start mutter mutter --headless --wayland --wayland-display wayland-gnome \
    --virtual-monitor 1280x800
wait_for "$work/wayland-gnome" "mutter"
# XWayland's display and key, once it listens.
display=
for ((i = 0; i < 200; i++)); do
    xwayland=$(pgrep -s "${pids[-1]}" -x Xwayland || true)
    if [[ -n $xwayland ]]; then
        mapfile -t args < <(tr '\0' '\n' <"/proc/$xwayland/cmdline")
        display=${args[1]}
        for ((a = 0; a < ${#args[@]} - 1; a++)); do
            [[ ${args[a]} == -auth ]] && auth=${args[a + 1]}
        done
        let_in "$display" "$auth" && break
    fi
    display=
    sleep 0.05
done
[[ -n $display ]] || { echo "gnomesession: no XWayland" >&2; cat "$work/mutter.log" >&2; exit 1; }

export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" WAYLAND_DISPLAY="$work/wayland-gnome"
export DISPLAY="$display" XAUTHORITY="$auth" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP \
    XDG_SESSION_TYPE XDG_RUNTIME_DIR="$work" XDG_DESKTOP_PORTAL_DIR="$work/portals"

setsid /usr/bin/python3 "$here/keyboard.py" --hold >"$work/keyboard.log" 2>&1 &
pids+=($!)
for ((i = 0; i < 200; i++)); do
    grep -q ready "$work/keyboard.log" && break
    sleep 0.05
done
grep -q ready "$work/keyboard.log" || { echo "gnomesession: no keyboard" >&2; cat "$work"/*.log >&2; exit 1; }

set +e
"$@"
status=$?
set -e
exit $status
