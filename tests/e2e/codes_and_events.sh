#!/usr/bin/env bash
# Codes against the stand-in under Wine: a newsong code that plays does not raise itself for
# ever, and a group whose first command closes its window still runs the rest.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
calls() { journal_count "$1"; }

echo "event=newsong;{pause}{play}"
mkdir -p "$app/Skins/Echo"
printf '%s\r\n' "skinname=Echo" "left=10" "top=10" "event=newsong;{pause}{play}" \
  > "$app/Skins/Echo/skin.ini"
set_setting CurrentSkin Echo
start_standin
start_quavero
check "the skin window appears" wait_until 20 window_shown
check "and hears the stand-in's events" wait_until 10 journal_has 'Events.Advise call -> [0-9]'
send pause  # the demo plays from the start: the user pauses, then plays in iTunes
sleep 1.5
send play
check "the newsong code runs" wait_until 5 journal_has 'Application.Play call'
sleep 3
check "once: one pause and one play, then quiet" \
  equals "$(calls 'Application.Pause call') $(calls 'Application.Play call')" "1 1"
send pause
sleep 1.5
send play  # a later press in iTunes raises newsong again
sleep 3
check "a later press in iTunes runs it once more" \
  equals "$(calls 'Application.Pause call') $(calls 'Application.Play call')" "2 2"
end_quavero

echo "{fadeclose}{quit} from a timer"
mkdir -p "$app/Skins/Fade"
printf '%s\r\n' "skinname=Fade" "left=10" "top=10" "timerevent=3000;{fadeclose}{quit}" \
  > "$app/Skins/Fade/skin.ini"
advised=$(calls 'Events.Advise call -> [0-9]')
# Opened from the command line, Quavero starts no iTunes of its own to race with the stand-in.
start_quavero "$(win_path "$app/Skins/Fade")\\|150|150"
check "the skin window appears" wait_until 20 window_shown
check "and connects before its timer runs" \
  wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Events.Advise call -> [0-9]') -gt $advised ]"
check "the fade closes the window and the rest of the code quits iTunes" \
  wait_until 15 journal_has 'Application.Quit call'
check "without an error box" bash -c "! xdotool search --onlyvisible --name '^Error!\$' >/dev/null 2>&1"
check "Quavero ends" wait_until 10 process_ended "$quavero_pid"
check "and so does the stand-in" wait_until 10 process_ended "$standin_pid"
set_setting CurrentSkin Default
