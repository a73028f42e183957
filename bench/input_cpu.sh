#!/usr/bin/env bash
# CPU use of the whole program while the X server receives a stream of pointer motion.
#
#   bench/input_cpu.sh [BUILD_DIR] [RATE] [SECONDS]     (defaults: build 1000 10)
#
# Starts a private Xvfb and the program on it, with a throw-away home folder, waits until
# its input tap is installed, then measures the program's CPU time (user + system, all
# threads, from /proc/<pid>/stat) over SECONDS seconds without input and over SECONDS
# seconds of RATE XTest relative motion events a second. Reports percent of one core.
set -euo pipefail

build=$(realpath "${1:-build}")
rate=${2:-1000}
seconds=${3:-10}
program=$build/bin/pelmix
injector=$build/bin/bench_input
for f in "$program" "$injector"; do
  [ -x "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

source "$(dirname "$0")/../scripts/private-desktop.sh"
start_private_x 1280x800
display=$DISPLAY
make_home
run_pelmix "$program" "$work/program.log"
program_pid=$pelmix

for _ in $(seq 100); do
  grep -q "requestPermission called, trusted=true" "$work/program.log" 2>/dev/null && break
  kill -0 "$program_pid" 2>/dev/null || { echo "the program ended:" >&2; cat "$work/program.log" >&2; exit 1; }
  sleep 0.1
done
grep -q "requestPermission called, trusted=true" "$work/program.log" ||
  { echo "the program did not install its input tap:" >&2; cat "$work/program.log" >&2; exit 1; }
sleep 1 # let start-up settle

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { # utime + stime of all threads; the fields after the parenthesised name
  sed 's/^.*) //' "/proc/$program_pid/stat" | awk '{ print $12 + $13 }'
}
cpu_ns() { # time on a CPU of all threads, in nanoseconds (finer than the clock ticks above)
  cat /proc/"$program_pid"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'
}
now() { date +%s.%N; }

measure() { # label, command...
  local label=$1; shift
  local t0 c0 n0 t1 c1 n1
  t0=$(now); c0=$(cpu_ticks); n0=$(cpu_ns)
  "$@"
  t1=$(now); c1=$(cpu_ticks); n1=$(cpu_ns)
  awk -v l="$label" -v c="$((c1 - c0))" -v n="$((n1 - n0))" -v hz="$ticks_per_second" -v t0="$t0" -v t1="$t1" \
    'BEGIN { printf "%-24s %5.2f %% of one core (/proc/pid/stat: %d ticks of 1/%d s in %.2f s; schedstat: %.3f %%)\n",
             l, 100 * c / hz / (t1 - t0), c, hz, t1 - t0, 100 * n / 1e9 / (t1 - t0) }'
}

echo "program pid $program_pid on display $display"
measure "idle, no input:" sleep "$seconds"
measure "$rate motion events/s:" env DISPLAY="$display" "$injector" --inject "$rate" "$seconds"
echo "target: < 1 % of one core at 1000 events a second"

presence="$home/Documents/Pelmix/presence_log.txt"
[ -f "$presence" ] && echo "presence log: $(wc -l <"$presence") line(s), last: $(tail -n1 "$presence")"
