#!/usr/bin/env bash
# The Default skin as a remote control under Wine, against the stand-in: what plays, the time
# and the bar moving on, the buttons and the seek bar reaching iTunes, events and timers
# running their codes, a failing code's message, and fades.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
start_standin
start_quavero_logged "$build/e2e-quavero.log"
check "the Default skin window appears" wait_until 20 window_shown
sleep 2
x0=694 y0=40
shot() { import -window root "$build/e2e-rc-$1.png"; }
region() { convert "$build/e2e-rc-$1.png" -crop "$2" +repage -format '%#' info:; }  # a hash of its pixels
bar_pixels() { convert "$build/e2e-rc-$1.png" -crop 205x6+$((x0 + 86))+$((y0 + 48)) +repage \
  -fx 'b > 0.6 && r < 0.6 ? 1 : 0' -format '%[fx:int(mean*w*h+0.5)]' info:; }
title="204x16+$((x0 + 86))+$((y0 + 9))"
time_label="30x14+$((x0 + 86))+$((y0 + 28))"

shot a
sleep 2
shot b
check "the time label advances" bash -c "[ '$(region a "$time_label")' != '$(region b "$time_label")' ]"
check "the progress bar grows" bash -c "[ $(bar_pixels b) -gt $(bar_pixels a) ]"
check "the title label shows the track (not its template)" \
  bash -c "[ \$(convert '$build/e2e-rc-b.png' -crop $title -colorspace Gray -format '%[fx:int(255*maxima)]' info:) -gt 180 ]"
send next
sleep 1
shot c
check "a track change changes the title label" bash -c "[ '$(region b "$title")' != '$(region c "$title")' ]"

xdotool mousemove $((x0 + 41)) $((y0 + 32)) click 1
check "a click on play/pause reaches iTunes" wait_until 5 journal_has 'Application.PlayPause call'
xdotool mousemove $((x0 + 41)) $((y0 + 32)) click 1
send play
sleep 2
xdotool mousemove $((x0 + 87)) $((y0 + 50)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((x0 + 87 + step * 20)) $((y0 + 50)); sleep 0.05; done
xdotool mouseup 1
# 101 of 205 pixels of the second demo track (187 seconds): about 92 seconds.
seek=$(tr -d '\r' < "$journal" | grep 'PlayerPosition put' | tail -n 1 | awk '{ print $3 }')
check "a drag on the progress bar seeks near the dragged fraction ($seek s)" \
  bash -c "[ -n '$seek' ] && [ '$seek' -ge 86 ] && [ '$seek' -le 98 ]"
end_quavero

echo "a skin's events, timers and a failing code"
mkdir -p "$app/Skins/Codes"
printf '%s\r\n' "skinname=Codes" "left=100" "top=100" "width=200" "height=40" \
  "backgroundcolor=&H404040" "event=newsong;volumeup" "timerevent=900;volumedown" \
  "formclick=repeat" > "$app/Skins/Codes/skin.ini"
set_setting CurrentSkin Codes
WINEDEBUG=-all,+msgbox wine "$app/Quavero.exe" >/dev/null 2>"$build/e2e-msgbox.log" & quavero_pid=$!
check "the skin opens" wait_until 20 window_shown
ups=$(journal_count 'SoundVolume put')
send next
check "the newsong event runs its code" wait_until 5 bash -c \
  "[ \$(tr -d '\r' < '$journal' | grep -c 'SoundVolume put') -gt $ups ]"
downs=$(journal_count 'SoundVolume put')
check "the timer runs its code at its interval" wait_until 5 bash -c \
  "[ \$(tr -d '\r' < '$journal' | grep -c 'SoundVolume put') -ge $((downs + 2)) ]"
xdotool mousemove 150 120 click 1
check "a code that fails while iTunes is usable shows the RunCode message" \
  wait_until 5 grep -q 'There was an error in the RunCode procedure' "$build/e2e-msgbox.log"
xdotool key Return
end_quavero

echo "a press during a fade-out"
mkdir -p "$app/Skins/Fade"
printf '%s\r\n' "skinname=Fade" "left=100" "top=100" "width=200" "height=40" \
  "backgroundcolor=&H808080" "event=newsong;fadeclose" > "$app/Skins/Fade/skin.ini"
set_setting CurrentSkin Fade
start_quavero
check "the skin opens opaque" wait_until 20 window_shown
send next
check "a new song starts its fade-out" wait_until 5 bash -c \
  "a=\$(wine '$probe' | tr -d '\r' | grep -o 'alpha=[0-9]*' | cut -d= -f2); [ -n \"\$a\" ] && [ \$a -lt 230 ]"
xdotool mousemove 150 120 click 1
sleep 1
level=$(probe_value alpha)
check "a press stops it: the window stays open at the level it had reached ($level)" \
  bash -c "[ '$(probe_value visible)' = 1 ] && [ -n '$level' ] && [ '$level' -gt 0 ] && [ '$level' -lt 230 ]"
sleep 1
check "and keeps that level" equals "$(probe_value alpha)" "$level"
end_quavero

# The window's opacity read N times, 0.3 s apart, and the different values among readings.
alpha_samples() { local s=" "; for _ in $(seq "$1"); do s+="$(probe_value alpha) "; sleep 0.3; done; echo "$s"; }
distinct() { printf '%s\n' "$@" | sort -u | paste -sd ' '; }

echo "a timer that fades the window in every 8 ms"
mkdir -p "$app/Skins/FadeTimer"
printf '%s\r\n' "skinname=FadeTimer" "left=100" "top=100" "width=200" "height=40" \
  "backgroundcolor=&H8080FF" "timerevent=8;fadein" > "$app/Skins/FadeTimer/skin.ini"
set_setting CurrentSkin FadeTimer
start_quavero
check "the skin opens" wait_until 20 window_shown
sleep 5
levels=$(alpha_samples 6)
check "five seconds later it still runs, fading in again and again (alpha:$levels)" \
  bash -c "kill -0 $quavero_pid && [ $(distinct $levels | wc -w) -gt 1 ]"
close_windows
check "and closes when asked" wait_until 10 process_ended "$quavero_pid"

echo "a fade-in to a level above 255"
mkdir -p "$app/Skins/FadeHigh"
printf '%s\r\n' "skinname=FadeHigh" "left=100" "top=100" "width=200" "height=40" \
  "backgroundcolor=&H80FF80" "transparency=32767" "showaction=fadein" > "$app/Skins/FadeHigh/skin.ini"
set_setting CurrentSkin FadeHigh
start_quavero
check "the skin opens" wait_until 20 window_shown
sleep 4
levels=$(alpha_samples 4)
check "runs once over the opacities and settles at the level's own, 255 (alpha:$levels)" \
  equals "$(distinct $levels)" 255
close_windows
check "and closes when asked" wait_until 10 process_ended "$quavero_pid"
set_setting CurrentSkin Default
