#!/usr/bin/env bash
# Starts the demo program (the radio on its embedded demo station) from a build folder. Without
# a display it runs the headless tour under a private Xvfb instead: the tour presses the
# next-song button, lets the songs follow one another, prints the songs it heard and saves
# screenshots of the main window.
set -euo pipefail
build=${1:-build/release}
program="$build/demo/tovasel-demo"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

shots="$build/tour"
echo "run: no display here, so the demo runs its headless tour under Xvfb;"
echo "run: screenshots of the main window go to $shots/"
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
exec 9>&-
"$program" --tour "$shots"
