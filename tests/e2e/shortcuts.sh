#!/usr/bin/env bash
# Keyboard shortcuts under Wine against the stand-in: a skin's shortcut is a system-wide hotkey
# that runs its code, personal shortcuts belong to the first window, two lines with the same
# combination show the conflict message, and a closed window lets go of its hotkeys.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
calls() { journal_count "$1"; }
# Keys sent to one of Wine's windows reach its hotkeys whatever has the focus. On a loaded
# machine the X window may be mapped a little after Windows calls it visible: wait for it.
press() { # keys
  local window tries
  for tries in $(seq 50); do
    for window in $(xdotool search --onlyvisible --name '^Quavero$' 2>/dev/null); do
      xdotool key --window "$window" "$1" 2>/dev/null && return 0
    done
    sleep 0.2
  done
  echo "    (no Quavero window took the keys $1)" >&2
}

mkdir -p "$app/Skins/Keys/keep" "$app/Skins/Keys/again"
printf '%s\r\n' "skinname=Keys" "left=10" "top=10" \
  "keyboardshortcut=CONTROL+ALT+LEFTARROW;nexttrack" \
  "keyboardshortcut=CONTROL+ALT+UPARROW;showskin=keep\\" \
  'keyboardshortcut=CONTROL+ALT+DOWNARROW;{closeskin}{showskin=again\}' > "$app/Skins/Keys/skin.ini"
printf '%s\r\n' "skinname=Keep" "left=10" "top=300" > "$app/Skins/Keys/keep/skin.ini"
printf '%s\r\n' "skinname=Again" "left=10" "top=500" \
  "keyboardshortcut=CONTROL+ALT+DOWNARROW;nexttrack" > "$app/Skins/Keys/again/skin.ini"
printf '%s\r\n' "keyboardshortcut=CONTROL+ALT+RIGHTARROW;previoustrack" > "$app/personal.ini"
set_setting CurrentSkin Keys
start_standin
WINEDEBUG=-all,+msgbox,+debugstr wine "$app/Quavero.exe" >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "the skin window opens" wait_until 20 window_shown
check "and connects" wait_until 10 journal_has 'Events.Advise call -> [0-9]'


echo "a skin's shortcut"
press ctrl+alt+Left
# Now and then on a loaded machine the first keys sent to a window Wine has just mapped are
# lost before they reach any program (no code runs, no beep): then press once more, and say so.
if ! wait_until 5 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.NextTrack call') -ge 1 ]"; then
  echo "    (the first press brought nothing; beeps so far: $(grep -c 'Quavero: beep' "$build/e2e-msgbox.log" || true); pressing again)"
  press ctrl+alt+Left
fi
check "Control+Alt+Left reaches iTunes as NextTrack, once" \
  wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.NextTrack call') -eq 1 ]"
sleep 1
check "and only once" equals "$(calls 'Application.NextTrack call')" 1

echo "personal shortcuts"
press ctrl+alt+Up  # opens a second Keep window, which reads no personal.ini
check "a second window opens" wait_until 10 bash -c "[ \$(wine '$probe' | tr -d '\r' | grep -c 'visible=1') -eq 2 ]"
check "without a conflict message" bash -c "! grep -q 'conflict in key combinations' '$build/e2e-msgbox.log'"
press ctrl+alt+Right
check "the personal shortcut runs its code once" \
  wait_until 5 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.PreviousTrack call') -eq 1 ]"

echo "closing lets go of the hotkeys"
press ctrl+alt+Down  # the Keys window closes, then opens Again with the same combination
check "the Again window opens" wait_until 10 bash -c "wine '$probe' | tr -d '\r' | grep -q 'top=500'"
check "and takes the combination without a conflict message" \
  bash -c "! grep -q 'conflict in key combinations' '$build/e2e-msgbox.log'"
before=$(calls 'Application.NextTrack call')
press ctrl+alt+Down
check "its own code answers the combination now" \
  wait_until 5 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.NextTrack call') -gt $before ]"
check "the closed window's shortcut is gone" \
  bash -c "sleep 1; [ \$(wine '$probe' | tr -d '\r' | grep -c 'top=10 ') -eq 0 ]"
end_quavero

echo "two lines with the same combination"
mkdir -p "$app/Skins/Twice"
printf '%s\r\n' "skinname=Twice" "left=10" "top=10" "keyboardshortcut=WIN+P;nexttrack" \
  "keyboardshortcut=win+p;previoustrack" > "$app/Skins/Twice/skin.ini"
: > "$app/personal.ini"
set_setting CurrentSkin Twice
WINEDEBUG=-all,+msgbox,+debugstr wine "$app/Quavero.exe" >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "the conflict message appears" wait_until 20 grep -q 'conflict in key combinations' "$build/e2e-msgbox.log"
check "naming the first record" grep -q 'Debug: {False;False;False;True;80}' "$build/e2e-msgbox.log"
check "titled Error!" \
  wait_until 10 bash -c "xdotool search --onlyvisible --name '^Error!\$' >/dev/null 2>&1"
set_setting CurrentSkin Default
