#!/usr/bin/env bash
# Pelmix beside the break reminders Debian ships (Workrave, Safe Eyes, RSIBreak), measured the
# same way in one run: each program alone on a private Xvfb with a tray (jwm's XEmbed dock) and
# a private session bus, in its own throw-away home, in interleaved rounds. For each: resident,
# proportional and unique memory (RSS, PSS, USS from smaps_rollup, over the program and its
# children), CPU (time on CPU from schedstat, of all threads) and voluntary wake-ups per second
# (context switches of all threads) while the pointer moves ten times a second and then with no
# input, start to first window (the tray icon) and threads. Prints min and median of the rounds.
#
#   bench/peers.sh [path/to/pelmix] [rounds] [seconds]      (defaults: build/bin/pelmix 3 20)
#
# Installs the peers it misses from Debian (as root, or through sudo).
set -euo pipefail

binary=$(realpath "${1:-build/bin/pelmix}")
rounds=${2:-3}
seconds=${3:-20}
[ -x "$binary" ] || { echo "no program at $binary (build first)" >&2; exit 2; }
missing=()
for package in workrave safeeyes rsibreak xvfb jwm xdotool dbus; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

source "$(dirname "$0")/../scripts/private-desktop.sh"
start_private_x 1280x800
start_tray_window_manager 400
start_session_bus
xdotool mousemove 1200 760

# The process and its descendants.
family() {
  local pid=$1
  echo "$pid"
  for child in $(pgrep -P "$pid" 2>/dev/null); do family "$child"; done
}
# "rss pss uss" in kB over the family.
memory() {
  for pid in $(family "$1"); do cat /proc/"$pid"/smaps_rollup 2>/dev/null; done |
    awk '/^Rss:/ {r += $2} /^Pss:/ {p += $2} /^Private_(Clean|Dirty):/ {u += $2} END {print r, p, u}'
}
# "tid cpu_ns voluntary_switches" for each of the family's threads.
counters() {
  for pid in $(family "$1"); do
    for task in /proc/"$pid"/task/*; do
      echo "${task##*/} $(awk '{print $1}' "$task/schedstat" 2>/dev/null || echo 0) $(awk '/^voluntary_ctxt/ {print $2}' "$task/status" 2>/dev/null || echo 0)"
    done
  done
}
moving=""
start_input() {
  ( while true; do xdotool mousemove_relative -- 3 0 >/dev/null 2>&1; sleep 0.1
      xdotool mousemove_relative -- -3 0 >/dev/null 2>&1; sleep 0.1; done ) &
  moving=$!
}
stop_input() { [ -n "$moving" ] && kill "$moving" 2>/dev/null; wait "$moving" 2>/dev/null || true; moving=""; }
# over SECONDS: "cpu_percent wakeups_per_s"; threads come and go (Qt's pool), so the deltas
# are taken per thread.
rate() {
  counters "$1" >"$work/before"; sleep "$seconds"; counters "$1" >"$work/after"
  awk -v s="$seconds" 'NR == FNR { c[$1] = $2; v[$1] = $3; next }
    { cpu += $2 - ($1 in c ? c[$1] : 0); wake += $3 - ($1 in v ? v[$1] : 0) }
    END { printf "%.3f %.2f\n", cpu / 1e9 / s * 100, wake / s }' "$work/before" "$work/after"
}

launch() { # name home -> pid
  local name=$1 home=$2
  case $name in
    Pelmix) command=("$binary") ;;
    Workrave) command=(workrave) ;;
    "Safe Eyes") command=(safeeyes) ;;
    RSIBreak) command=(rsibreak) ;;
  esac
  env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" XDG_SESSION_TYPE=x11 \
    QT_QPA_PLATFORM=xcb "${command[@]}" >"$home/log" 2>&1 &
  echo $!
}

programs=(Pelmix Workrave "Safe Eyes" RSIBreak)
: >"$work/results"
for round in $(seq "$rounds"); do
  for name in "${programs[@]}"; do
    home="$work/home-$round-${name// /}"
    mkdir -p "$home/.config/Pelmix" "$home/runtime" "$home/Documents/Pelmix"
    chmod 700 "$home/runtime"
    printf '[General]\nhasCompletedOnboarding=true\n' >"$home/.config/Pelmix/Pelmix.conf"
    started=$(date +%s%N)
    pid=$(launch "$name" "$home")
    shown=""
    for _ in $(seq 500); do
      if [ -n "$(xdotool search --pid "$pid" 2>/dev/null | head -n1)" ]; then shown=$(date +%s%N); break; fi
      sleep 0.01
    done
    # Each peer starts in its tray; Pelmix opens its window for a user who has set it up, so
    # that is closed, as a user leaves it.
    if [ "$name" = Pelmix ]; then
      sleep 2
      window=$(xdotool search --onlyvisible --name '^Focus .* Pelmix$' 2>/dev/null | head -n1)
      [ -n "$window" ] && xdotool windowactivate --sync "$window" key alt+F4 >/dev/null 2>&1 || true
    fi
    sleep 5
    start_input; sleep 2
    active=$(rate "$pid"); stop_input; sleep 5
    idle=$(rate "$pid")
    read -r rss pss uss <<<"$(memory "$pid")"
    threads=$(counters "$pid" | wc -l)
    start=$(awk -v a="$started" -v b="${shown:-0}" 'BEGIN { print (b > 0 ? sprintf("%.2f", (b - a) / 1e9) : "-") }')
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$name" "$rss" "$pss" "$uss" "$active" "$idle" "$start" "$threads" \
      >>"$work/results"
    for member in $(family "$pid" | tac); do kill "$member" 2>/dev/null || true; done
    wait "$pid" 2>/dev/null || true
    sleep 1
  done
done

echo "$(date -u +%Y-%m-%d), $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo); $rounds rounds of ${seconds} s active and ${seconds} s idle; min / median"
echo "| program | RSS MB | PSS MB | USS MB | CPU % active | CPU % idle | wake-ups/s active | wake-ups/s idle | start to first window s | threads |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for name in "${programs[@]}"; do
  awk -F'\t' -v n="$name" '
    function stat(col, scale, fmt,   vals, k, i, j, t) {
      k = 0; for (i = 1; i <= rows; ++i) if (v[i, col] != "-") vals[++k] = v[i, col] / scale
      if (k == 0) return "-"
      for (i = 1; i <= k; ++i) for (j = i + 1; j <= k; ++j) if (vals[j] < vals[i]) { t = vals[i]; vals[i] = vals[j]; vals[j] = t }
      return sprintf(fmt " / " fmt, vals[1], vals[int((k + 1) / 2)])
    }
    $1 == n { ++rows; split($5, a, " "); split($6, b, " ")
      v[rows, 1] = $2; v[rows, 2] = $3; v[rows, 3] = $4; v[rows, 4] = a[1]; v[rows, 5] = b[1]
      v[rows, 6] = a[2]; v[rows, 7] = b[2]; v[rows, 8] = $7; v[rows, 9] = $8 }
    END { printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", n, stat(1, 1024, "%.1f"),
      stat(2, 1024, "%.1f"), stat(3, 1024, "%.1f"), stat(4, 1, "%.3f"), stat(5, 1, "%.3f"),
      stat(6, 1, "%.2f"), stat(7, 1, "%.2f"), stat(8, 1, "%.2f"), stat(9, 1, "%d") }' "$work/results"
done
