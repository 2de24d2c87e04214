#!/usr/bin/env bash
# Start-up and idle cost of the program next to a bare Qt window with as many controls, under
# Xvfb, in one run: time from exec to the window mapped (median of N starts), then idle RSS and
# idle CPU over a quiet period. Usage: bench/startup_bench.sh BUILD_DIR [RUNS] [IDLE_SECONDS]
set -u
build=${1:-build/release}
runs=${2:-10}
idle=${3:-20}
. "$(dirname "$0")/../tests/smoke/xvfb_session.sh"

now_ms() { date +%s%3N; }
ticks_per_s=$(getconf CLK_TCK)

# start_and_time PROGRAM TITLE: sets pid and elapsed (milliseconds until a window of that title
# is viewable).
start_and_time() {
  local program=$1 title=$2 t0 wid
  rm -f "$XDG_RUNTIME_DIR"/*.lock
  t0=$(now_ms)
  "$program" >/dev/null 2>&1 &
  pid=$!
  while :; do
    wid=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.002
  done
  elapsed=$(($(now_ms) - t0))
}

measure() {  # measure LABEL PROGRAM TITLE
  local label=$1 program=$2 title=$3 times=()
  for _ in $(seq "$runs"); do
    start_and_time "$program" "$title"
    times+=("$elapsed")
    kill "$pid"; wait "$pid" 2>/dev/null
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  start_and_time "$program" "$title"
  sleep 3
  local rss_kb cpu0 cpu1
  cpu0=$(awk '{print $14 + $15}' /proc/$pid/stat)
  sleep "$idle"
  cpu1=$(awk '{print $14 + $15}' /proc/$pid/stat)
  rss_kb=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
  kill "$pid"; wait "$pid" 2>/dev/null
  awk -v l="$label" -v m="$median" -v r="$rss_kb" -v c0="$cpu0" -v c1="$cpu1" -v hz="$ticks_per_s" \
      -v s="$idle" 'BEGIN { printf "%-12s start %5d ms   idle RSS %7.1f MiB   idle CPU %5.2f %%\n",
                            l, m, r / 1024, (c1 - c0) / hz / s * 100 }'
}

echo "median of $runs starts; idle figures over ${idle} s after 3 s of rest"
measure tovasel "$build/app/tovasel" TovaselV1.6
measure bare-qt "$build/bench/bare_window" BareWindow
