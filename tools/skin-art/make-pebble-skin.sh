#!/usr/bin/env bash
# Draws the pictures of the Pebble skin with ImageMagick. The pictures are committed; run this
# again only to change them:  tools/skin-art/make-pebble-skin.sh skins/Pebble
set -euo pipefail
out=${1:?usage: make-pebble-skin.sh SKINFOLDER}
convert=/usr/bin/convert
mkdir -p "$out"

# A pebble of 170 x 40 (the window's round corners cut its ends).
"$convert" -size 170x40 gradient:'#5a6f8c'-'#24303f' \
  \( -size 170x40 xc:none -fill 'rgba(255,255,255,0.12)' -draw 'roundrectangle 4,2 165,18 9,9' \) \
  -composite -fill '#1a222d' -draw 'roundrectangle 44,31 156,33 1,1' \
  "PNG24:$out/background.png"

# The play/pause disc, normal, hover and pressed.
for state in normal hover down; do
  case $state in
    normal) shade='#2c3a4d' ink='#e6edf7' suffix= ;;
    hover) shade='#3d5478' ink='#ffffff' suffix=_hover ;;
    down) shade='#1c2635' ink='#a9b8d0' suffix=_down ;;
  esac
  "$convert" -size 28x28 xc:'#3d4d63' -fill "$shade" -stroke '#8196b5' -draw 'circle 13.5,13.5 13.5,1' \
    -stroke none -fill "$ink" \
    -draw 'polygon 8,8 8,19 14,13.5 rectangle 16,8 17,19 rectangle 19,8 20,19' \
    "PNG24:$out/playpause$suffix.png"
done

"$convert" -size 3x112 gradient:'#9fe0ff'-'#e0f4ff' -rotate 90 "PNG24:$out/progress.png"
