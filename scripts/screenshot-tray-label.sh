#!/usr/bin/env bash
# Takes docs/tray-label.png: Pelmix's StatusNotifierItem with its "N min" label beside the icon,
# in a real panel that draws item labels, on a private X server and private buses, with the
# host's settings in a throw-away dconf database. Two hosts:
#   gnome (default): GNOME Shell on X11 with the AppIndicator extension, which draws the icon
#     pixmaps and the XAyatanaLabel. Needs (Debian 12): xvfb dbus-daemon dbus-bin gnome-shell
#     gnome-shell-extension-appindicator x11-utils imagemagick
#   mate: MATE's panel with the indicator applet, fed by the Ayatana application indicator
#     service (the watcher and host, which passes the label on to the applet but only icon
#     names, not pixmaps: it draws a missing-image icon); writes tray-label-mate.png.
#     Needs: xvfb dbus-daemon dbus-bin dconf-cli dconf-service mate-panel mate-indicator-applet
#     ayatana-indicator-application x11-utils xdotool imagemagick
# Only this script uses these packages.
#
#   scripts/screenshot-tray-label.sh [path/to/pelmix] [output folder] [gnome|mate]
set -euo pipefail

binary=${1:-build/bin/pelmix}
out=${2:-docs}
host=${3:-gnome}
service=/usr/libexec/ayatana-indicator-application/ayatana-indicator-application-service
case $host in
  gnome) tools=(gnome-shell gsettings) packages="gnome-shell gnome-shell-extension-appindicator" ;;
  mate) tools=(dconf mate-panel "$service" xdotool)
    packages="dconf-cli dconf-service mate-panel mate-indicator-applet ayatana-indicator-application xdotool" ;;
  *) echo "unknown host $host (gnome or mate)" >&2; exit 2 ;;
esac
for tool in Xvfb dbus-daemon dbus-send xwininfo import "${tools[@]}"; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing (apt-get install xvfb dbus-daemon dbus-bin x11-utils imagemagick $packages)" >&2
    exit 2
  }
done
mkdir -p "$out"

# GNOME Shell's extension now and then drops an item that registers again, or changes, while it
# is still setting it up, as Pelmix may do when the host comes up late (exit 3 below): each try
# is a whole new session.
if [ -z "${tray_label_try:-}" ]; then
  for try in 1 2 3 4 5; do
    rc=0
    tray_label_try=$try bash "$0" "$@" || rc=$?
    [ "$rc" = 3 ] || exit "$rc"
    echo "try $try: the host dropped the item; once more" >&2
  done
  exit 1
fi

source "$(dirname "$0")/private-desktop.sh"
make_home onboarded
# The host and its helpers share the program's throw-away home, and so its dconf database.
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
  XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" XDG_SESSION_TYPE=x11 \
  NO_AT_BRIDGE=1 GTK_A11Y=none
unset WAYLAND_DISPLAY SESSION_MANAGER

watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
wait_for() { # seconds command...: polls the command until it succeeds
  local tenths=$(($1 * 10))
  shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  "$@"
}
host_ready() { watcher_property IsStatusNotifierHostRegistered | grep -q 'boolean true'; }
item_registered() { watcher_property RegisteredStatusNotifierItems | grep -q 'org.kde.StatusNotifierItem-'; }

if [ "$host" = gnome ]; then
  start_private_x 1024x768
  export XDG_CURRENT_DESKTOP=GNOME
else
  start_private_x 640x200
  export XDG_CURRENT_DESKTOP=MATE
fi
start_session_bus
# The program starts first, as at a login where the panel comes up late, and the host comes up
# after the countdown's first minute change (a second in): a change while the shell sets the
# item up may leave its icon a minute behind the label, or make it drop the item.
run_pelmix "$binary" "$work/log"
sleep 2
kill -0 "$pelmix" 2>/dev/null || { echo "Pelmix did not start" >&2; cat "$work/log" >&2; exit 1; }

if [ "$host" = gnome ]; then
  # The shell asks logind about the session when the machine runs systemd; a private system bus
  # with nobody on it keeps it from failing on a missing or foreign one.
  cat >"$work/system.conf" <<CONF
<busconfig><type>system</type><listen>unix:dir=$work</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/></policy></busconfig>
CONF
  dbus-daemon --config-file="$work/system.conf" --nofork --print-address=3 3>"$work/system-bus" 2>/dev/null &
  pids+=($!)
  wait_for 10 test -s "$work/system-bus"
  export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$work/system-bus")
  gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
  gsettings set org.gnome.desktop.interface enable-animations false
  gnome-shell --x11 >"$work/host.log" 2>&1 &
  pids+=($!)
else
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
  mate-panel >"$work/host.log" 2>&1 &
  pids+=($!)
fi
wait_for 30 host_ready || { echo "no StatusNotifierWatcher with a host came up" >&2; cat "$work/host.log" >&2; exit 1; }

wait_for 20 item_registered || { echo "Pelmix registered no item" >&2; cat "$work/log" >&2; exit 1; }

if [ "$host" = gnome ]; then
  # The right end of the top bar: the item left of the system menu. The shell shows a placeholder
  # for the icon until it is loaded, at first with no label: wait for light content on the dark
  # bar left of the menu as wide as an icon and a label, unchanged for three seconds.
  bar=(-window root -crop 160x32+864+0 +repage)
  look() { # "1 signature" once wide enough
    import "${bar[@]}" "$work/bar.png"
    local box
    box=$(identify -fuzz 40% -format '%@ %#' "$work/bar.png[110x32+0+0]" 2>/dev/null)
    echo "$(( ${box%%x*} >= 40 )) ${box#* }"
  }
  looks=()
  settled() { [ "${looks[0]%% *}" = 1 ] && [ "${looks[0]}" = "${looks[1]:-}" ] && [ "${looks[0]}" = "${looks[2]:-}" ] \
    && [ "${looks[0]}" = "${looks[3]:-}" ]; }
  for _ in $(seq 30); do
    sleep 1
    looks=("$(look)" "${looks[@]:0:3}")
    settled && break
  done
  settled || { echo "the top bar shows no settled item" >&2; grep -i appindicator "$work/host.log" >&2; exit 3; }
  import "${bar[@]}" -filter point -resize 300% "$out/tray-label.png"
  echo "wrote $out/tray-label.png"
  exit 0
fi

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
[ "$aw" -gt 40 ] && [ "$now" = "$last" ] || { echo "the panel shows no item with a label" >&2; exit 1; }
# With no window manager the main window opens at the top left, under the panel: out of the way.
xdotool search --onlyvisible --name '^Focus$' windowmove %@ 0 80 2>/dev/null || true
sleep 1
import -window root -crop "$((aw + 40))x${ah}+$((ax - 40))+${ay}" +repage -filter point -resize 300% \
  "$out/tray-label-mate.png"
echo "wrote $out/tray-label-mate.png"
