#!/usr/bin/env bash
# Start of the real program with ten years of history (100,000 sessions, from bench_history)
# and with none, alternately: time from launch to its first window on a private Xvfb with a
# tray (jwm) and a session bus, and the resident memory 4 s later, once the history is read.
#
#   bench/history_start.sh [build] [rounds]          (defaults: build 3)
#
# Targets: the window within 0.15 s and at most 40 MB resident with 100,000 sessions.
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-3}
[ -x "$build/bin/pelmix" ] && [ -x "$build/bin/bench_history" ] || { echo "build first" >&2; exit 2; }
source "$(dirname "$0")/../scripts/private-desktop.sh"
start_private_x 1280x800
start_tray_window_manager 400
start_session_bus
"$build/bin/bench_history" --write "$work/sessions.json"

for round in $(seq "$rounds"); do
  for history in none 100000; do
    make_home onboarded
    [ "$history" = none ] || cp "$work/sessions.json" "$home/Documents/Pelmix/sessions.json"
    started=$(date +%s%N)
    run_pelmix "$build/bin/pelmix" "$work/log"
    for _ in $(seq 1000); do [ -n "$(xdotool search --pid "$pelmix" 2>/dev/null | head -n1)" ] && break; sleep 0.005; done
    shown=$(date +%s%N)
    sleep 4
    printf 'round %d, %6s sessions: window after %4d ms, %5.1f MB resident\n' "$round" "$history" \
      $(((shown - started) / 1000000)) "$(awk '/^VmRSS/ {print $2 / 1024}' /proc/$pelmix/status)"
    kill "$pelmix"; wait "$pelmix" 2>/dev/null || true
    rm -rf "$home"
  done
done
