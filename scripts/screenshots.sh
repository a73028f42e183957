#!/usr/bin/env bash
# Takes the pictures of docs/: the tray icon, its panel and the focus board with a few tasks,
# from the real program on a private X server with a tray-hosting window manager.
# Needs ImageMagick (import, convert), which only this script uses.
#
#   scripts/screenshots.sh [path/to/pelmix] [output folder]
set -euo pipefail

binary=${1:-build/bin/pelmix}
out=${2:-docs}
for tool in Xvfb jwm xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install imagemagick x11-utils xdotool jwm)" >&2; exit 2; }
done
mkdir -p "$out"

source "$(dirname "$0")/private-desktop.sh"
start_private_x 1024x768
start_tray_window_manager 820
make_home onboarded
now=$(( $(date +%s) - 978307200 ))
cat >"$home/Documents/Pelmix/todos.json" <<JSON
[{"id":"2E0B6C1A-3F4D-4B8E-9A51-7C2D8E9F0A11","title":"Write the quarterly report","status":"in_progress","createdAt":$((now - 9000)),"totalFocusSeconds":1540},
{"id":"2E0B6C1A-3F4D-4B8E-9A51-7C2D8E9F0A12","title":"Review pull requests","status":"todo","createdAt":$((now - 8000)),"totalFocusSeconds":330},
{"id":"2E0B6C1A-3F4D-4B8E-9A51-7C2D8E9F0A13","title":"Plan next sprint","status":"todo","createdAt":$((now - 7000)),"totalFocusSeconds":0},
{"id":"2E0B6C1A-3F4D-4B8E-9A51-7C2D8E9F0A14","title":"Reply to emails","status":"done","createdAt":$((now - 6000)),"completedAt":$((now - 7200)),"totalFocusSeconds":900}]
JSON

run_pelmix "$binary" "$work/log"

xdotool search --sync --onlyvisible --name '^Focus .* Pelmix$' >/dev/null
xdotool mousemove 1000 700
sleep 3

geometry() { # window id -> "x y width height" in root coordinates
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
tray_icon() {
  xwininfo -root -tree | awk '/"Pelmix": \("pelmix"/ && $0 ~ / 2[0-9]x2[0-9]\+/ {print $1; exit}'
}

# The focus board: the main window with its frame.
window=$(xdotool search --onlyvisible --name '^Focus .* Pelmix$' | head -n1)
read -r x y w h < <(geometry "$window")
import -window root -crop "$((w + 12))x$((h + 30))+$((x - 6))+$((y - 24))" +repage "$out/focus-board.png"

# The tray: the end of the panel bar with the icon, enlarged.
icon=$(tray_icon)
read -r ix iy iw ih < <(geometry "$icon")
import -window root -crop "120x28+$((ix - 60))+0" +repage -filter point -resize 300% "$out/tray.png"

# The panel: a left click on the icon.
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
sleep 1
panel=$(xwininfo -root -tree | awk '/\("pelmix" "Pelmix"\)/ && / 220x/ {print $1; exit}')
read -r px py pw ph < <(geometry "$panel")
xdotool mousemove $((px + pw / 2)) $((py + ph - 70))
sleep 0.5
import -window root -crop "$((pw + 40))x$((ph + py + 8))+$((px - 20))+0" +repage "$out/panel.png"
echo "wrote $out/focus-board.png $out/tray.png $out/panel.png"

# The item in real panels: XFCE's light bar, MATE's indicator applet, GNOME Shell's top bar.
build=$(cd "$(dirname "$binary")/.." && pwd)
for host in xfce mate gnome-appindicator; do
  PELMIX_DESKTOP_PICTURES=$out "$(dirname "$0")/../tests/desktops/host.sh" "$host" "$build" >/dev/null
  echo "wrote $out/tray-$host.png"
done
