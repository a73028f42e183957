#!/usr/bin/env bash
# Start of the real program with ten years of history (100,000 sessions, from bench_history)
# and with none, alternately, on a private Xvfb with a tray (jwm) and a session bus: the time
# from launch to its first window, the resident memory with the window open, then closed (as
# a user leaves it, the tray shown), and then after a break is taken (which records the work
# session and saves the history) and the whole history is exported over the bus.
#
#   bench/history_start.sh [build] [rounds]          (defaults: build 3)
#
# Targets, with 100,000 sessions: the window within 0.15 s and, with the window closed, at
# most 40 MB resident.
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-3}
[ -x "$build/bin/pelmix" ] && [ -x "$build/bin/bench_history" ] || { echo "build first" >&2; exit 2; }
source "$(dirname "$0")/../scripts/private-desktop.sh"
start_private_x 1280x800
start_tray_window_manager 400
start_session_bus
"$build/bin/bench_history" --write "$work/sessions.json"

resident() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' /proc/$pelmix/status; }
pelmix_call() {
  dbus-send --session --print-reply --dest=org.pelmix.Pelmix /org/pelmix/Pelmix "org.pelmix.Pelmix1.$@" >/dev/null
}

echo "sessions  window after  resident MB: window open  closed  after a save and an export"
for round in $(seq "$rounds"); do
  for history in none 100000; do
    make_home onboarded
    [ "$history" = none ] || cp "$work/sessions.json" "$home/Documents/Pelmix/sessions.json"
    started=$(date +%s%N)
    run_pelmix "$build/bin/pelmix" "$work/log"
    for _ in $(seq 1000); do [ -n "$(xdotool search --pid "$pelmix" 2>/dev/null | head -n1)" ] && break; sleep 0.005; done
    shown=$(date +%s%N)
    sleep 2
    open=$(resident)
    window=$(xdotool search --onlyvisible --name '^Focus .* Pelmix$' 2>/dev/null | head -n1)
    [ -n "$window" ] && xdotool windowactivate --sync "$window" key alt+F4 >/dev/null 2>&1 || true
    sleep 3
    closed=$(resident)
    pelmix_call TakeBreak
    pelmix_call Export string:json string: string:
    sleep 1
    printf '%8s  %8d ms  %22s  %6s  %s\n' "$history" $(((shown - started) / 1000000)) "$open" "$closed" "$(resident)"
    kill "$pelmix"; wait "$pelmix" 2>/dev/null || true
    rm -rf "$home"
  done
done
