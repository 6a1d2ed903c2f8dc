#!/usr/bin/env bash
# QuaveroSetup.exe under Wine, in a Wine prefix of its own (a fresh "Windows"): the silent setup
# lays out the program, registers the band and puts the plug-in into the folder of the iTunes it
# finds (64-bit or 32-bit); the installed program shows its Default skin and opens its help
# document from the menu; an upgrade keeps the user's files; the uninstaller removes exactly what
# the setup added, and the user's files only when asked.
source "$(dirname "$0")/e2e_lib.bash"
start_screen
end_wine_session
WINEPREFIX="$build/installer-check/wineprefix" wineserver -k >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true; finish' EXIT
setup=$build/QuaveroSetup.exe
version=$(sed -n 's/^project(Quavero VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
rm -rf "$build/installer-check"
mkdir -p "$build/installer-check"
wine_prefix_for "$build/installer-check"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
drive=$WINEPREFIX/drive_c
installed=$drive/Program\ Files/Quavero
menu=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Quavero
band_clsid='{054C4812-1E87-4624-AF3E-6BAADB87C771}'
itunes_clsid='{DC0C2640-1415-4644-875C-6F4D769839BA}'

reg_value() { # key value-name ("" for the default) [/reg:32]
  local name=(/v "$2")
  [ -z "$2" ] && name=(/ve)
  wine reg query "$1" "${name[@]}" ${3:-} 2>/dev/null | tr -d '\r' | awk 'NR > 1 && NF >= 3 {
    $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }'
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
same_file() { cmp -s "$1" "$2"; }
uninstall() { # [options]
  printf '"C:\\Program Files\\Quavero\\Uninstall.exe" /S %s _?=C:\\Program Files\\Quavero\r\n' \
    "${1:-}" > "$drive/uninstall.bat"
  wine cmd /c 'C:\uninstall.bat' >/dev/null 2>&1 </dev/null
}
install() { wine "$setup" /S >/dev/null 2>&1 </dev/null; }

# "iTunes" (the stand-in) installed in a folder of its own, registered for 64-bit programs.
mkdir -p "$drive/iTunes"
cp "$standin" "$build/iTunes Stand-in/iTunesHelper.exe" "$drive/iTunes/" 2>/dev/null ||
  cp "$standin" "$drive/iTunes/"
wine 'C:\iTunes\iTunesStandIn.exe' --register --journal 'C:\journal.txt' >/dev/null 2>&1

echo "A silent setup"
check "QuaveroSetup.exe /S succeeds" install
for file in Quavero.exe QuaveroDeskBand.dll Unmounter.exe quavero-skincheck.exe \
    quavero-bandhost.exe "Quavero Help.doc" "Quavero Changes.doc" "Quavero Creation.doc" \
    Skins/Default/skin.ini Skins/Studio/skin.ini Skins/Pebble/skin.ini Skins/Lyrics/skin.ini \
    DeskBand/Default/skin.ini "Lyrics/The Tidewater Band/Harbour Lights.lyr" \
    "iTunes Plug-In/64-bit/QuaveroPlugin.dll" "iTunes Plug-In/32-bit/QuaveroPlugin.dll" \
    Uninstall.exe; do
  check "installs $file" test -f "$installed/$file"
done
check "an empty personal.ini" bash -c "[ -f '$installed/personal.ini' ] && [ ! -s '$installed/personal.ini' ]"
check "the program carries the version $version" bash -c \
  "strings -el '$installed/Quavero.exe' | grep -A1 -x ProductVersion | grep -qx '$version'"
check "the desk band is registered from the installed folder" equals \
  "$(reg_value "HKCR\\CLSID\\$band_clsid\\InprocServer32" "")" 'C:\Program Files\Quavero\QuaveroDeskBand.dll'
check "in the desk band category" key_exists \
  "HKCR\\CLSID\\$band_clsid\\Implemented Categories\\{00021492-0000-0000-C000-000000000046}"
check "the 64-bit plug-in is in the 64-bit iTunes' Plug-Ins folder" same_file \
  "$drive/iTunes/Plug-Ins/QuaveroPlugin.dll" "$build/src/plugin/win32/QuaveroPlugin.dll"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quavero'
check "Apps & features lists Quavero" equals "$(reg_value "$uninstall_key" DisplayName)" Quavero
check "with its version" equals "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
check "its publisher and icon" bash -c "[ -n '$(reg_value "$uninstall_key" Publisher)' ] &&
  [ '$(reg_value "$uninstall_key" DisplayIcon)' = 'C:\\Program Files\\Quavero\\Quavero.exe,0' ]"
check "and its size" bash -c "[ \$(( $(reg_value "$uninstall_key" EstimatedSize) )) -gt 1000 ]"
for entry in Quavero "Quavero Desk Band (Windows 11)" "Quavero Help" "Quavero Changes" \
    "Quavero Creation (skin authors' guide)" "Uninstall Quavero"; do
  check "the Start menu holds \"$entry\"" test -f "$menu/$entry.lnk"
done

echo "The installed band and program"
wine "$drive/Program Files/Quavero/quavero-bandhost.exe" --report >"$build/e2e-installed-band.txt" 2>&1 </dev/null || true
check "quavero-bandhost --report creates the installed band" \
  grep -q '^SetSite -> 0x00000000' "$build/e2e-installed-band.txt"
# The band started "iTunes"; it goes, and the program starts it again as it does at every start.
wait_until 10 bash -c "pgrep -f 'iTunesStandIn\.exe' >/dev/null" || true
wine 'C:\iTunes\iTunesStandIn.exe' --send quit >/dev/null 2>&1 || true
wait_until 10 bash -c "! pgrep -f 'iTunesStandIn\.exe' >/dev/null" || kill_in_prefix 'iTunesStandIn\.exe' KILL
wine 'C:\Program Files\Quavero\Quavero.exe' >/dev/null 2>&1 </dev/null &
quavero_pid=$!
check "the installed Quavero shows the Default skin" wait_until 30 window_shown
check "at the Default skin's size" equals "$(probe_value width)x$(probe_value height)" 300x64
check "it starts iTunes and hears its events" wait_until 30 grep -q 'Events.Advise call -> [0-9]' "$drive/journal.txt"
sleep 3
import -window root "$build/e2e-installed.png"

echo "Quavero Help from the menu"
wine reg add 'HKCR\.doc' /ve /d rtffile /f >/dev/null 2>&1
xdotool mousemove $(( $(probe_value left) + 150 )) $(( $(probe_value top) + 30 ))
sleep 0.3; xdotool click 3; sleep 1
xdotool key Down Right Return  # Help Documents, Quavero Help
check "opens Quavero Help.doc in the program that reads it" wait_until 20 bash -c \
  "xdotool search --onlyvisible --name 'Quavero Help' >/dev/null"
sleep 2
import -window root "$build/e2e-help-document.png"
kill_in_prefix 'wordpad\.exe'
end_quavero
kill_in_prefix 'iTunesStandIn\.exe'

echo "An upgrade over it"
printf 'keyboardshortcut=WIN+P;PlayPause\r\n' > "$installed/personal.ini"
mkdir -p "$installed/Skins/Mine"
printf 'skinname=Mine\r\n' > "$installed/Skins/Mine/skin.ini"
check "the setup runs again" install
check "keeps personal.ini" grep -q 'WIN+P;PlayPause' "$installed/personal.ini"
check "keeps the skin the user added" test -f "$installed/Skins/Mine/skin.ini"

echo "Uninstalling"
uninstall
check "removes the program" test ! -e "$installed/Quavero.exe"
check "and the shipped skins (a place a skin remembered stays)" bash -c \
  "[ ! -e '$installed/Skins/Default/skin.ini' ] && [ ! -e '$installed/Skins/Studio' ]"
check "and the band's skins" test ! -e "$installed/DeskBand"
check "unregisters the band" bash -c "! wine reg query 'HKCR\\CLSID\\$band_clsid' >/dev/null 2>&1"
check "removes the plug-in from iTunes' folder" test ! -e "$drive/iTunes/Plug-Ins/QuaveroPlugin.dll"
check "leaves iTunes' own folder" test -f "$drive/iTunes/iTunesStandIn.exe"
check "removes the Apps & features entry" bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "and the Start-menu entries" test ! -e "$menu"
check "keeps personal.ini" grep -q 'WIN+P;PlayPause' "$installed/personal.ini"
check "keeps the skin the user added" test -f "$installed/Skins/Mine/skin.ini"

echo "With a 32-bit iTunes"
wine 'C:\iTunes\iTunesStandIn.exe' --unregister >/dev/null 2>&1
mkdir -p "$drive/iTunes32"
cp "$standin" "$drive/iTunes32/iTunes.exe"
wine reg add 'HKLM\Software\Classes\iTunes.Application\CLSID' /ve /d "$itunes_clsid" /f /reg:32 >/dev/null 2>&1
wine reg add "HKLM\\Software\\Classes\\CLSID\\$itunes_clsid\\LocalServer32" /ve \
  /d '"C:\iTunes32\iTunes.exe" /automation' /f /reg:32 >/dev/null 2>&1
install
check "the 32-bit plug-in goes into the 32-bit iTunes' Plug-Ins folder" same_file \
  "$drive/iTunes32/Plug-Ins/QuaveroPlugin.dll" "$build/plugin-i686/src/plugin/win32/QuaveroPlugin.dll"
uninstall /REMOVEUSERDATA
check "asked to, the uninstaller removes the user's files too" bash -c \
  "[ ! -e '$installed/personal.ini' ] && [ ! -e '$installed/Skins' ]"
check "and that plug-in" test ! -e "$drive/iTunes32/Plug-Ins/QuaveroPlugin.dll"
