#!/usr/bin/env bash
# Runs a command on a private Xvfb screen in a Wine session of its own (the build folder's
# prefix): Wine binds its desktop to the screen its session started on.
# Usage: with_screen.sh BUILD_FOLDER COMMAND...
set -euo pipefail
build=$1
shift
source "$(dirname "$0")/wine.sh"
display=:$((400 + RANDOM % 200))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
end_session() { WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true; }
trap 'end_session; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
end_session
wine_prefix_for "$build"
"$@"
