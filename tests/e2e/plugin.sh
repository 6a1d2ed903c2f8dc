#!/usr/bin/env bash
# QuaveroPlugin.dll under Wine, loaded by the plug-in host as iTunes loads it: it registers
# its visualizer with the values iTunes expects, and the visualizer's 'init' starts Quavero
# from "C:\Program Files\Quavero\" exactly when the option file's first character is "1".
source "$(dirname "$0")/e2e_lib.bash"
begin_checks
host=$build/tools/plugin-host/quavero-pluginhost.exe
plugin=$(win_path "$build/src/plugin/win32/QuaveroPlugin.dll")
fixed="$WINEPREFIX/drive_c/Program Files/Quavero"
rm -rf "$fixed"
mkdir -p "$fixed/Skins"
cp "$build/src/main/Quavero.exe" "$fixed/"
cp -r skins/Default "$fixed/Skins/Default"
trap 'rm -rf "$fixed"; finish' EXIT
run_host() { wine "$host" "$@" 2>/dev/null | tr -d '\r'; }
launches() { grep -c '^launched ' <<< "$1" || true; }
option() { if [ "$1" = none ]; then rm -f "$fixed/openwithitunes.opt"; else printf "$1" > "$fixed/openwithitunes.opt"; fi; }
quavero_running() { probe | grep -q 'visible=1'; }

echo "registration"
out=$(run_host "$plugin" init)
check "the visualizer registers as the SDK message 10.5, 144 bytes for 64-bit iTunes" \
  grep -q '^register message=10.5 size=144 ' <<< "$out"
check "with the name, options, creator, version, handler and timer iTunes expects" \
  grep -q 'name=Cantix for iTunes options=8 creator=???? version=1.0.128.0 handler=set refcon=null timer=100 channels=2,2 sizes=64x64-32767x32767 depths=0,0 alignment=0$' <<< "$out"
check "and init answers what the registration answered" grep -qx 'init -> 0' <<< "$out"
check "a refused registration is handed back" grep -qx 'init -> 7' <<< "$(run_host --refuse 7 "$plugin" init)"

echo "starting Quavero"
option '1\r\n'
out=$(run_host "$plugin" init visual:init)
check "\"1\" starts Quavero.exe from the fixed folder" \
  grep -qx 'launched C:\\Program Files\\Quavero\\Quavero.exe operation=open show=1' <<< "$out"
check "and Quavero shows its skin" wait_until 20 quavero_running
check "the visualizer's init answers 0" grep -qx 'visual:init -> 0' <<< "$out"
close_windows
wait_until 10 bash -c "! wine '$probe' | tr -d '\r' | grep -q visible=1" || true
check "a second init starts it again" equals "$(launches "$(run_host "$plugin" init visual:init visual:init)")" 2
close_windows
option '1x\r\n'
check "\"1x\" starts it (only the first character counts)" \
  equals "$(launches "$(run_host "$plugin" init visual:init)")" 1
close_windows
for content in '0\r\n' '' '\r\n1\r\n' none; do
  option "$content"
  check "option file \"${content:-empty}\" starts nothing" \
    equals "$(launches "$(run_host "$plugin" init visual:init)")" 0
done

echo "other messages"
out=$(run_host "$plugin" init zzzz clr visual:vrnd visual:null visual:zzzz)
check "an unknown message to the entry point gives -4" grep -qx 'unknown -> -4' <<< "$out"
check "'clr ' to the entry point gives 0" grep -qx 'clr -> 0' <<< "$out"
check "the visualizer's own messages give 0" bash -c "grep -qx 'visual:vrnd -> 0' <<< '$out' && grep -qx 'visual:null -> 0' <<< '$out'"
check "an unknown message to the visualizer gives -4" grep -qx 'visual:unknown -> -4' <<< "$out"
