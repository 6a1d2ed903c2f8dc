# Shared by the end-to-end checks: a private Xvfb screen, the build's Wine prefix, an
# application folder of the checks' own, and helpers that poll with a time-out.
set -Eeuo pipefail
# A command that fails outside a check ends the script; the last words say which one.
trap 'stopped_at="line $LINENO of ${BASH_SOURCE[0]##*/}: $BASH_COMMAND"' ERR
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$top"
source scripts/lib/wine.sh
build=$top/build/windows
app=$build/e2e-app
probe=$build/tools/window-probe/quavero-probe.exe
standin="$build/iTunes Stand-in/iTunesStandIn.exe"
journal=$build/e2e-journal.txt
failures=0
passes=0

start_screen() {
  local display=:$((200 + RANDOM % 200))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# A fresh application folder: the program, the Default skin, an empty personal.ini.
fresh_app_folder() {
  rm -rf "$app"
  mkdir -p "$app/Skins"
  cp "$build/src/main/Quavero.exe" "$app/"
  cp -r skins/Default "$app/Skins/Default"
  : > "$app/personal.ini"
}

# Every check starts alike: the build's prefix, a private screen, a fresh application folder
# and no settings.
begin_checks() {
  # A screen of its own, and a new Wine session on it: nothing left over from an earlier check
  # (COM servers, windows, a desktop process bound to a screen that has gone).
  start_screen
  end_wine_session
  wine_prefix_for "$build"
  trap finish EXIT
  fresh_app_folder
  clear_settings
}

end_wine_session() {
  WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$build/wineprefix" wineserver -w >/dev/null 2>&1 || true
}

win_path() { winepath -w "$1" 2>/dev/null; }

settings_key='HKCU\Software\VB and VBA Program Settings\Quavero\Options'
clear_settings() { wine reg delete 'HKCU\Software\VB and VBA Program Settings\Quavero' /f >/dev/null 2>&1 || true; }
setting() { wine reg query "$settings_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k { print $3 }'; }
# Wine's reg has been seen to fail once on a busy machine: it is tried three times, and what it
# said is kept in the log.
set_setting() { # name value
  local said
  for _ in 1 2 3; do
    said=$(wine reg add "$settings_key" /v "$1" /t REG_SZ /d "$2" /f 2>&1) && return 0
    echo "    wine reg add $1 failed: $(printf '%s' "$said" | tr -d '\r' | tail -n 2)" >&2
    sleep 1
  done
  return 1
}

start_quavero() { wine "$app/Quavero.exe" "$@" >/dev/null 2>&1 & quavero_pid=$!; }
# With the program's debug output (its beeps among it) in a file.
start_quavero_logged() { # log [arguments]
  local log=$1; shift
  : > "$log"
  WINEDEBUG=-all,+debugstr wine "$app/Quavero.exe" "$@" >/dev/null 2>"$log" & quavero_pid=$!
}
beeps_in() { grep -c 'Quavero: beep' "$1" || true; }
probe() { wine "$probe" 2>/dev/null | tr -d '\r'; }
# The value of one key of the first skin window's probe line.
probe_value() { probe | head -n 1 | tr ' ' '\n' | awk -F= -v k="$1" '$1 == k { print $2 }'; }

wait_until() { # seconds command...
  local limit=$1; shift
  local end=$((SECONDS + limit))
  while [ $SECONDS -lt $end ]; do "$@" && return 0; sleep 0.2; done
  return 1
}
window_shown() { [ "$(probe_value visible)" = 1 ]; }
process_ended() { ! kill -0 "$1" 2>/dev/null; }
close_windows() { wine "$probe" --close >/dev/null 2>&1 || true; }
# Between the cases of a file: closes the skin windows and waits for Quavero to end, asks once
# more if it has not (a probe that failed to start on a busy machine), and in the end stops it,
# so that the next case never meets this one's program (a later start would only hand over to
# it). Says so when it had to.
end_quavero() {
  [ -n "${quavero_pid:-}" ] || return 0
  close_windows
  wait_until 10 process_ended "$quavero_pid" && return 0
  echo "    (Quavero had not ended 10 s after its windows were asked to close; asked again)" >&2
  close_windows
  wait_until 10 process_ended "$quavero_pid" && return 0
  echo "    (nor 10 s later: stopped)" >&2
  kill_in_prefix 'Quavero\.exe' KILL
  wait_until 5 process_ended "$quavero_pid" || true
}

check() { # description command...
  local what=$1; shift
  if "$@"; then echo "  ok: $what"; passes=$((passes + 1)); return 0; fi
  echo "  FAILED: $what"
  failures=$((failures + 1))
  if [ -f "$journal" ]; then  # what iTunes heard last says much about what went wrong
    echo "    the stand-in's journal ends:" >&2
    tail -n 4 "$journal" | tr -d '\r' | sed 's/^/      /' >&2
  fi
}
equals() { [ "$1" = "$2" ] || { echo "    expected '$2', got '$1'" >&2; return 1; }; }

# The stand-in answers as iTunes; its journal shows every call that reached it.
register_standin() { wine "$standin" --register >/dev/null 2>&1; }
standin_gone() { ! wine "$standin" --send busy-off >/dev/null 2>&1; }
# Ends the processes of this check's Wine prefix whose command line matches: never those of
# another prefix (another build's checks may run beside these).
kill_in_prefix() { # pattern [signal]
  local pid
  for pid in $(pgrep -f "$1" 2>/dev/null); do
    tr '\0' '\n' 2>/dev/null < "/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" &&
      kill "-${2:-TERM}" "$pid" 2>/dev/null
  done
  return 0
}
# Only one stand-in runs at a time: one left by an earlier check is asked to quit, then ended.
no_standin() {
  standin_gone && return 0
  wine "$standin" --send quit >/dev/null 2>&1 || true
  wait_until 10 standin_gone && return 0
  kill_in_prefix 'iTunesStandIn\.exe' KILL
  wait_until 5 standin_gone || true
}
start_standin() { # [extra arguments]
  no_standin
  rm -f "$journal"
  wine "$standin" --journal "$(win_path "$journal")" "$@" >/dev/null 2>&1 &
  standin_pid=$!
  wait_until 20 journal_has '^Started' || { echo "the stand-in did not start" >&2; return 1; }
}
send() { wine "$standin" --send "$1" >/dev/null 2>&1 || echo "    (the stand-in did not take \"$1\")" >&2; }
journal_has() { [ -f "$journal" ] && tr -d '\r' < "$journal" | grep -q -- "$1"; }
journal_count() { local n=0; [ -f "$journal" ] && n=$(tr -d '\r' < "$journal" | grep -c -- "$1" || true); echo "${n:-0}"; }

finish() {
  local status=$?
  if [ $status -ne 0 ] && [ -n "${stopped_at:-}" ]; then
    echo "  FAILED: the check stopped at $stopped_at"
    failures=$((failures + 1))
  fi
  [ -n "${standin_pid:-}" ] && kill "$standin_pid" 2>/dev/null || true
  close_windows
  [ -n "${quavero_pid:-}" ] && kill "$quavero_pid" 2>/dev/null || true
  end_wine_session
  kill "${xvfb_pid:-}" 2>/dev/null || true
  echo "e2e: $passes passed, $failures failed"
  [ $failures -eq 0 ]
}
