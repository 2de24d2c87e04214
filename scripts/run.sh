#!/usr/bin/env bash
# Starts the program from a build folder. Without a display it runs under a private Xvfb,
# saves a screenshot of the main window and ends, since nobody could see it otherwise.
set -euo pipefail
build=${1:-build/release}
program="$build/app/tovasel"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

echo "run: no display here; starting the program under Xvfb and saving a screenshot instead."
shots="$build/screenshots"
mkdir -p "$shots"
tmp=$(mktemp -d)
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
exec 9>"$tmp/displayfd"
Xvfb -displayfd 9 -screen 0 1280x800x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/displayfd" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/displayfd")"
"$program" &
pid=$!
for _ in $(seq 100); do
  wid=$(xdotool search --name '^TovaselV1.6$' 2>/dev/null | head -n1) && [ -n "$wid" ] && break
  sleep 0.1
done
sleep 1
if command -v import >/dev/null && import -window "$wid" "$shots/main-window.png" 2>/dev/null; then
  echo "run: screenshot saved to $shots/main-window.png"
fi
xdotool windowfocus --sync "$wid" key Escape 2>/dev/null || kill "$pid"
wait "$pid"
