#!/usr/bin/env bash
# Draws the pictures of the desk band's Default skin with ImageMagick. The pictures are
# committed; run this again only to change them:
#   tools/skin-art/make-deskband-skin.sh skins/DeskBand/Default
set -euo pipefail
out=${1:?usage: make-deskband-skin.sh SKINFOLDER}
convert=/usr/bin/convert
mkdir -p "$out"

# Buttons: a small disc with a glyph; the band shows one picture per button.
button() { # name glyph-draw
  "$convert" -size 14x14 xc:'#1d222b' \
    -fill '#3f4a5e' -stroke '#6d7d96' -draw 'circle 6.5,6.5 6.5,0.5' \
    -stroke none -fill '#e2e7f0' -draw "$2" "PNG24:$out/$1.png"
}
button prev 'rectangle 3,4 4,9 polygon 10,4 10,9 5,6.5'
button playpause 'polygon 3,4 3,9 7,6.5 rectangle 8,4 8,9 rectangle 10,4 10,9'
button next 'rectangle 9,4 10,9 polygon 3,4 3,9 8,6.5'

# The progress bar, revealed from the left as the track plays.
"$convert" -size 2x100 gradient:'#a07bff'-'#5fb3ff' -rotate 90 "PNG24:$out/progress.png"
