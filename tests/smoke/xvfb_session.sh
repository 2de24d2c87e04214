# Sourced by the smoke tests: a private Xvfb display and runtime folder for this run, removed on
# exit. Sets DISPLAY, XDG_RUNTIME_DIR and QT_QPA_PLATFORM.
set -u

smoke_tmp=$(mktemp -d /tmp/tovasel-smoke-XXXXXX)
export XDG_RUNTIME_DIR="$smoke_tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
unset WAYLAND_DISPLAY

exec 9>"$smoke_tmp/displayfd"
Xvfb -displayfd 9 -screen 0 1920x1080x24 -noreset -nolisten tcp >"$smoke_tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$smoke_tmp/displayfd" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$smoke_tmp/displayfd")"
exec 9>&-

smoke_cleanup() {
  for pid in $(jobs -p); do kill "$pid" 2>/dev/null; done
  kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$smoke_tmp"
}
trap smoke_cleanup EXIT

failures=0
passes=0
check() {  # check NAME COMMAND...: records one result
  local name=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
    echo "ok: $name"
  else
    failures=$((failures + 1))
    echo "FAILED: $name"
  fi
}

# wait_for SECONDS COMMAND...: true once the command succeeds within the time
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  while [ $SECONDS -le $deadline ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

window_by_name() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }
map_state() { xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }
is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
is_unmapped() { [ "$(map_state "$1")" = IsUnMapped ]; }
window_top() { xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p'; }
window_left() { xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p'; }
top_is() { [ "$(window_top "$1")" = "$2" ]; }
window_exists() { test -n "$(window_by_name "$1")"; }
window_size() {
  local w h
  w=$(xwininfo -id "$1" | sed -n 's/.*Width: *//p')
  h=$(xwininfo -id "$1" | sed -n 's/.*Height: *//p')
  echo "${w}x${h}"
}
process_ended_with() {  # process_ended_with PID CODE: waits for PID and compares its exit code
  local code=0
  wait "$1" || code=$?
  [ "$code" -eq "$2" ]
}
