# Sourced by the scripts: one Wine prefix per build folder, quiet, without the Mono and Gecko
# prompts, and a persistent wineserver so that process starts are fast.
wine_prefix_for() { # build-folder
  export WINEPREFIX="$1/wineprefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX ..." >&2
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # Wine's own service processes start with the first program of a session and inherit its
  # output; start them here, so that a test runner never waits on a pipe they hold open.
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}
