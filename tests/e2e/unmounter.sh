#!/usr/bin/env bash
# Unmounter.exe, the iPod eject tool, under Wine: a skin's "ejectipod" starts it from the
# application folder, and it says that no iPod is connected; with a removable drive that holds an
# iPod_Control folder it tries that drive, and says why it cannot be ejected (Wine's drives are
# folders that no request removes).
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
cp "$build/tools/unmounter/Unmounter.exe" "$app/"
answer() { wine "$probe" --answer "Eject iPod" ok 2>/dev/null | tr -d '\r'; }

echo "ejectipod without an iPod"
mkdir -p "$app/Skins/Eject"
printf '%s\r\n' "skinname=Eject" "width=60" "height=20" "left=10" "top=10" "runcode=ejectipod" \
  > "$app/Skins/Eject/skin.ini"
start_quavero "$(win_path "$app/Skins/Eject")\\|150|150"
said=$(answer)
check "the skin's ejectipod starts Unmounter.exe, which says no iPod is connected" \
  grep -q '^answered ok: No iPod is connected' <<<"$said"
check "and ends" wait_until 10 bash -c "! pgrep -f 'Unmounter\\.exe' >/dev/null"
close_windows

echo "an iPod that cannot be ejected"
ipod=$build/e2e-ipod
mkdir -p "$ipod/iPod_Control/Music"
ln -sfn "$ipod" "$WINEPREFIX/dosdevices/p:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'p:' /t REG_SZ /d floppy /f >/dev/null 2>&1
restore_drives() {
  rm -f "$WINEPREFIX/dosdevices/p:"
  wine reg delete 'HKLM\Software\Wine\Drives' /v 'p:' /f >/dev/null 2>&1 || true
}
trap 'restore_drives; finish' EXIT
wineserver -k >/dev/null 2>&1 || true  # the drive types are read when a session starts
wine_prefix_for "$build"
wine "$app/Unmounter.exe" >/dev/null 2>&1 &
unmounter=$!
said=$(answer)
check "it finds the iPod on the removable drive P:" grep -q 'The iPod (P:)' <<<"$said"
check "and says it cannot be ejected, and why" grep -q 'cannot be ejected.*Windows' <<<"$(tr '\n' ' ' <<<"$said")"
status=0
wait "$unmounter" || status=$?
check "and exits with a failure" equals "$status" 3
