#!/usr/bin/env bash
# Footprint of the real program on a private X server with a tray-hosting window manager, while
# the user is present and working (pointer input through XTest): resident memory (VmRSS) and
# wake-ups per second (voluntary context switches of all its threads), over 30 seconds with the
# main window open and 30 seconds with it closed.
#
#   bench/footprint.sh [path/to/pelmix] [seconds] [jwm|xfce]
#
# The tray is jwm's dock (XEmbed, no session bus) by default; with "xfce" it is xfce4-panel's
# systray plugin, a StatusNotifierItem host, on a private session bus (jwm manages the windows).
#
# Targets: at most 40 MB resident with the window open, at most 3 wake-ups a second with it closed.
set -euo pipefail

binary=${1:-build/bin/pelmix}
seconds=${2:-30}
tray=${3:-jwm}
[ -x "$binary" ] || { echo "no program at $binary (build first)" >&2; exit 2; }
tools=(Xvfb jwm xdotool)
[ "$tray" = xfce ] && tools+=(xfce4-panel dbus-daemon dbus-send)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done

source "$(dirname "$0")/../scripts/private-desktop.sh"
start_private_x 1280x800
make_home onboarded
case $tray in
jwm) start_tray_window_manager 400 ;;
xfce)
  start_window_manager
  write_xfce_panel_config
  # The panel and the configuration service it starts on the bus read the throw-away home.
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime
  start_session_bus
  xfce4-panel --disable-wm-check >"$work/panel.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
      string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q 'boolean true' && break
    sleep 0.1
  done
  ;;
*) echo "tray: jwm or xfce" >&2; exit 2 ;;
esac
# A few tasks, one in progress, so the focus clock runs as it would for a user at work.
cat >"$home/Documents/Pelmix/todos.json" <<'JSON'
[{"id":"6B1C4C0E-8E40-4F5B-9C39-0A4C1F7E2A01","title":"Write the report","status":"in_progress","createdAt":790000000,"totalFocusSeconds":1200},{"id":"6B1C4C0E-8E40-4F5B-9C39-0A4C1F7E2A02","title":"Review changes","status":"todo","createdAt":790000100,"totalFocusSeconds":0},{"id":"6B1C4C0E-8E40-4F5B-9C39-0A4C1F7E2A03","title":"Plan the week","status":"done","createdAt":790000200,"completedAt":790000900,"totalFocusSeconds":300}]
JSON

run_pelmix "$binary" "$work/log"

# The user at work in another program: the pointer, away from our windows, moves ten times a second.
xdotool mousemove 1200 760
(
  while true; do
    xdotool mousemove_relative -- 3 0 >/dev/null 2>&1
    sleep 0.1
    xdotool mousemove_relative -- -3 0 >/dev/null 2>&1
    sleep 0.1
  done
) &
pids+=($!)

# "tid switches" for every thread; threads come and go (Qt's pool), so the deltas are
# taken per thread.
switches() {
  for status in /proc/"$pelmix"/task/*/status; do
    awk -v t="${status%/status}" '/^voluntary_ctxt_switches/ {n = split(t, p, "/"); print p[n], $2}' \
      "$status" 2>/dev/null || true
  done
}
rss_kb() { awk '/^VmRSS/ {print $2}' /proc/"$pelmix"/status; }

measure() { # label -> "rss_mb wakeups_per_s"
  local peak=0 rss
  switches >"$work/before"
  for _ in $(seq "$seconds"); do
    sleep 1
    rss=$(rss_kb)
    [ "$rss" -gt "$peak" ] && peak=$rss
  done
  switches >"$work/after"
  awk -v p="$peak" -v s="$seconds" -v l="$1" '
    NR == FNR { before[$1] = $2; next }
    { total += $2 - ($1 in before ? before[$1] : 0) }
    END { printf "%-14s VmRSS %6.1f MB   wake-ups %5.2f /s\n", l, p / 1024, total / s }' "$work/before" "$work/after"
}

sleep 5 # start-up settles
xdotool search --sync --onlyvisible --class pelmix >/dev/null
open=$(measure "window open")
echo "$open"

window=$(xdotool search --onlyvisible --name '^Focus .* Pelmix$' | head -n1)
xdotool windowactivate --sync "$window" key alt+F4
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Focus .* Pelmix$' >/dev/null 2>&1 || break
  sleep 0.1
done
kill -0 "$pelmix" || { echo "the program ended when its window closed" >&2; exit 1; }
sleep 2
closed=$(measure "window closed")
echo "$closed"
if [ "$tray" = xfce ]; then
  items=$(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems | grep -c 'string "' || true)
  echo "items the panel hosts as StatusNotifierItems: $items"
fi

status=0
awk '{ if ($4 > 40) exit 1 }' <<<"$open" || { echo "over target: more than 40 MB resident with the window open"; status=1; }
awk '{ if ($7 > 3) exit 1 }' <<<"$closed" || { echo "over target: more than 3 wake-ups a second with the window closed"; status=1; }
exit $status
