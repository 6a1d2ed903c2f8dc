#!/usr/bin/env bash
# Timed lyrics under Wine against the stand-in: a skin's lyrics line shows the default text,
# then the line due; a track without a file shows the empty default; closing the window stops
# its clock while the program goes on with its other window.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
mkdir -p "$app/Skins/Lyr/other" "$app/Lyrics/The Tidewater Band"
printf '%s\r\n' "skinname=Lyr" "left=100" "top=100" "width=300" "height=30" "backgroundcolor=0" \
  "label=5;5;290;20;" "labelcolor=1;&HFFFFFF" "labelfont=1;Tahoma;12" "lyrics=1" \
  'runcode=showskin=other\' > "$app/Skins/Lyr/skin.ini"
printf '%s\r\n' "skinname=Other" "left=100" "top=300" > "$app/Skins/Lyr/other/skin.ini"
printf '%s\r\n' "[CantixSyncFile]1" "[DefaultLyrics]Waiting" "[TimeOffset]0" "[Lyrics]" \
  "[1]Lanterns on the water" "[60]" "[EndLyrics]" > "$app/Lyrics/The Tidewater Band/Harbour Lights.lyr"
set_setting CurrentSkin Lyr
label() { # a hash of label 1's pixels now
  import -window root "$build/e2e-lyrics.png"
  convert "$build/e2e-lyrics.png" -crop 290x20+105+105 +repage -format '%#' info:
}
blank() { # label 1 shows nothing at all
  import -window root "$build/e2e-lyrics.png"
  [ "$(convert "$build/e2e-lyrics.png" -crop 290x20+105+105 +repage -format '%[fx:maxima]' info:)" = 0 ]
}
not_blank() { ! blank; }
reads_in() { # position reads that reached the stand-in in that many seconds
  local before after
  before=$(journal_count 'PlayerPosition get'); sleep "$1"; after=$(journal_count 'PlayerPosition get')
  echo $((after - before))
}

start_standin
start_quavero
check "two skin windows open" wait_until 20 bash -c "[ \$(wine '$probe' | tr -d '\r' | grep -c 'visible=1') -eq 2 ]"
send stop
sleep 1
send play  # the first demo track from its start
sleep 0.3
waiting=$(label)
check "the label shows the default text at start" not_blank
sleep 1.7
now=$(label)
check "and the line due after a second of playing" bash -c "[ '$now' != '$waiting' ]"
check "(which is not nothing)" not_blank
send next  # a track without a lyrics file
check "a track without a file shows the empty default text" wait_until 5 blank

echo "closing the lyrics window"
reading=$(reads_in 2)
check "while it runs, its clock reads the position about ten times a second" bash -c "[ $reading -ge 12 ]"
xdotool mousemove 110 110; sleep 0.3; xdotool click 3; sleep 0.8
xdotool mousemove 150 $((110 + 11 + 16 * 7)); sleep 0.4; xdotool click 1  # Close Skin
check "the window closes" wait_until 10 bash -c "[ \$(wine '$probe' | tr -d '\r' | grep -c 'visible=1') -eq 1 ]"
sleep 1
reading=$(reads_in 2)
check "its clock stops (only the other window's progress ticks read the position)" bash -c "[ $reading -le 8 ]"
check "and the program goes on" kill -0 "$quavero_pid"
end_quavero
set_setting CurrentSkin Default
