#!/usr/bin/env bash
# Runs Quavero.exe on a private Xvfb screen until its skin window shows, saves a screenshot,
# then closes the program cleanly. Usage: xvfb_session.sh APP_FOLDER SCREENSHOT [ARGS...]
set -euo pipefail
app=$1 shot=$2
shift 2
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$app/Quavero.exe" "$@" >/dev/null 2>&1 &
program=$!
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Quavero$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The skin window did not appear within 20 seconds" >&2
  kill $program 2>/dev/null || true
  exit 1
fi
sleep 2  # the Default skin fades in
import -window root "$shot"
# Close the program the way a user would: Alt+F4 on the skin window.
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill $program 2>/dev/null || true
