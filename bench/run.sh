#!/usr/bin/env bash
# Builds, prints the benchmark figures and writes them to bench/RESULTS.md with their goals
# and the machine; with CopyQ installed, CopyQ's figures for the same bursts, start-up and
# memory go beside ours. Not part of the test suite. Usage: bench/run.sh [burst runs]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
runs=${1:-5}
"$here/scripts/deps.sh" test
"$here/scripts/build.sh"
x="$here/tests/x11/xsession.sh"
bin="$here/build/bench"
program="$here/build/bin/quillery"
export QT_QPA_PLATFORM=xcb
log=$(mktemp)
trap 'rm -f "$log"' EXIT
exec > >(tee "$log")
sync # let the build's writes reach the disk before anything is timed
sleep 5
stolen() { awk '/^cpu / {print $9}' /proc/stat; } # time the host took, in 1/100 s
stolen_before=$(stolen)

bursts() { # label, then bench_capture's arguments: the counts of every run in one line
    local label=$1 counts=()
    shift
    for ((r = 0; r < runs; r++)); do
        counts+=("$("$x" "$bin/bench_capture" "$@" 2>/dev/null | sed -n 's/^capture burst: \([0-9]*\) of.*/\1/p')")
    done
    echo "capture burst$label: ${counts[*]} of 200 recorded ($runs runs)"
}
echo "== capture of a burst of copies"
bursts ", xclip shell loop" 200 # one xclip per copy, as fast as a shell loop runs them
for rate in 30 150 500 1000; do
    bursts " at $rate copies/s" 200 "$rate"
done
echo "== capture of a burst of copies on Wayland (headless sway)"
"$here/tests/wayland/wlsession.sh" "$bin/bench_wayland_burst" "$bin" 2>/dev/null
echo "== capture of a burst of copies on KDE Plasma (headless kwin_wayland 5.27, data control)"
"$here/tests/kde/kdesession.sh" "$bin/bench_wayland_burst" "$bin" 2>/dev/null | sed 's/^wayland /kde /'
# GNOME offers no data control: the program reads copies through XWayland, as made here by an
# X11 copier (a Wayland program's copy comes there through mutter's mirror).
echo "== capture of a burst of copies on GNOME (headless mutter 43, XWayland)"
for ms in 5 2; do
    "$here/tests/gnome/gnomesession.sh" "$bin/bench_capture" 100 $((1000 / ms)) 2>/dev/null |
        sed -n "s/^capture burst: /gnome capture burst every $ms ms: /p"
done
echo "== clip list files"
"$bin/bench_files" 100000 "$here/build"
echo "== find, replace, sort"
"$x" "$bin/bench_edit" 100000 2>/dev/null
echo "== a huge clip"
"$x" "$bin/bench_zoom" 50 2>/dev/null
"$x" "$bin/bench_zoom" 50 one-line 2>/dev/null
"$x" "$bin/bench_hugeclip" 50 2>/dev/null
"$x" "$bin/bench_save" 100 2>/dev/null
# Start-up and memory on a session bus, as on any desktop: without one, Qt's accessibility
# tries to start a bus first, which costs 20 to 30 ms no desktop user sees.
echo "== start-up"
"$x" dbus-run-session -- "$bin/bench_startup" "$program" 15 2>/dev/null
"$x" dbus-run-session -- "$bin/bench_startup" --other 15 "pkill -x bare_window; sleep 0.3" \
    "$bin/bare_window" 2>/dev/null | sed 's/^start-up to the main window/start-up of a bare Qt window/'

echo "== series paste"
"$x" python3 "$here/bench/bench_paste.py" "$program" 20 2>/dev/null
"$here/tests/wayland/wlsession.sh" "$bin/bench_wayland_paste" "$program" "$here/build/tests" 20 2>/dev/null
for session in kde/kdesession.sh gnome/gnomesession.sh; do
    "$here/tests/$session" "$bin/bench_portal_paste" "$program" "$here/build/tests" "$here" 20 2>/dev/null
done
echo "== memory"
"$x" dbus-run-session -- "$here/bench/bench_memory.sh" "$program" "$bin/bare_window" 2>/dev/null
copyq=0
if command -v copyq >/dev/null; then
    copyq=1
    echo "== CopyQ $(copyq --version 2>/dev/null | head -n1 | awk '{print $NF}')"
    "$x" "$here/bench/bench_copyq.sh" "$bin" "$runs" 2>/dev/null
fi

stolen_ms=$((($(stolen) - stolen_before) * 10))

# The report: each figure with its goal and the line it was read from.
{
    echo "# Benchmark results"
    echo
    echo "Made by \`bench/run.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
        "$(awk -F: '/model name/ {print $2; exit}' /proc/cpuinfo | sed 's/^ *//')," \
        "$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
        "$(. /etc/os-release && echo "$PRETTY_NAME"), X server Xvfb with openbox." \
        "The machine is a virtual one: its host took $((stolen_ms / 1000)).$((stolen_ms % 1000 / 100)) s" \
        "of its processors' time during the run, which shows as noise in the figures."
    echo
    if ((copyq)); then
        echo "| Figure | Goal | Quillery | $(grep '^== CopyQ' "$log" | sed 's/^== //') |"
        echo "|---|---|---|---|"
    else
        echo "| Figure | Goal | Result |"
        echo "|---|---|---|"
    fi
    cell() { # the pattern of a line in the output: the line, without a plain label
        grep -- "$1" "$log" | head -n1 | sed 's/^ *//; s/^[A-Za-z0-9 ,\/.-]*: //; s/|/\\|/g'
    }
    row() { # figure, goal, the pattern of our line, the pattern of CopyQ's line: none when
        # not measured for CopyQ, "-" when the figure belongs to no program
        if ((copyq)); then
            local other="not measured"
            [[ ${4:-} == - ]] && other="—"
            [[ -n ${4:-} && ${4:-} != - ]] && other=$(cell "$4")
            printf '| %s | %s | %s | %s |\n' "$1" "$2" "$(cell "$3")" "$other"
        else
            printf '| %s | %s | %s |\n' "$1" "$2" "$(cell "$3")"
        fi
    }
    row "burst capture, xclip shell loop" "every copy" "^capture burst, xclip" "^copyq capture burst, xclip"
    for rate in 30 150 500 1000; do
        goal="all 200"
        [[ $rate == 1000 ]] && goal="at least 199 of 200"
        row "burst capture at $rate copies/s" "$goal" "^capture burst at $rate " "^copyq capture burst at $rate "
    done
    for how in "every 2 ms" "every 5 ms" "from a wl-copy loop"; do
        row "Wayland burst capture $how" "as many as the reference reader (within one)" "^wayland burst $how"
    done
    row "50 MB copy on Wayland" "no stall over 200 ms" "^wayland 50 MB copy"
    for how in "every 2 ms" "every 5 ms" "from a wl-copy loop"; do
        row "KDE burst capture $how" "as many as the reference reader (within one)" "^kde burst $how"
    done
    row "50 MB copy on KDE" "no stall over 200 ms" "^kde 50 MB copy"
    for ms in 5 2; do
        row "GNOME burst capture every $ms ms (X11 copier)" "every copy" "^gnome capture burst every $ms ms"
    done
    row "start-up to the window" "under 50 ms" "^start-up to the main window" "^copyq start-up"
    row "start-up of a bare Qt window with a menu bar" "" "^start-up of a bare" -
    row "memory" "idle within 10% of a bare Qt window" "^memory: idle" "^copyq memory"
    row "memory of a bare Qt window" "" "^memory of a bare" -
    row "hot key to pasted text" "at once" "hot key to text"
    row "Wayland key binding to pasted text (sway bindsym, command line)" "under 60 ms" "^wayland key binding to pasted"
    row "KDE hot key to pasted text (kglobalaccel, both portals)" "under 60 ms" "^kde hot key to pasted"
    row "GNOME custom shortcut's command to pasted text (remote-desktop portal)" "under 60 ms" "^gnome command to pasted"
    row "save 100,000 clips" "within twice a plain write" "^  save"
    row "load 100,000 clips" "within twice a plain read" "^  load"
    row "find, replace all, sort on 100,000 clips" "under 100 ms each" "clips of about 1 KB"
    row "50 MB clip in the zoom view" "no stall over 200 ms" "^zoom view, 50 MB clip:"
    row "50 MB clip on one line in the zoom view" "no stall over 200 ms" "^zoom view, 50 MB clip on one line"
    row "50 MB clip through the window" "no stall over 200 ms; memory near the clip's size" "MB clip: recorded"
    row "save a 100 MB list" "no turn of the window over 50 ms" "^save of a 100 MB list"
    echo
    [[ -f "$here/bench/analysis.md" ]] && sed 1d "$here/bench/analysis.md"
    ((copyq)) || echo "CopyQ is not measured here: it is not installed on this machine."
    echo
    echo "## The whole output"
    echo
    echo '```'
    cat "$log"
    echo '```'
} >"$here/bench/RESULTS.md"
echo "bench/RESULTS.md written"
