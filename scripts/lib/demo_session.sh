#!/usr/bin/env bash
# Inside a screen and Wine session of its own: the stand-in, then Quavero.exe until its skin
# window shows; a screenshot; then both end cleanly.
# Usage: demo_session.sh BUILD APP_FOLDER SCREENSHOT [ARGS...]
set -euo pipefail
build=$1 app=$2 shot=$3
shift 3
standin="$build/iTunes Stand-in/iTunesStandIn.exe"
probe=$build/tools/window-probe/quavero-probe.exe
wine "$standin" --register >/dev/null 2>&1
wine "$standin" >/dev/null 2>&1 &
standin_pid=$!
sleep 2
wine "$app/Quavero.exe" "$@" >/dev/null 2>&1 &
program=$!
shown=""
for _ in $(seq 200); do
  shown=$(wine "$probe" 2>/dev/null | tr -d '\r' | grep -o 'visible=1' | head -n 1 || true)
  [ -n "$shown" ] && break
  sleep 0.1
done
if [ -z "$shown" ]; then
  echo "The skin window did not appear within 20 seconds" >&2
  exit 1
fi
sleep 2  # the Default skin fades in
import -window root "$shot"
wine "$probe" --close >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
wine "$standin" --send quit >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 $standin_pid 2>/dev/null || break; sleep 0.1; done
