#!/usr/bin/env bash
# Draws the pictures of the Studio skin with ImageMagick. The pictures are committed; run this
# again only to change them:  tools/skin-art/make-studio-skin.sh skins/Studio
set -euo pipefail
out=${1:?usage: make-studio-skin.sh SKINFOLDER}
convert=/usr/bin/convert
mkdir -p "$out"

# Background: 440 x 156, a deep panel with a frame round the artwork well and a groove for the
# progress bar.
"$convert" -size 440x156 gradient:'#2b2f3d'-'#11131a' \
  \( -size 440x156 xc:none -fill 'rgba(255,255,255,0.07)' -draw 'roundrectangle 2,2 437,60 14,14' \) \
  -composite \
  -fill '#0b0d12' -draw 'roundrectangle 11,11 145,145 9,9' \
  -fill '#0b0d12' -draw 'roundrectangle 158,103 427,110 3,3' \
  -stroke '#596583' -fill none -draw 'roundrectangle 0,0 439,155 16,16' \
  "PNG24:$out/background.png"

# Round buttons with a glyph, normal, hover and pressed.
button() { # name size glyph-draw
  local name=$1 size=$2 glyph=$3
  local -A shade=([normal]='#363d4f' [hover]='#4c6491' [down]='#1f2b42')
  local -A ink=([normal]='#dfe4ee' [hover]='#ffffff' [down]='#aab6cc')
  local state suffix c=$(( size / 2 ))
  for state in normal hover down; do
    suffix=_$state
    [ "$state" = normal ] && suffix=
    "$convert" -size "${size}x${size}" xc:'#191c25' \
      -fill "${shade[$state]}" -stroke '#6f7e9c' -draw "circle $((c - 1)).5,$((c - 1)).5 $((c - 1)).5,1" \
      -stroke none -fill "${ink[$state]}" -draw "$glyph" \
      "PNG24:$out/$name$suffix.png"
  done
}
button prev 28 'rectangle 8,9 9,18 polygon 19,9 19,18 10,13.5'
button playpause 34 'polygon 10,10 10,23 18,16.5 rectangle 20,10 22,23 rectangle 24,10 26,23'
button next 28 'rectangle 18,9 19,18 polygon 8,9 8,18 17,13.5'
button voldown 20 'rectangle 5,9 14,10'
button volup 20 'rectangle 5,9 14,10 rectangle 9,5 10,14'
button close 16 'line 5,5 10,10 line 10,5 5,10'

# The bar the progress reveals, and the stars.
"$convert" -size 6x268 gradient:'#ff8a5c'-'#ffd45c' -rotate 90 "PNG24:$out/progress.png"
star='polygon 7,0.5 8.9,4.9 13.6,5.1 10,8.2 11.1,12.9 7,10.3 2.9,12.9 4,8.2 0.4,5.1 5.1,4.9'
"$convert" -size 14x14 xc:'#1a1d26' -fill '#474f63' -draw "$star" "PNG24:$out/star_off.png"
"$convert" -size 14x14 xc:'#1a1d26' -fill '#ffc94a' -draw "$star" "PNG24:$out/star_on.png"
