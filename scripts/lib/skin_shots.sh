#!/usr/bin/env bash
# Inside a screen and Wine session of its own: the stand-in playing its demo, then each skin
# named in turn in Quavero.exe; a picture of each skin window, cut from the screen, in OUT.
# Usage: skin_shots.sh BUILD APP_FOLDER OUT SKIN...
set -euo pipefail
build=$1 app=$2 out=$3
shift 3
standin="$build/iTunes Stand-in/iTunesStandIn.exe"
probe=$build/tools/window-probe/quavero-probe.exe
wine "$standin" --register >/dev/null 2>&1
wine "$standin" >/dev/null 2>&1 &
standin_pid=$!
sleep 2
for skin in "$@"; do
  folder=$(winepath -w "$app/Skins/$skin")
  rm -f "$app/Skins/$skin/position.ini"
  wine "$app/Quavero.exe" "$folder\\|4500|3000" >/dev/null 2>&1 &
  program=$!
  line=""
  for _ in $(seq 200); do
    line=$(wine "$probe" 2>/dev/null | tr -d '\r' | grep 'visible=1' | head -n 1 || true)
    [ -n "$line" ] && break
    sleep 0.1
  done
  [ -n "$line" ] || { echo "$skin: the skin window did not appear" >&2; exit 1; }
  sleep 3  # fading in, the artwork, a scroll step or two
  value() { echo "$line" | tr ' ' '\n' | awk -F= -v k="$1" '$1 == k { print $2 }'; }
  import -window root -crop "$(value width)x$(value height)+$(value left)+$(value top)" +repage \
    "$out/$skin.png"
  echo "$out/$skin.png"
  wine "$probe" --close >/dev/null 2>&1 || true
  for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
  rm -f "$app/Skins/$skin/position.ini"
done
wine "$standin" --send quit >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 $standin_pid 2>/dev/null || break; sleep 0.1; done
