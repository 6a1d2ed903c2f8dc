#!/usr/bin/env bash
# Faults of iTunes under Wine: the stand-in hanging (answering nothing for 30 s), killed in the
# middle of a call, and refusing calls while a fade runs. Quavero waits without spinning, stacks
# no message boxes, and afterwards goes on with the same iTunes or connects to the next one.
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
register_standin
# Seconds of CPU a process has used, from /proc (the wine process is the program itself).
cpu_seconds() { awk '{ printf "%.2f", ($14 + $15) / 100 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
calls() { journal_count "$1"; }

# As on a real installation a helper keeps running from the iTunes folder, and the stand-in that
# COM starts for a new application object writes to the journal too.
wine "$build/iTunes Stand-in/iTunesHelper.exe" >/dev/null 2>&1 &
helper_pid=$!
wine "$standin" --register --journal "$(win_path "$journal")" >/dev/null 2>&1
start_standin
# With a skin folder on its command line Quavero starts no iTunes of its own, whose late start
# would race with the checks.
WINEDEBUG=-all,+msgbox wine "$app/Quavero.exe" "$(win_path "$app/Skins/Default")\\|10410|600" \
  >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "the skin window opens" wait_until 20 window_shown
check "and connects" wait_until 10 journal_has 'Events.Advise call -> [0-9]'

echo "iTunes hanging for 30 seconds"
send hang-30
wait_until 10 journal_has '^Hang.start' || true
before=$(cpu_seconds "$quavero_pid")
sleep 20
used=$(cpu_seconds "$quavero_pid")
echo "    Quavero's CPU over 20 s of the hang: $(python3 -c "print(round($used - $before, 2))") s"
check "Quavero waits without spinning (under 2 s of CPU in 20 s)" \
  bash -c "tr '\0' ' ' < /proc/$quavero_pid/cmdline | grep -q 'Quavero.exe' && python3 -c 'import sys; sys.exit(0 if $used - $before < 2 else 1)'"
check "it is still running" kill -0 "$quavero_pid"
check "iTunes answers again after the hang" wait_until 20 journal_has '^Hang.end'
asked=$(calls 'Application.PlayerPosition')
check "and Quavero goes on asking it" wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.PlayerPosition') -gt $asked ]"
check "no message box was shown" bash -c "! grep -q 'MSGBOX_OnInit' '$build/e2e-msgbox.log'"

echo "iTunes killed in the middle of a call"
send hang-30
wait_until 10 bash -c "[ \$(tr -d '\r' < '$journal' | grep -c '^Hang.start') -ge 2 ]" || true
sleep 2  # Quavero's next call is waiting for the hung iTunes now
kill -9 "$standin_pid" 2>/dev/null || true
wait "$standin_pid" 2>/dev/null || true
rm -f "$journal"
kill_in_prefix 'rpcss\.exe'  # Wine keeps a killed server registered until its RPC service ends
sleep 3
check "Quavero survives the death of the iTunes it was waiting for" kill -0 "$quavero_pid"
boxes=$(grep -c 'MSGBOX_OnInit' "$build/e2e-msgbox.log" || true)
echo "    message boxes after the kill: ${boxes:-0} $(grep -o 'MSGBOX_OnInit L"[^"]*' "$build/e2e-msgbox.log" | head -n 1)"
check "and stacks no message boxes (at most one)" bash -c "[ ${boxes:-0} -le 1 ]"
wine "$probe" --answer Quavero ok >/dev/null 2>&1 || true
check "it connects to the next iTunes, which it starts" wait_until 20 journal_has 'Application.Create call'
check "and hears its events" wait_until 10 journal_has 'Events.Advise call -> [0-9]'
end_quavero
send quit
kill "$helper_pid" 2>/dev/null || true
kill_in_prefix 'iTunesHelper\.exe'
register_standin

echo "iTunes refusing calls while a fade runs"
mkdir -p "$app/Skins/FadeOut/stay"
printf '%s\r\n' "skinname=FadeOut" "left=10" "top=10" "width=200" "height=40" "transparency=255" \
  "label=0;0;200;14;[CurrentPosition]" "event=newsong;{fadeclose}{nexttrack}" \
  'runcode=showskin=stay\' > "$app/Skins/FadeOut/skin.ini"
printf '%s\r\n' "skinname=Stay" "left=10" "top=300" "width=200" "height=40" \
  "label=0;0;200;14;[CurrentPosition]" > "$app/Skins/FadeOut/stay/skin.ini"
rm -f "$journal"
start_standin
WINEDEBUG=-all,+msgbox,+debugstr wine "$app/Quavero.exe" "$(win_path "$app/Skins/FadeOut")\\|150|150" \
  >/dev/null 2>"$build/e2e-msgbox.log" &
quavero_pid=$!
check "two windows open and connect" wait_until 20 bash -c \
  "[ \$(tr -d '\r' < '$journal' | grep -c 'Events.Advise call -> [0-9]') -ge 2 ]"
# A new track starts the first window's fade-out; from the eighth call after it (a tick of the
# fade) iTunes refuses calls.
before=$(cpu_seconds "$quavero_pid")
send calls-off-after-8,next
check "the fade goes on and closes its window" wait_until 20 bash -c \
  "[ \$(wine '$probe' 2>/dev/null | tr -d '\r' | grep -c 'visible=1') -eq 1 ]"
check "iTunes refused calls during the fade" journal_has 'Call was rejected'
sleep 3
used=$(cpu_seconds "$quavero_pid")
echo "    Quavero's CPU from the new track until 3 s after the fade: $(python3 -c "print(round($used - $before, 2))") s"
check "without spinning while calls are refused (under 1.5 s of CPU)" \
  python3 -c "import sys; sys.exit(0 if $used - $before < 1.5 else 1)"
check "the code after the fade beeps" grep -q 'Quavero: beep' "$build/e2e-msgbox.log"
check "and nothing it asks of iTunes is done" equals "$(calls 'Application.NextTrack call -> ok')" 0
check "no message box was shown" bash -c "! grep -q 'MSGBOX_OnInit' '$build/e2e-msgbox.log'"
asked=$(calls 'Application.PlayerPosition')
send calls-on
check "calls allowed again, the other window asks iTunes again" wait_until 10 bash -c \
  "[ \$(tr -d '\r' < '$journal' | grep -c 'Application.PlayerPosition') -gt $asked ]"
end_quavero
send quit
