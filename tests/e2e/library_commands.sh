#!/usr/bin/env bash
# The library commands under Wine against the stand-in: playlists by name over its sources,
# adding to a user playlist and not to a smart one, tags set by name with the Edit Tag message
# for what iTunes refuses, a picture dropped on the artwork image with a real OLE drag and
# drop, and deleting a track with its file going to the trash.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
dropper=$build/tools/window-probe/quavero-drop.exe
export XDG_DATA_HOME=$build/e2e-xdg  # Wine's recycle bin is the XDG trash in here
rm -rf "$XDG_DATA_HOME" "$build/e2e-music"
mkdir -p "$XDG_DATA_HOME" "$build/e2e-music"
for name in one two three four; do echo "$name" > "$build/e2e-music/$name.mp3"; done
music=$(win_path "$build/e2e-music")
json_path() { sed 's/\\/\\\\/g' <<< "$1"; }
cat > "$build/e2e-library.json" <<JSON
{"tracks": [
  {"name": "One", "artist": "Ann", "album": "First", "location": "$(json_path "$music\\one.mp3")"},
  {"name": "Two", "artist": "Ben", "album": "First", "location": "$(json_path "$music\\two.mp3")"},
  {"name": "Three", "artist": "Cat", "album": "Second", "location": "$(json_path "$music\\three.mp3")"},
  {"name": "Four", "artist": "Dan", "album": "Second", "location": "$(json_path "$music\\four.mp3")"}],
 "playlists": [
  {"name": "Road", "tracks": [2]},
  {"name": "Top Rated", "smart": true, "tracks": [1]},
  {"name": "Party", "source": "iPod", "tracks": [3]},
  {"name": "party", "source": "Shared", "tracks": [4]}],
 "current": {"playlist": 0, "track": 0, "playing": false}}
JSON

mkdir -p "$app/Skins/Library"
convert -size 30x30 xc:'#3060c0' "$app/Skins/Library/b.png"
convert -size 64x64 xc:'#ff0000' "$build/e2e-cover.png"
codes=("playplaylist=party" "addtoplaylist=Road" "addtoplaylist=Top Rated" "edittag=Artist=AC=DC"
       "edittag=Foo=1" "edittag=Rating=x" "deletecompletely")
{
  printf '%s\r\n' "skinname=Library" "left=100" "top=100" "width=260" "height=130" "backgroundcolor=&H404040"
  for i in "${!codes[@]}"; do printf 'image=%d;0;30;30;%s;b.png\r\n' $((i * 35)) "${codes[$i]}"; done
  printf '%s\r\n' "image=0;40;80;80;;ARTWORK"
} > "$app/Skins/Library/skin.ini"
set_setting CurrentSkin Library
start_standin --library "$(win_path "$build/e2e-library.json")"
WINEDEBUG=-all,+msgbox wine "$app/Quavero.exe" >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "the skin window opens" wait_until 20 window_shown
check "and connects" wait_until 10 journal_has 'Events.Advise call -> [0-9]'
press_code() { xdotool mousemove $((100 + 15 + 35 * $1)) 115; sleep 0.3; xdotool click 1; sleep 1; }
# A message box or the system's confirmation, answered as a user would.
dismiss() { wine "$probe" --answer "$1" "${2:-ok}" >/dev/null 2>&1; }

echo "playlists"
press_code 0
check "playplaylist=party plays Party of the first source that has one, in any letter case" \
  wait_until 10 journal_has '^Playlist(Party in iPod).PlayFirstTrack call'
check "not the one of a later source" bash -c "! tr -d '\r' < '$journal' | grep -q 'Playlist(party in Shared).PlayFirstTrack'"
press_code 1
check "addtoplaylist= adds the current track to a user playlist" \
  wait_until 10 journal_has '^Playlist(Road in Library).AddTrack call .* -> ok'
press_code 2
check "on a smart playlist iTunes refuses it" wait_until 10 journal_has '^Playlist(Top Rated in Library).AddTrack call .* -> failure'
check "and the RunCode message says so" wait_until 5 bash -c "grep -q 'There was an error in the RunCode procedure' '$build/e2e-msgbox.log'"
dismiss "Error!" || true

echo "tags"
press_code 3
check "edittag=Artist=AC=DC sets the artist to AC" wait_until 10 journal_has '^Track.Artist put "AC" -> ok'
press_code 4
check "edittag=Foo=1 shows the Edit Tag box" \
  wait_until 10 bash -c "grep -q 'There was an error in the runcode, Edit Tag' '$build/e2e-msgbox.log'"
dismiss "Error!" || true
press_code 5
check "edittag=Rating=x shows it too" \
  wait_until 10 bash -c "[ \$(grep -c 'There was an error in the runcode, Edit Tag' '$build/e2e-msgbox.log') -ge 2 ]"
dismiss "Error!" || true

echo "dropping artwork"
sleep 1
wine "$dropper" 140 180 "$(win_path "$build/e2e-cover.png")" > "$build/e2e-drop.txt" 2>/dev/null || true
check "the drop is taken with the copy effect" grep -q 'dropped effect=1' "$build/e2e-drop.txt"
check "the track's artwork is set from that file" \
  wait_until 10 journal_has "Track.AddArtworkFromFile call \".*e2e-cover.png\" -> ok"
sleep 2
import -window root "$build/e2e-library.png"
pixel=$(convert "$build/e2e-library.png" -crop 1x1+140+180 -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:)
check "and the artwork image shows it" equals "$pixel" "255,0,0"
wine "$dropper" 200 115 "$(win_path "$build/e2e-cover.png")" > "$build/e2e-drop.txt" 2>/dev/null || true
check "a drop on another image is refused" grep -q 'dropped effect=0' "$build/e2e-drop.txt"

echo "deleting completely"
before=$(journal_count 'Track.Delete call')
xdotool mousemove $((100 + 15 + 35 * 6)) 115; sleep 0.3; xdotool click 1
check "iTunes deletes the track" wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Track.Delete call -> ok') -gt $before ]"
dismiss "Confirm file deletion" yes || true  # Wine asks before it moves the file to the trash
check "its file lands in the trash" wait_until 10 bash -c "ls '$XDG_DATA_HOME/Trash/files' 2>/dev/null | grep -q mp3"
check "and no longer lies where it was" bash -c "[ \$(ls '$build/e2e-music' | wc -l) -eq 3 ]"

