#!/usr/bin/env bash
# A normal start of Quavero asks the shell to start "iTunes": with the stand-in registered,
# that starts the stand-in, and Quavero connects to it. (A session of its own: a stand-in that
# the shell started is ended with the session.)
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
rm -f "$journal"
wine "$standin" --register --journal "$(win_path "$journal")" >/dev/null 2>&1
start_quavero
check "the skin window appears" wait_until 20 window_shown
check "the shell started the registered iTunes (the stand-in)" wait_until 20 journal_has '^Started'
check "Quavero connects to it" wait_until 10 journal_has 'Events.Advise call -> 1'
check "and shows what it plays" wait_until 5 journal_has 'Track.Name get'
close_windows
check "closing Quavero leaves iTunes running" wait_until 10 process_ended "$quavero_pid"
check "(the stand-in still answers)" bash -c "wine '$standin' --send busy-off >/dev/null 2>&1"
wine "$standin" --register >/dev/null 2>&1  # no journal remembered for later starts
