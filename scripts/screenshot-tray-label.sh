#!/usr/bin/env bash
# Takes docs/tray-label.png: Pelmix's StatusNotifierItem with its "N min" label, as a panel that
# draws item labels shows it. The host is MATE's panel with the indicator applet, fed by the
# Ayatana application indicator service (it is the StatusNotifierWatcher and host, and passes the
# item's XAyatanaLabel on to the applet), all on a private X server and a private session bus,
# with the panel layout in a throw-away dconf database.
# Needs (Debian 12), which only this script uses:
#   xvfb dbus-daemon dconf-cli dconf-service mate-panel mate-indicator-applet
#   ayatana-indicator-application x11-utils xdotool imagemagick
#
#   scripts/screenshot-tray-label.sh [path/to/pelmix] [output folder]
set -euo pipefail

binary=${1:-build/bin/pelmix}
out=${2:-docs}
service=/usr/libexec/ayatana-indicator-application/ayatana-indicator-application-service
for tool in Xvfb dbus-daemon dconf mate-panel "$service" xdotool xwininfo import; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing (apt-get install xvfb dbus-daemon dconf-cli dconf-service mate-panel" \
      "mate-indicator-applet ayatana-indicator-application x11-utils xdotool imagemagick)" >&2
    exit 2
  }
done
mkdir -p "$out"

source "$(dirname "$0")/private-desktop.sh"
start_private_x 640x200
make_home onboarded
# The panel and its helpers share the program's throw-away home, and so its dconf database.
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
  XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" XDG_SESSION_TYPE=x11 \
  XDG_CURRENT_DESKTOP=MATE NO_AT_BRIDGE=1 GTK_A11Y=none
unset WAYLAND_DISPLAY SESSION_MANAGER
start_session_bus

# One panel along the top holding nothing but the indicator applet.
dconf load /org/mate/panel/ <<'DCONF'
[general]
toplevel-id-list=['top']
object-id-list=['indicators']

[toplevels/top]
orientation='top'
size=28
expand=true
screen=0

[objects/indicators]
object-type='applet'
applet-iid='IndicatorAppletFactory::IndicatorApplet'
toplevel-id='top'
position=0
relative-to-edge='end'
locked=true
DCONF

"$service" >"$work/service.log" 2>&1 &
pids+=($!)
mate-panel >"$work/panel.log" 2>&1 &
pids+=($!)

# Pelmix takes the StatusNotifierItem path only once the watcher says a host is there.
watcher_ready() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 100); do watcher_ready && break; sleep 0.1; done
watcher_ready || { echo "no StatusNotifierWatcher with a host came up" >&2; cat "$work/service.log" >&2; exit 1; }

run_pelmix "$binary" "$work/log"

applet() { # the applet's window inside the panel: "x y width height"
  xwininfo -root -tree | awk '/"mate-indicator-applet": \("mate-indicator-applet"/ && $(NF-1) ~ /\+0\+0$/ {
    split($(NF-1), size, "[x+]"); split($NF, at, "+"); print at[2], at[3], size[1], size[2]; exit }'
}
# The applet grows from its empty 1-pixel width once the item, icon and label, is in it; it is
# laid out when two looks a moment apart agree.
last=
for _ in $(seq 100); do
  now=$(applet || true)
  read -r ax ay aw ah <<<"${now:-0 0 0 0}"
  [ "$aw" -gt 40 ] && [ "$now" = "$last" ] && break
  last=$now
  sleep 0.2
done
[ "$aw" -gt 40 ] && [ "$now" = "$last" ] || {
  echo "the panel shows no item with a label" >&2; cat "$work/log" >&2; exit 1
}
# With no window manager the main window opens at the top left, under the panel: out of the way.
xdotool search --onlyvisible --name '^Focus$' windowmove %@ 0 80 2>/dev/null || true
sleep 1

# The end of the panel with the item, enlarged.
import -window root -crop "$((aw + 40))x${ah}+$((ax - 40))+${ay}" +repage -filter point -resize 300% \
  "$out/tray-label.png"
echo "wrote $out/tray-label.png"
