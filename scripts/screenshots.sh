#!/usr/bin/env bash
# Makes the README's screenshots from the real program in a private X session:
# docs/screenshots/{main,tray,options,about,help}.png. Usage: screenshots.sh [BUILD_DIR]
# Needs the test packages (scripts/deps.sh test) and ImageMagick's import and convert.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build}/bin
out=$root/docs/screenshots
mkdir -p "$out"
if [[ -z ${QUILLERY_SHOTS_INSIDE:-} ]]; then
    QUILLERY_SHOTS_INSIDE=1 exec "$root/tests/x11/xsession.sh" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$bin/quillery" "$bin"/*.lng "$bin/help" "$work/"
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
printf '[Options]\nSplash=0\nLeft=40\nTop=60\nWidth=420\nHeight=330\n' >"$work/Quillery.Ini"
"$work/quillery" 2>/dev/null &
pid=$!
sleep 2
for clip in "ssh deploy@build-02 'systemctl restart quillery-demo'" \
    "Meeting moved to Thursday, 10:30, room 4.12" "https://en.wikipedia.org/wiki/Clipboard_(computing)" \
    "SELECT name, email FROM users WHERE active = 1 ORDER BY name;" "Grüße aus Köln!" \
    "Thanks for the quick reply, I'll send the figures tomorrow."; do
    printf '%s' "$clip" | xclip -selection clipboard -i
    sleep 0.3
done
window=$(xdotool search --onlyvisible --pid $pid --name '^Quillery$' | head -1)
shot() { # name, then the window to crop to (root when none)
    sleep 0.8
    if [[ -n ${2:-} ]]; then
        import -window root -crop "$(xwininfo -id "$2" -frame | awk '/Width/{w=$2}/Height/{h=$2}
            /Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}END{print w+2"x"h+22"+"x-1"+"y-21}')" \
            "$out/$1.png"
    else
        import -window root "$out/$1.png"
    fi
}
xdotool windowactivate --sync "$window"
xdotool mousemove --window "$window" 200 94
shot main "$window"
xdotool mousemove 1268 12 click 3
sleep 0.5
import -window root -crop 420x260+860+0 "$out/tray.png"
xdotool key Escape
xdotool windowactivate --sync "$window"
xdotool key alt+v p
dialog=$(xdotool search --sync --onlyvisible --name '^Change Configuration')
shot options "$dialog"
xdotool key Escape
xdotool windowactivate --sync "$window"
xdotool key alt+h a
about=$(xdotool search --sync --onlyvisible --name '^About Quillery')
shot about "$about"
xdotool key Escape
xdotool windowactivate --sync "$window"
xdotool key F1
help=$(xdotool search --sync --onlyvisible --name '^Help: ')
shot help "$help"
kill $pid
echo "screenshots in $out"
