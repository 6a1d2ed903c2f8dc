#!/usr/bin/env bash
# Moving a skin window by hand under Wine: a key with Shift shows the "Move Window" overlay, a
# drag on it moves the window, and the new place is the one remembered.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks

start_quavero
check "the Default skin window appears" wait_until 20 window_shown
wait_until 5 bash -c "[ \"\$(wine '$probe' | tr -d '\r' | grep -o 'alpha=[0-9]*')\" = alpha=235 ]" || true
xdotool mousemove 860 60 click 1 >/dev/null  # activates and focuses the skin window
sleep 0.3
# The overlay shows while a key is held with Shift; releasing the key hides it.
xdotool keydown shift keydown a
sleep 0.5
shot=$build/e2e-move.png
import -window root "$shot"
bright=$(convert "$shot" -crop 300x64+694+40 -colorspace Gray -format '%[fx:int(255*mean)]' info:)
check "the overlay covers the window (it is darker than the skin)" bash -c "[ $bright -lt 40 ]"
check "the overlay reads \"Move Window\"" bash -c \
  "[ \$(convert '$shot' -crop 120x20+784+62 -colorspace Gray -format '%[fx:int(255*maxima)]' info:) -gt 180 ]"

xdotool mousemove 760 70 mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do xdotool mousemove $((760 - step * 20)) $((70 + step * 10)); sleep 0.05; done
xdotool mouseup 1
sleep 0.5
left=$(probe_value left)
top=$(probe_value top)
check "the drag moved the window by the pointer's way" bash -c "[ $left -eq $((694 - 200)) ] && [ $top -eq $((40 + 100)) ]"
xdotool keyup a keyup shift
sleep 0.3
import -window root "$shot"
bright=$(convert "$shot" -crop 300x64+$left+$top -colorspace Gray -format '%[fx:int(255*mean)]' info:)
check "the overlay is gone after the drag" bash -c "[ $bright -gt 40 ]"

close_windows
check "closing ends the program" wait_until 10 process_ended "$quavero_pid"
check "the new place is remembered" \
  equals "$(tr -d '\r' < "$app/Skins/Default/position.ini" | tr '\n' '|')" " $((left * 15))| $((top * 15))|"
