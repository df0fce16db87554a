# Shared by the desktop sessions' scripts (sourced): a work folder that is the desktop user's
# home and runtime folder, a session bus of its own, and the stop of everything started.
# Under root the desktop runs as the user nobody, and the bus and the displays let root in, so
# that the command runs as the caller. Sets: work, as, session, pids; defines start, wait_for.
work=$(mktemp -d "/tmp/quillery-$1.XXXXXX")
as=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody "$work"
    as=(runuser -u nobody --)
fi
chmod 0711 "$work"
# A rootless XWayland run as nobody cannot make the sockets' folder: on a fresh machine no X
# server has made it yet.
mkdir -p -m 1777 /tmp/.X11-unix # -p: another session may make it meanwhile
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -- "-$pid" 2>/dev/null || true # its whole session
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
chmod 0644 "$work/bus.conf"
session=(env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work"
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" XDG_SESSION_TYPE=wayland)

# A program of the desktop, as its user, in a session of its own; its output in NAME.log.
start() { # NAME COMMAND...
    local name=$1
    shift
    setsid "${as[@]}" "${session[@]}" "$@" >"$work/$name.log" 2>&1 &
    pids+=($!)
}

wait_for() { # a path, what it is
    for ((i = 0; i < 200; i++)); do
        [[ -e $1 ]] && return 0
        sleep 0.05
    done
    echo "$(basename "$0"): $2 did not start" >&2
    cat "$work"/*.log >&2
    exit 1
}

# Lets the caller into the X server on DISPLAY; false while it doesn't listen yet.
let_in() { # DISPLAY [XAUTHORITY]
    "${as[@]}" env DISPLAY="$1" XAUTHORITY="${2:-}" xhost "+si:localuser:$(id -un)" >/dev/null 2>&1
}
