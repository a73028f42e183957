#!/usr/bin/env bash
# One real desktop host, started headless with the real program inside, checked as a user meets
# it: the item's icon (and label, where the host draws labels), a left click opening the panel
# beside the bar, "Quit Pelmix" chosen from the host's own menu ending the program with the
# open session recorded, and presence turning PRESENT, AWAY, PRESENT through the host's input.
#
#   tests/desktops/host.sh HOST BUILD_DIR      HOST: xfce mate lxqt sway gnome gnome-appindicator weston kwin
set -euo pipefail
host=$1
binary=$2/bin/pelmix
source "$(dirname "$0")/lib.sh"

# ---- X11 hosts: Xvfb, a private session bus, the panel; input and clicks through XTest.
x11_shot() { import -window root -crop "${screen_width}x40+0+0" +repage "$1"; }
x11_activity() { xdotool mousemove_relative -- 1 1; xdotool mousemove_relative -- -1 -1; }
x11_main_window_aside() { # no window manager: the main window opens at the top left, over the bar
  xdotool search --onlyvisible --name '^Focus .* Pelmix$' windowmove %@ 100 200 >/dev/null 2>&1
}
x11_panel_geometry() { # "x y width height" of the program's open panel
  xwininfo -root -tree | awk 'NF > 2 && /"Pelmix": \("pelmix" "Pelmix"\)/ && $(NF-1) ~ /^220x/ {
    split($(NF-1), g, "[x+]"); print g[3], g[4], g[1], g[2]; exit }'
}
x11_bar_bottom() { # the last row of the bar: the window across the top of the screen
  xwininfo -root -tree | awk -v w="$screen_width" 'NF > 2 && $(NF-1) ~ "^" w "x[0-9]+\\+0\\+0$" {
    split($(NF-1), g, "[x+]"); if (g[2] >= 16 && g[2] <= 64) { print g[2] - 1; exit } }'
}

# The host's activation (a left click, or a middle one where the left opens the menu) opens the
# panel below the top bar (not over it), around the item.
expect_panel_beside_bar() {
  local bar_bottom=$1 centre=$((item_x + item_w / 2)) px py pw ph
  xdotool mousemove "$centre" "$((item_y + item_h / 2))" click "${activate_button:-1}"
  wait_for 5 answers x11_panel_geometry || fail "a left click on the item opened no panel"
  read -r px py pw ph <<<"$(x11_panel_geometry)"
  [ "$py" -gt "$bar_bottom" ] && [ "$py" -le $((bar_bottom + 4)) ] ||
    fail "the panel's top is at $py, the bar ends at $bar_bottom"
  [ "$px" -le "$centre" ] && [ "$centre" -le $((px + pw)) ] || fail "the panel ($px..$((px + pw))) is not at the item ($centre)"
  xdotool key Escape
  wait_for 5 silent x11_panel_geometry || fail "Escape did not close the panel"
}

# Right click, then the host's own menu: from no selection Up reaches the last entry.
x11_quit_from_host_menu() {
  xdotool mousemove "$((item_x + item_w / 2))" "$((item_y + item_h / 2))" click "${menu_button:-3}"
  sleep 1
  xdotool key Up Return
}

start_xfce() {
  need xfce4-panel
  write_xfce_panel_config
  xfce4-panel --disable-wm-check >"$work/host.log" 2>&1 &
  pids+=($!)
  ink=dark # XFCE's default bar is light
}

start_mate() {
  local service=/usr/libexec/ayatana-indicator-application/ayatana-indicator-application-service
  need mate-panel dconf "$service"
  # One panel along the top holding nothing but the indicator applet, which the Ayatana
  # application service (watcher and host) feeds: named icons only, and labels. (MATE's
  # notification-area applet, run this way, draws no icon of any item, not even one with a
  # stock icon name; it is not the one tested.)
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
  # The icon and the label beside it; Ayatana hosts open the menu with the left button and
  # activate with the middle one.
  min_item_width=60 menu_button=1 activate_button=2 ink=dark
}

start_lxqt() {
  need lxqt-panel
  mkdir -p "$home/.config/lxqt"
  cat >"$home/.config/lxqt/panel.conf" <<'CONF'
[General]
panels=top
iconTheme=hicolor

[top]
plugins=sni
position=Top
panelSize=28
alignment=1

[sni]
type=statusnotifier
CONF
  lxqt-panel >"$work/host.log" 2>&1 &
  pids+=($!)
  ink=light # LXQt's bar is dark without a theme
}

run_x11_host() {
  screen_width=1024
  make_pelmix_home
  # The host, and what the bus starts for it (xfconfd, dconf), share the program's home.
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" XDG_SESSION_TYPE=x11 NO_AT_BRIDGE=1
  unset WAYLAND_DISPLAY SESSION_MANAGER
  start_private_x "${screen_width}x600"
  start_session_bus
  "start_$host"
  wait_for 30 host_ready || fail "no StatusNotifierWatcher with a host came up"
  sleep 1
  x11_shot "$work/empty-bar.png"

  step "the item's icon in the bar"
  start_pelmix DISPLAY="$DISPLAY" XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb
  wait_for_item
  wait_for 10 x11_main_window_aside || fail "the main window was not found to move it off the bar"
  wait_for_drawn_item "$work/empty-bar.png" x11_shot "${min_item_width:-12}"
  echo "item at $item_x,$item_y ${item_w}x$item_h"
  expect_ink "$ink"

  step "presence through XTest input"
  expect_presence_cycle x11_activity

  step "a left click opens the panel beside the bar"
  expect_panel_beside_bar "$(x11_bar_bottom)"

  step "Quit Pelmix from the host's menu"
  x11_quit_from_host_menu
  expect_quit_recorded
  echo "PASS: $host"
}

# ---- Wayland hosts, without Xwayland: pointer input through the compositor's protocol for
# emulated devices (tests/desktops/wayland_input.cpp), pictures through grim.
wayland_input() { as_session env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$wayland" "$(dirname "$binary")/pelmix_wayland_input" "$@"; }
wayland_activity() { wayland_input nudge; }
wayland_click() { wayland_input click "$1" "$((item_x + item_w / 2))" "$((item_y + item_h / 2))" "$screen_width" "$screen_height"; }
# The tray's end of the bar only: the workspace buttons at the other end come and go.
sway_shot() { as_session env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$wayland" grim -g "$shot_left,0 200x22" - >"$1"; }
sway_windows() { # "name x y width height" of each window
  as_session env XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$(ls "$runtime"/sway-ipc.*.sock)" swaymsg -t get_tree -r |
    python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") or node.get("window"):
        r = node["rect"]; print(node["name"], r["x"], r["y"], r["width"], r["height"])
    for child in node.get("nodes", []) + node.get("floating_nodes", []): walk(child)
walk(json.load(sys.stdin))'
}
sway_panel() { sway_windows | awk '$1 == "Pelmix" && $4 == 220 {print $2, $3, $4, $5}'; }

start_sway() {
  need sway grim python3
  cat >"$work/sway.conf" <<CONF
xwayland disable
output HEADLESS-1 resolution ${screen_width}x${screen_height}
bar {
  position top
  tray_output *
}
CONF
  spawn_in_session env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin DBUS_SESSION_BUS_ADDRESS="$private_bus" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.conf" >"$work/host.log" 2>&1
  pids+=($!)
  wait_for 10 test -S "$runtime/$wayland" || fail "sway did not start"
}

run_wayland_host() {
  screen_width=1280 screen_height=800 wayland=wayland-1 shot_left=1080
  session_user
  make_pelmix_home
  runtime=$work/runtime
  mkdir -p "$runtime"
  chmod 700 "$runtime"
  [ -n "${as_user:-}" ] && chown -R "$as_user" "$home" "$runtime"
  pelmix_runtime=$runtime
  # The session's bus, where the bar's tray is the watcher and the host.
  spawn_in_session env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$wayland" PATH=/usr/bin:/bin \
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>/dev/null
  pids+=($!)
  wait_for 10 test -s "$work/bus" || fail "dbus-daemon did not start"
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
  private_bus=$DBUS_SESSION_BUS_ADDRESS
  "start_$host"
  wait_for 30 host_ready || fail "no StatusNotifierWatcher with a host came up"
  sleep 1
  "${host}_shot" "$work/empty-bar.png"

  step "the item's icon in the bar"
  start_pelmix WAYLAND_DISPLAY="$wayland" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP="$host"
  grep -q "GraphicalSession:" "$work/pelmix.log" && fail "$(grep GraphicalSession: "$work/pelmix.log")"
  wait_for_item
  wait_for_drawn_item "$work/empty-bar.png" "${host}_shot" 12
  echo "item at $item_x,$item_y ${item_w}x$item_h"
  expect_ink light

  step "presence through the compositor's input"
  expect_presence_cycle wayland_activity

  step "a left click opens the panel (where the compositor puts it)"
  wayland_click left
  wait_for 5 answers "${host}_panel" || fail "a left click on the item opened no panel: $("${host}_windows")"

  step "Quit Pelmix from the panel the right button opens"
  local px py pw ph
  read -r px py pw ph <<<"$("${host}_panel")"
  wayland_click right
  sleep 1
  # The last entry of the panel.
  wayland_input click left "$((px + pw / 2))" "$((py + ph - 16))" "$screen_width" "$screen_height"
  expect_quit_recorded
  echo "PASS: $host"
}

# ---- GNOME Shell, headless on Wayland without Xwayland; input through Mutter's RemoteDesktop,
# pictures and window places from the shell itself, in the unsafe mode a test extension turns on.
gnome() { "$(dirname "$0")/gnome_remote.py" "$@"; }
gnome_input() { # COMMAND...: through the test's one remote-desktop session
  local answer
  echo "$*" >"$work/remote-in"
  read -r answer <"$work/remote-out"
  [ "$answer" = ok ] || fail "remote desktop input: $answer"
}
gnome_activity() { gnome_input nudge; }
gnome_shot() {
  gdbus call --session -d org.gnome.Shell.Screenshot -o /org/gnome/Shell/Screenshot \
    -m org.gnome.Shell.Screenshot.ScreenshotArea "$shot_left" 0 "$((screen_width - shot_left))" 30 false "$1" >/dev/null
}
gnome_windows() {
  gnome eval 'global.get_window_actors().map(a => { const w = a.meta_window, r = w.get_frame_rect();
    return [w.get_title(), r.x, r.y, r.width, r.height].join(" "); }).join("\n")'
}
gnome_panel() { gnome_windows | awk '$1 == "Pelmix" && $4 == 220 {print $2, $3, $4, $5}'; }
gnome_main_window() { gnome_windows | grep -q '^Focus — Pelmix '; }
# The centre of the shell's label that reads $1 (an entry of the menu it draws).
gnome_label_centre() {
  gnome eval "(function find(a) { if (a.text === '$1' && a.visible) { const [x, y] = a.get_transformed_position();
    const [w, h] = a.get_transformed_size(); return Math.round(x + w / 2) + ' ' + Math.round(y + h / 2); }
    for (const c of a.get_children()) { const r = find(c); if (r) return r; } return ''; })(global.stage)"
}

start_gnome() {
  need gnome-shell gdbus
  # The shell asks logind about the session: a private system bus with nobody on it.
  cat >"$work/system.conf" <<CONF
<busconfig><type>system</type><listen>unix:dir=$work</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/></policy></busconfig>
CONF
  dbus-daemon --config-file="$work/system.conf" --nofork --print-address=3 3>"$work/system-bus" 2>/dev/null &
  pids+=($!)
  wait_for 10 test -s "$work/system-bus" || fail "the system bus did not start"
  export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$work/system-bus")
  local unsafe=$XDG_DATA_HOME/gnome-shell/extensions/pelmix-test-unsafe@pelmix.org
  mkdir -p "$unsafe"
  echo '{"uuid": "pelmix-test-unsafe@pelmix.org", "name": "Unsafe mode for tests", "description": "tests", "shell-version": ["43"]}' \
    >"$unsafe/metadata.json"
  echo 'function init() { return { enable() { global.context.unsafe_mode = true; }, disable() {} }; }' >"$unsafe/extension.js"
  local extensions="'pelmix-test-unsafe@pelmix.org'"
  [ "$host" = gnome-appindicator ] && extensions+=", 'ubuntu-appindicators@ubuntu.com'"
  gsettings set org.gnome.shell enabled-extensions "[$extensions]"
  gsettings set org.gnome.desktop.interface enable-animations false
  gnome-shell --headless --wayland --no-x11 --virtual-monitor "${screen_width}x${screen_height}" \
    --wayland-display="$wayland" >"$work/host.log" 2>&1 &
  pids+=($!)
  wait_for 30 bash -c "gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval 1 2>/dev/null | grep -q true" ||
    fail "GNOME Shell did not come up"
}

run_gnome_host() {
  screen_width=1280 screen_height=800 wayland=wayland-gnome shot_left=980
  make_pelmix_home
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" NO_AT_BRIDGE=1 GTK_A11Y=none
  unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER
  start_session_bus
  start_gnome
  if [ "$host" = gnome-appindicator ]; then
    wait_for 30 host_ready || fail "the AppIndicator extension registered no host"
  fi
  mkfifo "$work/remote-in" "$work/remote-out"
  gnome serve "$work/remote-in" "$work/remote-out" >"$work/remote.log" 2>&1 &
  pids+=($!)
  sleep 1
  gnome_shot "$work/empty-bar.png"
  start_pelmix WAYLAND_DISPLAY="$wayland" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
  grep -q "GraphicalSession:" "$work/pelmix.log" && fail "$(grep GraphicalSession: "$work/pelmix.log")"

  step "presence through Mutter's remote desktop input"
  expect_presence_cycle gnome_activity

  if [ "$host" = gnome ]; then
    step "no tray: the main window is the home; logging out ends the program"
    wait_for 10 gnome_main_window || fail "no main window: $(gnome_windows)"

    step "GNOME's do not disturb holds the reminders"
    gsettings set org.gnome.desktop.notifications show-banners false
    wait_for 10 grep -q "BreakHold: holding reminders (do not disturb)" "$work/pelmix.log" || fail "no hold for do not disturb"
    gsettings set org.gnome.desktop.notifications show-banners true
    wait_for 10 grep -q "BreakHold: hold ended (do not disturb)" "$work/pelmix.log" || fail "the hold did not end"
    kill -TERM "$pelmix" # what the session does at logout
    expect_quit_recorded
    echo "PASS: $host"
    return
  fi

  step "the item's icon and label in the top bar"
  wait_for_item
  wait_for_drawn_item "$work/empty-bar.png" gnome_shot 60
  echo "item at $item_x,$item_y ${item_w}x$item_h"
  expect_ink light

  step "the middle button (the extension's activation) opens the panel near the item"
  gnome_input click middle "$((item_x + item_w / 2))" "$((item_y + item_h / 2))"
  wait_for 5 answers gnome_panel || fail "the middle button opened no panel: $(gnome_windows)"
  local px py pw ph
  read -r px py pw ph <<<"$(gnome_panel)"
  [ "$px" -ge $((screen_width / 2)) ] && [ "$py" -lt $((screen_height / 3)) ] ||
    fail "the panel opened at $px,$py, far from the item at $item_x,$item_y"

  step "Quit Pelmix from the extension's menu"
  gnome_input click left "$((item_x + item_w / 2))" "$((item_y + item_h / 2))"
  wait_for 5 answers gnome_label_centre 'Quit Pelmix' || fail "the extension's menu shows no Quit Pelmix"
  # shellcheck disable=SC2046
  gnome_input click left $(gnome_label_centre 'Quit Pelmix')
  expect_quit_recorded
  echo "PASS: $host"
}

# ---- Weston: a Wayland compositor with no idle protocol at all.
weston_shot() { (cd "$work" && rm -f wayland-screenshot-*.png && WAYLAND_DISPLAY=$wayland timeout 10 weston-screenshooter >/dev/null &&
  mv wayland-screenshot-*.png "$1"); }

run_weston_host() {
  need weston weston-screenshooter
  wayland=wayland-weston
  make_pelmix_home
  export XDG_RUNTIME_DIR="$home/runtime"
  # --debug lets the screenshot tool in.
  weston --backend=headless-backend.so --use-pixman --socket="$wayland" --width=1024 --height=600 --debug \
    --idle-time=0 >"$work/host.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -S "$XDG_RUNTIME_DIR/$wayland" || fail "weston did not start"
  sleep 1
  weston_shot "$work/desktop.png" || fail "no screenshot of weston"

  step "the alert says what the session lacks, and Pelmix keeps running"
  start_pelmix WAYLAND_DISPLAY="$wayland" XDG_SESSION_TYPE=wayland
  wait_for 10 grep -q "ActivityMonitor: prompting for accessibility permission" "$work/pelmix.log" ||
    fail "no alert about the missing idle protocol"
  # The alert over the main window, both new on the desktop.
  alert_shown() { weston_shot "$work/alert.png" && changed_box "$work/desktop.png" "$work/alert.png" >/dev/null; }
  wait_for 10 alert_shown || fail "nothing new on the desktop"
  [ -n "${PELMIX_DESKTOP_PICTURES:-}" ] && cp "$work/alert.png" "$PELMIX_DESKTOP_PICTURES/weston-alert.png"
  sleep 2
  kill -0 "$pelmix" 2>/dev/null || fail "Pelmix ended"
  [ -z "$(presence_turns)" ] || fail "presence without an idle protocol: $(presence_turns)"
  kill -TERM "$pelmix"
  expect_quit_recorded_without_work
  echo "PASS: $host"
}

# ---- KWin on its own (no Plasma panel, so no tray): ext-idle-notify-v1, input through its fake
# input, which it grants to programs whose launcher names that interface.
kwin_activity() { WAYLAND_DISPLAY=$wayland "$(dirname "$binary")/pelmix_wayland_input" nudge; }

run_kwin_host() {
  need kwin_wayland
  wayland=wayland-kwin
  make_pelmix_home
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$home/runtime"
  unset DISPLAY WAYLAND_DISPLAY
  mkdir -p "$XDG_DATA_HOME/applications"
  cat >"$XDG_DATA_HOME/applications/pelmix-wayland-input.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Pelmix test input
Exec=$(dirname "$binary")/pelmix_wayland_input
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
DESKTOP
  start_session_bus
  # The packaged binary carries a file capability that a sandbox may refuse; a copy has none.
  cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
  "$work/kwin_wayland" --virtual --no-lockscreen --no-global-shortcuts --socket "$wayland" --width 1280 --height 800 \
    >"$work/host.log" 2>&1 &
  local kwin=$!
  pids+=($kwin)
  wait_for 15 test -S "$XDG_RUNTIME_DIR/$wayland" || fail "kwin_wayland did not start"

  step "presence through KWin's idle notifications and fake input"
  start_pelmix WAYLAND_DISPLAY="$wayland" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE
  wait_for 10 grep -q "observing activity through ext-idle-notify-v1" "$work/pelmix.log" || fail "not through ext-idle-notify-v1"
  expect_presence_cycle kwin_activity

  step "the compositor going away ends the program, with the open session recorded"
  sleep 2 # work seconds to record
  kill -KILL "$kwin"
  ended_with=any expect_quit_recorded
  echo "PASS: $host"
}

case $host in
  xfce | mate | lxqt) run_x11_host ;;
  sway) run_wayland_host ;;
  gnome | gnome-appindicator) run_gnome_host ;;
  weston) run_weston_host ;;
  kwin) run_kwin_host ;;
  *) echo "unknown host $host" >&2; exit 2 ;;
esac
