#!/usr/bin/env bash
# Quavero.exe under Wine: first and second start, the command line with a skin folder, the
# window options of a skin file, the remembered position, and the Default skin on screen.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
# No iTunes here: the shell's "iTunes" must not start the stand-in of other checks.
wine "$standin" --unregister >/dev/null 2>&1 || true

# A skin with every window option this check looks at.
mkdir -p "$app/Skins/Probe"
printf '%s\r\n' "skinname=Probe" "width=200" "height=50" "left=100" "top=80" \
  "backgroundcolor=&H00FF00" "roundwindow=20" "transparency=180" "ontop=true" \
  "rememberpos=true" > "$app/Skins/Probe/skin.ini"
probe_folder="$(win_path "$app/Skins/Probe")\\"

echo "first start on a clean prefix"
start_quavero
first=$quavero_pid
check "the Default skin window appears" wait_until 20 window_shown
check "RunCount becomes 1" equals "$(setting RunCount)" 1
line=$(probe)
check "a borderless pop-up without a taskbar button" \
  bash -c "grep -q 'toolwindow=1 popup=1 caption=0' <<<'$line'"
check "at 330 pixels left of the right screen edge, 40 from the top" \
  bash -c "grep -q 'left=694 top=40 width=300 height=64' <<<'$line'"
wait_until 5 bash -c "[ \"\$(wine '$probe' | tr -d '\r' | grep -o 'alpha=[0-9]*')\" = alpha=235 ]" || true
check "the fade-in reaches the skin's level of 235" equals "$(probe_value alpha)" 235

shot=$build/e2e-default.png
import -window root "$shot"
pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
brightest() { convert "$shot" -crop "$1" -colorspace Gray -format '%[fx:int(255*maxima)]' info:; }
near() { # "r,g,b" "r,g,b" tolerance
  IFS=, read -r a b c <<<"$1"; IFS=, read -r x y z <<<"$2"
  local d=$(( (a-x)*(a-x) + (b-y)*(b-y) + (c-z)*(c-z) ))
  [ $d -le $(( $3 * $3 )) ] || { echo "    colour $1 is not near $2" >&2; return 1; }
}
check "the background picture is drawn (inset panel left of the labels)" \
  near "$(pixel $((694 + 40)) $((40 + 12)))" "38,44,56" 24
check "the play button shows its glyph" near "$(pixel $((694 + 39)) $((40 + 32)))" "216,222,233" 40
check "the previous button sits left of it" near "$(pixel $((694 + 10)) $((40 + 32)))" "109,125,150" 60
check "the title label shows its text" bash -c "[ $(brightest 200x16+$((694 + 86))+$((40 + 9))) -gt 180 ]"
check "the progress groove is empty" near "$(pixel $((694 + 150)) $((40 + 50)))" "13,16,22" 20

echo "second start"
start_quavero
second=$quavero_pid
check "a second start ends at once" wait_until 10 process_ended "$second"
check "and leaves RunCount unchanged" equals "$(setting RunCount)" 1
check "the first program still runs" kill -0 "$first"

close_windows
check "closing the last skin window ends the program" wait_until 10 process_ended "$first"

echo "a normal start while the program runs in desk band mode"
mkdir -p "$app/Deskband/Default"
printf '%s\r\n' "skinname=Band" "left=0" "top=0" > "$app/Deskband/Default/skin.ini"
start_quavero Deskband 0
band=$quavero_pid
check "the desk band skin opens" wait_until 20 window_shown
start_quavero
check "a normal start ends at once" wait_until 10 process_ended "$quavero_pid"
check "and leaves RunCount unchanged" equals "$(setting RunCount)" 1
close_windows
check "the desk band program closes with its window" wait_until 10 process_ended "$band"
check "the Default skin remembered its position" \
  equals "$(tr -d '\r' < "$app/Skins/Default/position.ini" | tr '\n' '|')" " 10410| 600|"

echo "command line with a skin folder and a position"
start_quavero "${probe_folder}|120|240"
check "the skin opens" wait_until 20 window_shown
line=$(probe)
check "at 120 and 240 twips (8 and 16 pixels)" bash -c "grep -q 'left=8 top=16 width=200 height=50' <<<'$line'"
check "topmost" bash -c "grep -q 'topmost=1' <<<'$line'"
check "layered at 180" bash -c "grep -q 'layered=1 alpha=180' <<<'$line'"
check "with round corners" bash -c "grep -q 'region=complex corner=0 middle=1' <<<'$line'"
check "RunCount counts this start" equals "$(setting RunCount)" 2
close_windows
check "closing ends the program" wait_until 10 process_ended "$quavero_pid"
check "position.ini holds the edges in twips" \
  equals "$(tr -d '\r' < "$app/Skins/Probe/position.ini" | tr '\n' '|')" " 120| 240|"

echo "the next start restores the remembered position"
set_setting CurrentSkin Probe
start_quavero
check "the Probe skin opens" wait_until 20 window_shown
check "where it was left" bash -c "probe_line=\$(wine '$probe' | tr -d '\r'); grep -q 'left=8 top=16' <<<\"\$probe_line\""
end_quavero

echo "command line with a folder alone"
start_quavero "$probe_folder"
check "opens no skin window but its tray icon" \
  wait_until 10 bash -c "xdotool search --name 'Wine System Tray' >/dev/null"
check "and no skin window" bash -c "[ -z \"\$(wine '$probe' | tr -d '\r')\" ]"
xdotool mousemove 13 32; sleep 0.3; xdotool click 3; sleep 0.8
xdotool mousemove 53 $((32 + 11 + 16 * 8)); sleep 0.4; xdotool click 1
check "Quit from the icon's menu ends it" wait_until 10 process_ended "$quavero_pid"

echo "show brings a window to the top"
mkdir -p "$app/Skins/Stack/upper"
printf '%s\r\n' "skinname=Lower" "left=300" "top=300" 'runcode=showskin=upper\|20|20' \
  > "$app/Skins/Stack/skin.ini"
printf '%s\r\n' "skinname=Upper" "timerevent=2000;show" > "$app/Skins/Stack/upper/skin.ini"
set_setting CurrentSkin Stack
start_quavero
first_in_z_order() { wine "$probe" | tr -d '\r' | head -n 1 | grep -o 'left=[0-9]*'; }
check "two windows, the one shown last on top" \
  wait_until 20 bash -c "[ \$(wine '$probe' | tr -d '\r' | grep -c 'visible=1') -eq 2 ] && [ \"\$(wine '$probe' | tr -d '\r' | head -n 1 | grep -o 'left=[0-9]*')\" = left=300 ]"
check "the code show brings the other to the top" wait_until 5 bash -c "[ \"\$(wine '$probe' | tr -d '\r' | head -n 1 | grep -o 'left=[0-9]*')\" = left=320 ]"
end_quavero
set_setting CurrentSkin Default
