#!/usr/bin/env bash
# The demo program under Xvfb with short songs. First the headless tour: it must end with 0,
# leave screenshots and name the songs it heard. Then the window as a user meets it: a click on
# the next-song button turns the window caption into the first song's "title - artist", and when
# that song ends the caption turns into the next one's, with no further input. The station makes
# the same songs on every start, so the tour's list says which captions to expect.
program=$1
. "$(dirname "$0")/xvfb_session.sh"

song_seconds=3
settings="$smoke_tmp/settings"
shots="$smoke_tmp/shots"

# The caption as the window manager reads it (_NET_WM_NAME is UTF-8), without the quotes.
caption_of() {
  xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}
caption_is() { [ "$(caption_of "$1")" = "$2" ]; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }
all_png() {
  local f n=0
  for f in "$shots"/*.png; do
    [ -e "$f" ] || return 1
    is_png "$f" || return 1
    n=$((n + 1))
  done
  [ "$n" -ge 4 ]
}

# --- The tour ---
timeout 150 "$program" --tour "$shots" --song-seconds "$song_seconds" --settings-dir "$settings" \
  >"$smoke_tmp/tour.out" 2>"$smoke_tmp/tour.log"
tour_code=$?
check "tour ends with 0" test "$tour_code" -eq 0
check "tour wrote PNG screenshots (start and one per song)" all_png
check "tour named three songs" test "$(grep -c ' - ' "$smoke_tmp/tour.out")" -eq 3
check "tour's first two songs differ" test "$(sed -n 1p "$smoke_tmp/tour.out")" != \
  "$(sed -n 2p "$smoke_tmp/tour.out")"
first_song=$(sed -n 1p "$smoke_tmp/tour.out")
second_song=$(sed -n 2p "$smoke_tmp/tour.out")

# --- The window ---
"$program" --song-seconds "$song_seconds" --settings-dir "$settings" >"$smoke_tmp/demo.log" 2>&1 &
demo=$!
wait_for 30 window_exists TovaselV1.6
wid=$(window_by_name TovaselV1.6)
check "demo window titled TovaselV1.6 is mapped" test -n "$wid"
[ -n "$wid" ] || { echo "no window"; cat "$smoke_tmp/demo.log"; exit 1; }
wait_for 10 is_viewable "$wid"

# 下一曲 stands at (379,157), 30x30, on the player panel at (-16,-1): its centre is (378,171).
xdotool mousemove --window "$wid" 378 171 click 1
check "a click on 下一曲 shows the first song in the caption" \
  wait_for 30 caption_is "$wid" "$first_song"
check "the next song follows by itself when the first ends" \
  wait_for $((song_seconds + 30)) caption_is "$wid" "$second_song"
echo "captions: '$first_song', then '$second_song'"

xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key Escape
check "Escape ends the demo with 0" process_ended_with "$demo" 0

if [ "$failures" -ne 0 ]; then
  echo "--- tour output:"; cat "$smoke_tmp/tour.out" "$smoke_tmp/tour.log"
  echo "--- demo output:"; cat "$smoke_tmp/demo.log"
fi
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
