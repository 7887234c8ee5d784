#!/usr/bin/env bash
# Draws the program's icon (16x16 and 32x32 in one .ico): a red card face with three
# rising bars, the clock going up. Usage: make-icon.sh OUTPUT.ico
set -euo pipefail
out=${1:?usage: make-icon.sh OUTPUT.ico}
convert=${CONVERT:-/usr/bin/convert}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$convert" -size 32x32 xc:none -fill '#B01E23' -stroke '#5E0A0E' -draw 'roundrectangle 1,1 30,30 6,6' \
  -stroke none -fill white -draw 'rectangle 7,18 11,25' -draw 'rectangle 14,12 18,25' \
  -draw 'rectangle 21,6 25,25' "$work/32.png"
"$convert" -size 16x16 xc:none -fill '#B01E23' -draw 'roundrectangle 0,0 15,15 3,3' \
  -fill white -draw 'rectangle 3,9 4,12' -draw 'rectangle 7,6 8,12' -draw 'rectangle 11,3 12,12' \
  "$work/16.png"
"$convert" "$work/16.png" "$work/32.png" "$out"
