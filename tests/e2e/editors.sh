#!/usr/bin/env bash
# The skin editor and the shortcut manager under Wine: opened from the menu, driven from the
# keyboard, saving the files in their layout and reloading the skin; a save while another
# program holds the file open fails, says so and loses nothing.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
entry() { xdotool mousemove $(($1 + 40)) $(($2 + 11 + 16 * $3)); sleep 0.4; }
choose() { entry "$@"; xdotool click 1; sleep 0.5; }
menu_on() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 3; sleep 0.8; }
dialog() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
dialog_shown() { [ -n "$(dialog "$1")" ]; }
# Keys typed into a dialog: it is given the focus first.
keys_to() { # caption keys...
  local window
  window=$(dialog "$1"); shift
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
  xdotool key --delay 60 "$@"
}
type_to() { # caption text
  local window
  window=$(dialog "$1")
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool type --delay 60 "$2"
}
tabs() { local keys=() i; for ((i = 0; i < $1; i++)); do keys+=(Tab); done; echo "${keys[@]}"; }
first_hwnd() { probe | head -n 1 | grep -o 'hwnd=[0-9]*'; }
bytes_of() { od -An -c "$1" | tr -s ' ' | tr -d '\n'; }

mkdir -p "$app/Skins/Edit"
printf '%s\r\n' "skinname=Edit" "// drawn by hand" "" "left=100" "top=100" "width=120" \
  "height=30" "scrolltimer=" "runcode=a=b" "keyboardshortcut=CONTROL+ALT+UPARROW;nexttrack" \
  "backgroundcolor=&H8000" > "$app/Skins/Edit/skin.ini"
printf '%s\r\n' "keyboardshortcut=CONTROL+ALT+DOWNARROW;previoustrack" > "$app/personal.ini"
set_setting CurrentSkin Edit
start_standin
WINEDEBUG=-all,+msgbox wine "$app/Quavero.exe" >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "the skin window opens" wait_until 20 window_shown

echo "the skin editor"
editor="Skin Configuration Editor"
menu_on 110 110
choose 110 110 5
check "opens from \"Skin Configuration\"" wait_until 10 dialog_shown "$editor"
sleep 2
import -window root "$build/e2e-skin-editor.png"
before=$(first_hwnd)
keys_to "$editor" $(tabs 5) space  # to "Save and Reload Skin"
check "\"Save and Reload Skin\" writes the same lines back, scrolltimer= as scrolltimer=NONE" \
  wait_until 10 bash -c "[ \"\$(tr -d '\r' < '$app/Skins/Edit/skin.ini' | tr '\n' '|')\" = \
'skinname=Edit|// drawn by hand||left=100|top=100|width=120|height=30|scrolltimer=NONE|runcode=a=b|keyboardshortcut=CONTROL+ALT+UPARROW;nexttrack|backgroundcolor=&H8000|' ]"
check "with Windows line ends" bash -c "[ \$(grep -c \$'\r\$' '$app/Skins/Edit/skin.ini') -eq 11 ]"
check "and the skin reloads" wait_until 10 bash -c "now=\$(wine '$probe' | tr -d '\r' | head -n 1 | grep -o 'hwnd=[0-9]*'); [ -n \"\$now\" ] && [ \"\$now\" != '$before' ]"
check "the editor stays open" dialog_shown "$editor"
keys_to "$editor" Escape
sleep 1
check "Escape does not throw the editor's work away" dialog_shown "$editor"
keys_to "$editor" alt+F4
check "its close box closes it" wait_until 10 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^$editor\$' 2>/dev/null)\" ]"

echo "the shortcut manager"
manager="Manage Keyboard Shortcuts"
menu_on 110 110
choose 110 110 4
check "opens from \"Manage Keyboard Shortcuts\"" wait_until 10 dialog_shown "$manager"
sleep 2
import -window root "$build/e2e-shortcut-manager.png"
keys_to "$manager" $(tabs 13)  # to the personal frame's "Keys:" field
type_to "$manager" "CONTROL+ALT+N"
keys_to "$manager" $(tabs 8) space  # "Add New": the code defaults to PlayPause
sleep 2
import -window root "$build/e2e-shortcut-manager-added.png"
keys_to "$manager" $(tabs 5) space  # "Save and Reload"
check "the skin file keeps its other lines first, then the marker and its shortcuts" \
  wait_until 10 bash -c "[ \"\$(tr -d '\r' < '$app/Skins/Edit/skin.ini' | tr '\n' '|')\" = \
'skinname=Edit|// drawn by hand||left=100|top=100|width=120|height=30|scrolltimer=NONE|runcode=a=b|backgroundcolor=&H8000|'\"'\"'Keyboard Shortcuts below added by Keyboard Manager|keyboardshortcut=CONTROL+ALT+UPARROW;nexttrack|' ]"
check "personal.ini holds the marker and both personal shortcuts" \
  bash -c "[ \"\$(tr -d '\r' < '$app/personal.ini' | tr '\n' '|')\" = \
'|'\"'\"'Keyboard Shortcuts below added by Keyboard Manager|keyboardshortcut=CONTROL+ALT+DOWNARROW;previoustrack|keyboardshortcut=CONTROL+ALT+N;PlayPause|' ]"
check "the manager closes" wait_until 15 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^$manager\$' 2>/dev/null)\" ]"
check "the skin reloads" wait_until 10 window_shown
sleep 1
for window in $(xdotool search --onlyvisible --name '^Quavero$' 2>/dev/null); do
  xdotool key --window "$window" ctrl+alt+n 2>/dev/null && break
done
check "the new shortcut works after the reload" wait_until 10 journal_has 'Application.PlayPause call'

echo "a file held open by another program"
menu_on 110 110
choose 110 110 4
wait_until 10 dialog_shown "$manager" || true
before_skin=$(bytes_of "$app/Skins/Edit/skin.ini")
: > "$build/e2e-hold.txt"
wine "$probe" --hold "$(win_path "$app/Skins/Edit/skin.ini")" 60 > "$build/e2e-hold.txt" 2>/dev/null &
holder=$!
wait_until 20 bash -c "grep -q holding '$build/e2e-hold.txt'" || true
keys_to "$manager" Down $(tabs 10) space  # select the first skin shortcut, "Delete"
keys_to "$manager" $(tabs 16) space        # "Save and Reload"
check "the failure is reported" wait_until 10 bash -c "grep -q 'could not be saved in' '$build/e2e-msgbox.log'"
xdotool key Return  # the message's OK
sleep 0.5
check "the manager stays open" dialog_shown "$manager"
check "the old file is intact" equals "$(bytes_of "$app/Skins/Edit/skin.ini")" "$before_skin"
kill "$holder" 2>/dev/null || true
