#!/usr/bin/env bash
# Draws the pictures of the Default skin with ImageMagick. The pictures are committed; run this
# again only to change them:  tools/skin-art/make-default-skin.sh skins/Default
set -euo pipefail
out=${1:?usage: make-default-skin.sh SKINFOLDER}
convert=/usr/bin/convert
mkdir -p "$out"

# Background: a dark glass panel, 300 x 64, with a groove for the progress bar.
"$convert" -size 300x64 gradient:'#3a4352'-'#161a22' \
  \( -size 300x64 xc:none -fill 'rgba(255,255,255,0.10)' -draw 'roundrectangle 1,1 298,30 10,10' \) \
  -composite \
  -fill '#0d1016' -draw 'roundrectangle 84,47 291,54 3,3' \
  -fill '#262c38' -draw 'roundrectangle 6,10 76,54 8,8' \
  -stroke '#5b6a82' -fill none -draw 'roundrectangle 0,0 299,63 12,12' \
  "PNG24:$out/background.png"

# Buttons: a disc with a glyph, in normal, hover and pressed shades.
button() { # name glyph-draw
  local name=$1 glyph=$2
  local -A shade=([normal]='#3c475a' [hover]='#4f6a94' [down]='#22314a')
  local -A ink=([normal]='#d8dee9' [hover]='#ffffff' [down]='#a9b8d0')
  local state suffix
  for state in normal hover down; do
    suffix=_$state
    [ "$state" = normal ] && suffix=
    "$convert" -size 22x22 xc:'#262c38' \
      -fill "${shade[$state]}" -stroke '#6d7d96' -draw 'circle 10.5,10.5 10.5,1' \
      -stroke none -fill "${ink[$state]}" -draw "$glyph" \
      "PNG24:$out/$name$suffix.png"
  done
}
button play  'polygon 8,6 8,15 16,10.5'
button prev  'rectangle 6,6 7,15 polygon 16,6 16,15 8,10.5'
button next  'rectangle 14,6 15,15 polygon 6,6 6,15 14,10.5'
button pause 'rectangle 7,6 9,15 rectangle 12,6 14,15'

# The progress bar: a gradient the bar reveals from the left as the track plays.
"$convert" -size 6x205 gradient:'#a07bff'-'#5fb3ff' -rotate 90 "PNG24:$out/progress.png"

# Stars of the rating row, unlit and lit.
star='polygon 6,0.5 7.6,4.2 11.6,4.4 8.5,7 9.5,11 6,8.8 2.5,11 3.5,7 0.4,4.4 4.4,4.2'
"$convert" -size 12x12 xc:'#1e232d' -fill '#4a5468' -draw "$star" "PNG24:$out/star_off.png"
"$convert" -size 12x12 xc:'#1e232d' -fill '#ffc94a' -draw "$star" "PNG24:$out/star_on.png"
