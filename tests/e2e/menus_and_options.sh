#!/usr/bin/env bash
# The tray icon, the pop-up menu and the options window under Wine: switching, refreshing,
# closing and reloading skins from the menu, the options saved, and quitting.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
for skin in Alpha:100 Zulu:200; do
  name=${skin%%:*}
  mkdir -p "$app/Skins/$name"
  printf '%s\r\n' "skinname=$name" "left=100" "top=${skin##*:}" "width=120" "height=30" \
    "backgroundcolor=&H8000" > "$app/Skins/$name/skin.ini"
done
set_setting CurrentSkin Alpha
# The menu opens at the pointer: entry i of a menu whose corner is at (x, y) lies 16 pixels
# below entry i - 1; a submenu opens beside its entry.
entry() { xdotool mousemove $(($1 + 40)) $(($2 + 11 + 16 * $3)); sleep 0.4; }
choose() { entry "$@"; xdotool click 1; sleep 0.5; }
sub_choose() { # x y entry sub-entry
  entry "$1" "$2" "$3"
  xdotool mousemove $(($1 + 215)) $(($2 + 11 + 16 * $3 + 16 * $4)); sleep 0.4; xdotool click 1; sleep 0.5
}
menu_on() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 3; sleep 0.8; }
windows_at() { wine "$probe" | tr -d '\r' | grep -o 'top=[0-9]*' | sort | tr '\n' ' '; }

start_standin
start_quavero
check "the skin window appears" wait_until 20 window_shown
check "the tray icon is there" wait_until 10 bash -c "xdotool search --name 'Wine System Tray' >/dev/null"

echo "Load Skin"
menu_on 110 110
import -window root "$build/e2e-menu.png"
sub_choose 110 110 2 2  # Alpha, Default, Zulu
check "choosing a skin switches to it" wait_until 10 bash -c "[ \"\$(wine '$probe' | tr -d '\r' | grep -o 'top=[0-9]*' | tr '\n' ' ')\" = 'top=200 ' ]"
check "CurrentSkin is written" equals "$(setting CurrentSkin)" Zulu
check "iTunes keeps running" kill -0 "$standin_pid"
check "and was not told to quit" bash -c "! grep -q 'Application.Quit' '$journal'"

echo "Refresh Skin List"
mkdir -p "$app/Skins/Beta/sub"
printf '%s\r\n' "skinname=Beta" "left=100" "top=300" "width=120" "height=30" \
  'runcode=showskin=sub\' > "$app/Skins/Beta/skin.ini"
printf '%s\r\n' "skinname=BetaSub" "left=400" "top=300" "width=120" "height=30" > "$app/Skins/Beta/sub/skin.ini"
menu_on 110 210
sub_choose 110 210 2 3  # Refresh Skin List, last of Alpha, Default, Zulu
menu_on 110 210
sub_choose 110 210 2 1  # now Alpha, Beta, Default, Zulu
check "a folder added since appears in the list" wait_until 10 bash -c "wine '$probe' | tr -d '\r' | grep -q 'left=400 top=300'"

echo "Close Skin on the second window"
menu_on 410 310
choose 410 310 7
check "closes only that window" wait_until 10 bash -c "[ \"\$(wine '$probe' | tr -d '\r' | grep -c 'visible=1')\" = 1 ] && wine '$probe' | tr -d '\r' | grep -q 'left=100 top=300'"

echo "Reload from the tray icon"
before=$(wine "$probe" | tr -d '\r' | grep -o 'hwnd=[0-9]*')
menu_on 13 32
choose 13 32 1
check "reloads the current skin in a new window" wait_until 10 bash -c \
  "now=\$(wine '$probe' | tr -d '\r' | grep 'left=100 top=300' | grep -o 'hwnd=[0-9]*'); [ -n \"\$now\" ] && [ \"\$now\" != '$before' ]"

echo "Options"
options_window() { xdotool search --onlyvisible --name '^Options$' 2>/dev/null | head -n 1; }
options_shown() { [ -n "$(options_window)" ]; }
menu_on 110 310
choose 110 310 6
check "the options window opens" wait_until 10 options_shown
import -window root "$build/e2e-options.png"
xdotool windowfocus --sync "$(options_window)" 2>/dev/null || true
xdotool key Escape
check "Escape closes it" wait_until 5 bash -c "! xdotool search --onlyvisible --name '^Options\$' >/dev/null"
check "without saving" bash -c "[ ! -e '$app/openwithitunes.opt' ]"
menu_on 110 310
choose 110 310 6
wait_until 10 options_shown || true
xdotool windowfocus --sync "$(options_window)" 2>/dev/null || true
xdotool key Tab space Return  # clear "Open Quavero with iTunes", then Save Settings
check "saving writes the option file as one line \"0\"" wait_until 5 bash -c \
  "[ \"\$(od -c '$app/openwithitunes.opt' 2>/dev/null | head -n 1)\" = '0000000   0  \\r  \\n' ]"
check "and closes the window" wait_until 5 bash -c "! xdotool search --onlyvisible --name '^Options\$' >/dev/null"
check "the boxes ticked by default were saved ticked" \
  equals "$(setting CloseiTunesOnExit) $(setting OpenQuaveroWithiTunes) $(setting QuaveroTrayIcon)" "1 0 1"
set_setting CloseiTunesOnExit 0

echo "Quit"
menu_on 110 310
choose 110 310 8
check "Quit ends the program" wait_until 10 process_ended "$quavero_pid"
check "and leaves iTunes running" kill -0 "$standin_pid"
set_setting CurrentSkin Default
