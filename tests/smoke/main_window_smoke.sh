#!/usr/bin/env bash
# The real program under Xvfb: the window as it opens, the hotkey, edge docking, the second copy
# and the end by Escape.
program=$1
. "$(dirname "$0")/xvfb_session.sh"

"$program" >"$smoke_tmp/first.log" 2>&1 &
first=$!
wait_for 20 window_exists TovaselV1.6
wid=$(window_by_name TovaselV1.6)
check "window titled TovaselV1.6 is mapped" test -n "$wid"
[ -n "$wid" ] || { echo "no window"; cat "$smoke_tmp/first.log"; exit 1; }
wait_for 5 is_viewable "$wid"
check "outer size 432x240" test "$(window_size "$wid")" = 432x240
check "centred" test "$(window_left "$wid"),$(window_top "$wid")" = "744,420"

xdotool mousemove 100 900
xdotool key Home
check "Home hides the window" wait_for 5 is_unmapped "$wid"
xdotool key Home
check "Home shows it again" wait_for 5 is_viewable "$wid"

# Docking at the top: dragged to top 0, the mouse away, then back at the edge.
xdotool windowmove "$wid" 100 0
xdotool mousemove 300 700
check "hides at the top leaving 3 pixels" wait_for 5 top_is "$wid" -237
xdotool mousemove 300 0
check "comes back when the mouse touches the top" wait_for 5 top_is "$wid" 0
xdotool windowmove "$wid" 744 420
xdotool mousemove 900 500

"$program" >"$smoke_tmp/second.log" 2>&1 &
second=$!
wait_for 20 window_exists '信息：'
box=$(window_by_name '信息：')
check "second copy shows its message box" test -n "$box"
if [ -n "$box" ]; then
  # The message must be the refusal text; the dialog shows it as its label.
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
fi
check "second copy ends with 0" process_ended_with "$second" 0
check "first copy still runs" kill -0 "$first"

xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key Escape
check "Escape ends the program with 0" process_ended_with "$first" 0

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
