#!/usr/bin/env bash
# Quavero.exe against the iTunes stand-in over real COM under Wine: connecting, hearing events,
# the polling fallback, iTunes quitting, closing iTunes with the program, and iTunes vanishing.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
calls() { journal_count "$1"; }

echo "started while the stand-in runs"
start_standin
start_quavero
check "the skin window appears" wait_until 20 window_shown
check "the program connects (the journal shows the client)" wait_until 10 journal_has 'Application.Create call'
check "and subscribes to the events" journal_has 'Events.Advise call -> 1'
before=$(calls 'CurrentTrack get')
send next
check "a track change reaches the window (it loads the new song)" \
  wait_until 5 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'CurrentTrack get') -gt $before ]"
before=$(calls 'CurrentTrack get')
send database-changed
check "a library change reaches it too" \
  wait_until 5 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'CurrentTrack get') -gt $before ]"
send quit
check "quitting iTunes ends Quavero" wait_until 15 process_ended "$quavero_pid"
check "iTunes' warning would not have been shown" journal_has "warning would not have been shown (0 objects held)"
check "the stand-in ends" wait_until 10 process_ended "$standin_pid"

echo "started before the stand-in"
# With a skin folder on its command line Quavero does not start iTunes itself.
start_quavero "$(win_path "$app/Skins/Default")\\|10410|600"
check "the skin window appears" wait_until 20 window_shown
sleep 1
start_standin
check "it connects on a progress tick after the stand-in starts" wait_until 5 journal_has 'Application.Create call'
close_windows
check "closing the window ends Quavero" wait_until 10 process_ended "$quavero_pid"
check "and leaves iTunes running by default" kill -0 "$standin_pid"

echo "a stand-in whose events do not come"
send events-off
start_quavero
check "the skin window appears" wait_until 20 window_shown
check "the subscription is refused" wait_until 10 journal_has 'Events.Advise call -> failure refused'
check "the window polls on its progress ticks" wait_until 5 journal_has 'Application.PlayerState get'
sleep 1
loads_before=$(calls 'CurrentTrack get')
polls_before=$(calls 'PlayerState get')
send next
sleep 0.7
loads=$(( $(calls 'CurrentTrack get') - loads_before ))
polls=$(( $(calls 'PlayerState get') - polls_before ))
check "a track change still reaches the window within a tick (it loads the song once more)" \
  bash -c "[ $loads -gt $polls ]"
send events-on

echo "CloseiTunesOnExit"
set_setting CloseiTunesOnExit 1
close_windows
check "closing the last window quits iTunes" wait_until 10 journal_has 'Application.Quit call'
check "the stand-in ends" wait_until 15 process_ended "$standin_pid"
check "and so does Quavero" wait_until 10 process_ended "$quavero_pid"
set_setting CloseiTunesOnExit 0

echo "iTunes refusing calls, and two windows when iTunes quits"
mkdir -p "$app/Skins/Timer/second"
printf '%s\r\n' "skinname=Timer" "left=10" "top=10" "timerevent=700;playpause" \
  'runcode=showskin=second\' > "$app/Skins/Timer/skin.ini"
printf '%s\r\n' "skinname=Second" "left=10" "top=300" > "$app/Skins/Timer/second/skin.ini"
set_setting CurrentSkin Timer
log=$build/e2e-quavero.log
start_standin
start_quavero_logged "$log"
check "two skin windows open" wait_until 20 bash -c "[ \$(wine '$probe' | tr -d '\r' | grep -c 'visible=1') -eq 2 ]"
check "both connect" wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Events.Advise call -> [0-9]') -eq 2 ]"
send calls-off
sleep 0.3
asked=$(journal_count 'Application.PlayPause')
check "while calls are refused, the timer's code only beeps" wait_until 5 bash -c "[ \$(grep -c 'Quavero: beep' '$log') -ge 2 ]"
check "and nothing reaches iTunes" equals "$(journal_count 'Application.PlayPause')" "$asked"
send calls-on
check "calls allowed again, the code works" wait_until 5 journal_has 'Application.PlayPause call'
send quit
check "quitting iTunes with two windows connected ends Quavero" wait_until 15 process_ended "$quavero_pid"
check "and every object was released within the five seconds" \
  journal_has "warning would not have been shown (0 objects held)"
wait_until 10 process_ended "$standin_pid" || true
set_setting CurrentSkin Default

echo "a library of one's own"
cat > "$build/e2e-library.json" <<'JSON'
{"tracks": [{"name": "Only Song", "artist": "Someone", "duration": 90}],
 "playlists": [{"name": "Mine", "tracks": [1]}]}
JSON
echo '{ not json' > "$build/e2e-bad.json"
check "a library that cannot be read is refused with a message" \
  bash -c "wine '$standin' --library '$(win_path "$build/e2e-bad.json")' 2>&1 | grep -q 'cannot read the library'"
start_standin --library "$(win_path "$build/e2e-library.json")"
start_quavero
check "with nothing selected in it, the window finds no current track" \
  wait_until 20 journal_has 'Application.CurrentTrack get -> (Nothing)'
send play
check "playing it makes its track current" wait_until 5 journal_has 'Application.CurrentTrack get -> (object)'
end_quavero
send quit
wait_until 10 process_ended "$standin_pid" || true
check "unregistering removes the stand-in's class" bash -c \
  "wine '$standin' --unregister >/dev/null 2>&1 && ! wine reg query 'HKLM\\Software\\Classes\\iTunes.Application' >/dev/null 2>&1"
register_standin

echo "the stand-in killed in the middle of a session, its helper still running"
# As on every real installation, a helper keeps running from the iTunes folder, so the
# liveness check goes on seeing "iTunes": only the failing calls tell that it has gone.
wine "$build/iTunes Stand-in/iTunesHelper.exe" >/dev/null 2>&1 &
helper_pid=$!
# Registered with the journal: the stand-in that COM starts for a new application object
# writes to it too, as creating the object starts a real iTunes.
wine "$standin" --register --journal "$(win_path "$journal")" >/dev/null 2>&1
start_standin
# With a skin folder on its command line Quavero starts no iTunes of its own, whose late
# start would race with the kill below.
start_quavero "$(win_path "$app/Skins/Default")\\|10410|600"
check "the program connects" wait_until 20 journal_has 'Application.Create call'
wait_until 20 window_shown || true
sleep 1  # in the middle of a session, not of the first refresh
kill -9 "$standin_pid" 2>/dev/null || true
wait "$standin_pid" 2>/dev/null || true
rm -f "$journal"
sleep 2  # the program's calls meet the dead server
# Wine keeps a killed server registered until its RPC service ends (Windows' own recovers).
kill_in_prefix 'rpcss\.exe'
check "it lets go of the dead iTunes and connects to the next one it starts" \
  wait_until 15 journal_has 'Application.Create call'
check "and hears its events again" wait_until 5 journal_has 'Events.Advise call -> [0-9]'
check "Quavero kept running" kill -0 "$quavero_pid"
check "without error boxes from its timers" \
  bash -c "! xdotool search --onlyvisible --name '^Error!\$' >/dev/null 2>&1"
close_windows
check "and closes when asked" wait_until 10 process_ended "$quavero_pid"
send quit
kill "$helper_pid" 2>/dev/null || true
kill_in_prefix 'iTunesHelper\.exe'
register_standin

