# Sourced by host.sh: the real program inside a real desktop host started headless, with the
# helpers every host's scenario shares. Each helper fails the test with a reason (never skips).
# Everything started is stopped by PID on exit (scripts/private-desktop.sh), and the host and
# the program run in throw-away home folders, never the user's.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private-desktop.sh"

fail() {
  echo "FAIL: $*" >&2
  # PELMIX_DESKTOP_PICTURES keeps the logs and pictures of a failed run too.
  [ -n "${PELMIX_DESKTOP_PICTURES:-}" ] && mkdir -p "$PELMIX_DESKTOP_PICTURES/failed-$host" &&
    cp "$work"/*.log "$work"/*.png "$PELMIX_DESKTOP_PICTURES/failed-$host/" 2>/dev/null
  for log in "$work"/*.log; do
    [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 25 "$log" >&2; }
  done
  exit 1
}
step() { echo "== $*"; }

wait_for() { # seconds command...: polls the command until it succeeds
  local tenths=$(($1 * 10))
  shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  "$@"
}

answers() { [ -n "$("$@" 2>/dev/null)" ]; } # the command prints something
silent() { [ -z "$("$@" 2>/dev/null)" ]; }  # the command prints nothing

need() { # program...: the host's tools must be installed (scripts/install-deps.sh does it)
  local tool
  for tool in "$@"; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
}

# The program's home: onboarded, short lengths so that presence turns within seconds.
make_pelmix_home() {
  make_home onboarded
  cat >>"$home/.config/Pelmix/Pelmix.conf" <<CONF
idleTimeout=3
workDuration=25
CONF
}

pelmix_environment() { # the environment the program starts with, as NAME=VALUE words
  echo HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="${pelmix_runtime:-$home/runtime}" \
    DBUS_SESSION_BUS_ADDRESS="${private_bus:-disabled:}" PATH=/usr/bin:/bin
}

# The command prefix that runs a command as the session's user: none, unless the host refuses
# root (Sway) and session_user chose another one.
session_runner=()

# as_session COMMAND...: runs a command of the desktop session; spawn_in_session runs it in the
# background, with $! its own PID.
as_session() { "${session_runner[@]}" "$@"; }
spawn_in_session() { "${session_runner[@]}" "$@" & }

# session_user: the user who runs a host that refuses root (Sway): one the test makes, with no
# home and no login, when it runs as root; otherwise the one running the test.
session_user() {
  [ "$(id -u)" = 0 ] || return 0
  as_user=pelmix-desktop-test
  id "$as_user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$as_user"
  session_runner=(setpriv --reuid="$as_user" --regid="$(id -g "$as_user")" --init-groups)
  chmod 755 "$work"
}

# start_pelmix [extra NAME=VALUE ...]: the real program from the build, in the session; sets $pelmix.
start_pelmix() {
  # shellcheck disable=SC2046
  spawn_in_session env -i $(pelmix_environment) "$@" "$binary" >"$work/pelmix.log" 2>&1
  pelmix=$!
  pids+=($pelmix)
  wait_for 10 grep -q "AppState: start() called" "$work/pelmix.log" || fail "Pelmix did not start"
}

watcher_property() { # NAME: a property of the StatusNotifierWatcher on the private bus
  as_session dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
host_ready() { watcher_property IsStatusNotifierHostRegistered | grep -q true; }
item_service() { watcher_property RegisteredStatusNotifierItems | grep -o 'org.kde.StatusNotifierItem-[0-9-]*' | head -n1; }
item_property() { # NAME: a property of the program's item
  as_session dbus-send --session --print-reply=literal --dest="$(item_service)" /StatusNotifierItem \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem "string:$1" 2>/dev/null
}

wait_for_item() {
  wait_for 30 host_ready || fail "no StatusNotifierWatcher with a host came up"
  wait_for 20 answers item_service || fail "Pelmix registered no item with the host"
  # The item is known by a named icon in a folder of its own, beside the pixmaps.
  local name folder
  name=$(item_property IconName | awk '{print $NF}')
  folder=$(item_property IconThemePath | awk '{print $NF}')
  [[ "$name" == pelmix-tray-* ]] || fail "the item names no icon (IconName '$name')"
  ls "$folder"/hicolor/22x22/status/"$name".png >/dev/null 2>&1 || fail "no file for the icon $name in $folder"
}

# changed_box BEFORE AFTER: "x y width height" of what differs between two pictures, if anything.
changed_box() {
  local box
  box=$(convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 12% \
    -format '%@' info: 2>/dev/null) || return 1
  [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  [ "${BASH_REMATCH[1]}" -gt 0 ] || return 1
  echo "${BASH_REMATCH[3]} ${BASH_REMATCH[4]} ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}

# wait_for_drawn_item BEFORE SHOOTER MIN_WIDTH: waits until the bar, shot by the SHOOTER
# command into a file it is given, shows something new at least MIN_WIDTH wide that stays the
# same for a second and a half (hosts show a placeholder first); sets item_x item_y item_w
# item_h (in screen coordinates).
wait_for_drawn_item() {
  local before=$1 shooter=$2 min_width=$3 box="" looks=()
  for _ in $(seq 60); do
    "$shooter" "$work/bar.png" || true
    box=$(changed_box "$before" "$work/bar.png" || true)
    looks=("$box" "${looks[@]:0:2}")
    if [ -n "$box" ] && [ "${#looks[@]}" = 3 ] && [ "${looks[1]}" = "$box" ] && [ "${looks[2]}" = "$box" ] &&
      [ "$(echo "$box" | cut -d' ' -f3)" -ge "$min_width" ]; then
      read -r item_x item_y item_w item_h <<<"$box"
      item_x=$((item_x + ${shot_left:-0}))
      cp "$work/bar.png" "$work/item.png"
      save_item_picture
      return 0
    fi
    sleep 0.5
  done
  fail "the host shows no item at least $min_width px wide (last change: ${box:-none})"
}

# With PELMIX_DESKTOP_PICTURES=FOLDER, the item and 40 px of bar on each side are kept there
# as tray-HOST.png, three times enlarged (scripts/screenshots.sh uses it for docs/).
save_item_picture() {
  [ -n "${PELMIX_DESKTOP_PICTURES:-}" ] || return 0
  local left=$((item_x - ${shot_left:-0} > 40 ? item_x - ${shot_left:-0} - 40 : 0))
  mkdir -p "$PELMIX_DESKTOP_PICTURES"
  convert "$work/item.png" -crop "$((item_w + 80))x$((item_y + item_h + 4))+$left+0" +repage \
    -filter point -resize 300% "$PELMIX_DESKTOP_PICTURES/tray-$host.png"
}

# expect_ink dark|light: the item is drawn dark on a light bar, light on a dark one (checked in
# the picture of the bar that wait_for_drawn_item kept).
expect_ink() {
  local crop="${item_w}x${item_h}+$((item_x - ${shot_left:-0}))+$item_y" extreme
  if [ "$1" = dark ]; then
    extreme=$(convert "$work/item.png" -crop "$crop" -colorspace gray -format '%[fx:int(100*minima)]' info:)
    [ "$extreme" -le 30 ] || fail "no dark ink on the light bar (darkest pixel at $extreme %)"
  else
    extreme=$(convert "$work/item.png" -crop "$crop" -colorspace gray -format '%[fx:int(100*maxima)]' info:)
    [ "$extreme" -ge 80 ] || fail "no light ink on the dark bar (lightest pixel at $extreme %)"
  fi
}

presence_turns() { # the presence log's turns, one word each: "PRESENT AWAY PRESENT"
  sed -n 's/.* | //p' "$home/Documents/Pelmix/presence_log.txt" 2>/dev/null | xargs
}

presence_is() { [ "$(presence_turns)" = "$1" ]; }

# expect_presence_cycle ACTIVITY: input through the host (the ACTIVITY command, called
# repeatedly) brings the user PRESENT, quiet makes them AWAY, input brings them back.
expect_presence_cycle() {
  local activity=$1 i
  for i in $(seq 20); do "$activity"; sleep 0.25; [ "$(presence_turns)" = PRESENT ] && break; done
  [ "$(presence_turns)" = PRESENT ] || fail "input through the host did not make the user present: $(presence_turns)"
  wait_for 10 presence_is "PRESENT AWAY" || fail "no AWAY after the idle timeout: $(presence_turns)"
  for i in $(seq 20); do "$activity"; sleep 0.25; [ "$(presence_turns)" = "PRESENT AWAY PRESENT" ] && break; done
  [ "$(presence_turns)" = "PRESENT AWAY PRESENT" ] || fail "input did not bring the user back: $(presence_turns)"
}

# expect_quit_recorded_without_work: the program ended by itself, with 0 (with ended_with=any,
# whatever Qt ends it with when the display goes).
expect_quit_recorded_without_work() {
  wait_for 10 bash -c "! kill -0 $pelmix 2>/dev/null" || fail "Pelmix is still running"
  local rc=0
  wait "$pelmix" 2>/dev/null || rc=$?
  [ "$rc" = 0 ] || [ "${ended_with:-}" = any ] || fail "Pelmix ended with $rc"
}

# expect_quit_recorded: the program ended by itself with 0, and the work session open at the
# end is in sessions.json.
expect_quit_recorded() {
  expect_quit_recorded_without_work
  grep -q '"type":"work"' "$home/Documents/Pelmix/sessions.json" 2>/dev/null ||
    fail "the open work session was not recorded: $(cat "$home/Documents/Pelmix/sessions.json" 2>/dev/null)"
}
