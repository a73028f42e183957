# Sourced by the benchmark and screenshot scripts: a throw-away folder ($work), a private X
# server, optionally a tray-hosting window manager or a private session bus, and a home folder
# for the program. Every process started through here (its pid added to "pids") is stopped, with
# its direct children (what a bus daemon started on demand), and $work removed, on exit.

work=$(mktemp -d)
pids=()
private_desktop_cleanup() {
  local pid children=()
  for pid in "${pids[@]}"; do children+=($(pgrep -P "$pid" || true)); done
  for pid in "${pids[@]}" "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap private_desktop_cleanup EXIT

# start_private_x WIDTHxHEIGHT: an Xvfb on a free display (it reports the number), exported as DISPLAY.
start_private_x() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# start_tray_window_manager SPACER_WIDTH: jwm with a tray along the top, the dock SPACER_WIDTH in.
start_tray_window_manager() {
  cat >"$work/jwmrc" <<JWM
<?xml version="1.0"?>
<JWM>
  <Tray x="0" y="0" height="28"><Spacer width="$1"/><Dock/></Tray>
  <WindowStyle><Font>DejaVu Sans-9</Font></WindowStyle>
  <Key mask="A" key="F4">close</Key>
</JWM>
JWM
  jwm -f "$work/jwmrc" >/dev/null 2>&1 &
  pids+=($!)
}

# start_window_manager: jwm with no tray of its own, for a desktop host that brings one.
start_window_manager() {
  printf '<?xml version="1.0"?>\n<JWM><Key mask="A" key="F4">close</Key></JWM>\n' >"$work/jwmrc"
  jwm -f "$work/jwmrc" >/dev/null 2>&1 &
  pids+=($!)
}

# write_xfce_panel_config: in $home, one XFCE panel along the top holding only the systray
# plugin (XEmbed and StatusNotifierItem host).
write_xfce_panel_config() {
  mkdir -p "$home/.config/xfce4/xfconf/xfce-perchannel-xml"
  cat >"$home/.config/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
}

# start_session_bus: a private session dbus-daemon, exported as DBUS_SESSION_BUS_ADDRESS for the
# helpers started next; run_pelmix then connects the program to it instead of running it busless.
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.1; done
  [ -s "$work/bus" ] || { echo "dbus-daemon did not start" >&2; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
  private_bus=$DBUS_SESSION_BUS_ADDRESS
}

# make_home [onboarded]: $home with the program's folders; "onboarded" skips the first-run flow.
make_home() {
  home="$work/home"
  mkdir -p "$home/.config/Pelmix" "$home/runtime" "$home/Documents/Pelmix"
  chmod 700 "$home/runtime"
  [ "${1:-}" = onboarded ] && printf '[General]\nhasCompletedOnboarding=true\n' >"$home/.config/Pelmix/Pelmix.conf"
  return 0
}

# run_pelmix BINARY LOG: starts the program in $home on $DISPLAY, without a session bus unless
# start_session_bus made one; sets $pelmix.
run_pelmix() {
  env -u WAYLAND_DISPLAY -u SESSION_MANAGER \
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$home/runtime" XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb \
    DBUS_SESSION_BUS_ADDRESS="${private_bus:-disabled:}" "$1" >"$2" 2>&1 &
  pelmix=$!
  pids+=($pelmix)
}
