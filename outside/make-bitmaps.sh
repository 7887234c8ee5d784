#!/usr/bin/env bash
# Draws the bitmaps support.dll carries, into the folder given:
#   mainimg.bmp  the tray menu's 16x16 images in one strip, on magenta (0xFF00FF), which
#                the program treats as transparent; the cell order is the menu's image index
#   radeon.bmp   the about box picture
#   addnew.bmp, remove.bmp, addall.bmp, alldel.bmp
#                the refresh-rate lock editor's button glyphs, 16x16 on the button face
# Drawn without anti-aliasing: a blended edge would leave pink pixels once the magenta
# is keyed out. Written as 24-bit BMP3 so every Windows version's LoadBitmap reads them.
set -euo pipefail
out=${1:?usage: make-bitmaps.sh OUTPUT_FOLDER}
convert=${CONVERT:-/usr/bin/convert}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

cells=()
# cell NAME DRAW-ARGUMENTS...: one 16x16 image from ImageMagick drawing options.
cell() {
  local name=$1; shift
  "$convert" -size 16x16 xc:'#FF00FF' +antialias -strokewidth 1 "$@" "$work/$name.png"
  cells+=("$work/$name.png")
}

# 0 Direct3D: a shaded cube.
cell cube -stroke '#1B2F6B' \
  -fill '#7FA8F0' -draw 'polygon 2,5 8,2 14,5 8,8' \
  -fill '#3E6FD0' -draw 'polygon 2,5 8,8 8,15 2,12' \
  -fill '#23489A' -draw 'polygon 14,5 8,8 8,15 14,12'
# 1 OpenGL: a lit sphere with an orbit.
cell opengl -stroke none -fill '#1E7A2E' -draw 'circle 8,8 8,2' \
  -fill '#3FB34F' -draw 'circle 7,7 7,3' -fill '#A8EFB0' -draw 'circle 6,6 6,5' \
  -stroke '#0E3D17' -fill none -draw 'ellipse 8,9 7,3 0,360'
# 2 tools: a gear.
cell tools -stroke '#3A3A3A' -fill '#9A9A9A' \
  -draw 'rectangle 7,1 9,15' -draw 'rectangle 1,7 15,9' \
  -draw 'polygon 3,2 5,2 14,12 14,14 12,14 2,4' -draw 'polygon 12,2 14,2 14,4 4,14 2,14 2,12' \
  -fill '#C8C8C8' -draw 'circle 8,8 8,3' -fill '#FF00FF' -draw 'circle 8,8 8,6'
# 3 ATI software: a red chip with a white mark.
cell atichip -stroke '#5A0000' -fill '#D01818' -draw 'rectangle 2,2 13,13' \
  -stroke none -fill '#404040' \
  -draw 'rectangle 4,0 4,1' -draw 'rectangle 7,0 7,1' -draw 'rectangle 10,0 10,1' \
  -draw 'rectangle 4,14 4,15' -draw 'rectangle 7,14 7,15' -draw 'rectangle 10,14 10,15' \
  -draw 'rectangle 0,4 1,4' -draw 'rectangle 0,7 1,7' -draw 'rectangle 0,10 1,10' \
  -draw 'rectangle 14,4 15,4' -draw 'rectangle 14,7 15,7' -draw 'rectangle 14,10 15,10' \
  -fill white -draw 'polygon 5,11 7,4 9,4 11,11 9,11 8,7 7,11'
# 4 display: a monitor.
cell display -stroke '#202020' -fill '#D8D8D8' -draw 'rectangle 1,1 14,11' \
  -stroke none -fill '#2A62C8' -draw 'rectangle 3,3 12,9' -fill '#7FB2FF' -draw 'rectangle 3,3 7,5' \
  -fill '#707070' -draw 'rectangle 6,12 9,13' -fill '#404040' -draw 'rectangle 3,14 12,15'
# 5 tweaks: a wrench.
cell wrench -stroke '#303030' -fill '#A0A8B0' \
  -draw 'polygon 2,12 9,5 11,7 4,14' \
  -draw 'circle 11,5 11,1' -fill '#FF00FF' -stroke none -draw 'polygon 11,1 15,1 15,5 11,5' \
  -stroke '#303030' -fill none -draw 'line 11,2 11,4' -draw 'line 12,5 14,5'
# 6 profiles: stacked cards.
cell profiles -stroke '#5A4A10' -fill '#F0D880' -draw 'rectangle 5,1 14,10' \
  -fill '#F8E8A8' -draw 'rectangle 3,3 12,12' -fill white -draw 'rectangle 1,5 10,14' \
  -stroke '#8090A0' -draw 'line 3,8 8,8' -draw 'line 3,10 8,10' -draw 'line 3,12 6,12'
# 7 hardware: a board with a chip.
cell hardware -stroke '#0E4A1E' -fill '#2F8F46' -draw 'rectangle 0,3 15,12' \
  -stroke none -fill '#D4AF37' -draw 'rectangle 1,13 14,14' \
  -fill '#F0F0F0' -draw 'point 1,13' -draw 'point 4,13' -draw 'point 7,13' -draw 'point 10,13' -draw 'point 13,13' \
  -stroke '#101010' -fill '#303030' -draw 'rectangle 4,5 10,10' \
  -stroke none -fill '#909090' -draw 'rectangle 12,5 13,6' -draw 'rectangle 12,8 13,9'
# 8 HYDRAVISION desktops: two overlapping screens.
cell multidesk -stroke '#202020' -fill '#C04020' -draw 'rectangle 6,1 15,8' \
  -fill '#2A62C8' -draw 'rectangle 0,6 9,13' -stroke none -fill '#FFFFFF' -draw 'rectangle 1,7 8,7' \
  -fill '#404040' -draw 'rectangle 3,14 6,15'
# 9 HYDRAVISION: a desktop split into windows.
cell hydravision -stroke '#202020' -fill '#E8E8E8' -draw 'rectangle 0,1 15,12' \
  -stroke none -fill '#2A62C8' -draw 'rectangle 1,2 7,6' -fill '#C04020' -draw 'rectangle 8,2 14,6' \
  -fill '#2F8F46' -draw 'rectangle 1,7 7,11' -fill '#D4AF37' -draw 'rectangle 8,7 14,11' \
  -fill '#404040' -draw 'rectangle 4,13 11,14'
# 10 games: a game pad.
cell gamepad -stroke '#202020' -fill '#505A68' \
  -draw 'roundrectangle 0,4 15,12 3,3' \
  -stroke none -fill '#E0E0E0' -draw 'rectangle 3,6 3,10' -draw 'rectangle 1,8 5,8' \
  -fill '#E03030' -draw 'rectangle 11,6 12,7' -fill '#30A040' -draw 'rectangle 12,9 13,10' \
  -fill '#3070E0' -draw 'rectangle 9,8 10,9'
# 11 sound: a speaker.
cell sound -stroke '#202020' -fill '#707880' -draw 'polygon 1,6 4,6 8,2 8,14 4,10 1,10' \
  -fill none -stroke '#2A62C8' -draw 'arc 6,4 12,12 -60,60' -draw 'arc 6,1 15,15 -60,60'
# 12 hotkeys: a key cap.
cell hotkey -stroke '#303030' -fill '#F4F4F4' -draw 'roundrectangle 1,2 14,13 2,2' \
  -fill '#D0D0D0' -stroke none -draw 'rectangle 2,10 13,12' \
  -stroke '#303030' -draw 'line 6,4 6,8' -draw 'line 9,4 9,8' -draw 'line 6,6 9,6'
# 13 refresh-rate lock: a padlock.
cell lock -stroke '#5A4000' -fill none -draw 'arc 4,1 11,11 180,360' -draw 'line 4,5 4,7' -draw 'line 11,5 11,7' \
  -fill '#E0B020' -draw 'rectangle 2,7 13,15' \
  -stroke none -fill '#5A4000' -draw 'rectangle 7,9 8,12'
# 14 colours: three overlapping discs.
cell colours -stroke none -fill '#E02828' -draw 'circle 8,5 8,1' \
  -fill '#28B028' -draw 'circle 5,10 5,6' -fill '#2850E0' -draw 'circle 11,10 11,6'
# 15 overclocking: a speed gauge with its needle in the high range.
cell gauge -stroke '#202020' -fill '#F0F0F0' -draw 'ellipse 8,13 7,10 180,360' -draw 'line 1,13 15,13' \
  -stroke none -fill '#30A040' -draw 'rectangle 3,9 4,10' -fill '#E0B020' -draw 'rectangle 7,5 8,6' \
  -fill '#E02828' -draw 'rectangle 12,8 13,10' -stroke '#202020' -draw 'line 8,12 12,6' \
  -stroke none -fill '#202020' -draw 'rectangle 7,11 9,12' -fill '#707070' -draw 'rectangle 2,14 14,15'
# 16 rotation: two arrows around a circle.
cell rotation -stroke '#2A62C8' -fill none -draw 'arc 2,2 13,13 200,340' -draw 'arc 2,2 13,13 20,160' \
  -stroke none -fill '#2A62C8' -draw 'polygon 11,0 15,4 10,5' -draw 'polygon 4,15 0,11 5,10'
# 17 extended desktop: two screens side by side.
cell extdesk -stroke '#202020' -fill '#2A62C8' -draw 'rectangle 0,3 7,10' -draw 'rectangle 8,3 15,10' \
  -stroke none -fill '#7FB2FF' -draw 'rectangle 1,4 14,5' \
  -fill '#404040' -draw 'rectangle 2,12 5,13' -draw 'rectangle 10,12 13,13'
# 18 reset display driver: a screen with a circular arrow.
cell reset -stroke '#202020' -fill '#D8D8D8' -draw 'rectangle 0,2 15,13' \
  -stroke '#C01010' -fill none -draw 'arc 4,4 11,11 60,360' \
  -stroke none -fill '#C01010' -draw 'polygon 9,2 13,5 9,7'
# 19 system information: an "i" on a blue disc.
cell info -stroke '#0D2F80' -fill '#2A62C8' -draw 'circle 8,8 8,1' \
  -stroke none -fill white -draw 'rectangle 7,3 8,4' -draw 'rectangle 7,6 8,12' -draw 'rectangle 6,12 9,12'
# 20 plug-ins: a puzzle piece.
cell plugin -stroke '#5A2A70' -fill '#9A5AC0' -draw 'rectangle 2,5 11,14' \
  -draw 'circle 6,4 6,2' -draw 'circle 12,9 14,9' \
  -stroke none -draw 'rectangle 5,5 7,6' -draw 'rectangle 11,8 11,10'
# 21 exit: a red cross.
cell exit -stroke '#801010' -fill '#E03030' \
  -draw 'polygon 1,3 3,1 8,6 13,1 15,3 10,8 15,13 13,15 8,10 3,15 1,13 6,8'
# 22 save: a floppy disc.
cell save -stroke '#101830' -fill '#2A3F80' -draw 'polygon 1,1 13,1 15,3 15,15 1,15' \
  -fill '#E8E8E8' -draw 'rectangle 4,1 11,6' -fill '#2A3F80' -stroke none -draw 'rectangle 9,2 10,5' \
  -fill '#F8F8F8' -stroke '#101830' -draw 'rectangle 3,9 12,15'
# 23 about: a star.
cell about -stroke '#8A6A00' -fill '#F8D030' \
  -draw 'polygon 8,0 10,5 15,6 11,9 12,15 8,12 4,15 5,9 1,6 6,5'

"$convert" "${cells[@]}" +append -type TrueColor BMP3:"$out/mainimg.bmp"

# The about box picture: a graphics card on a dark red field.
"$convert" -size 160x64 gradient:'#5A0A0A'-'#B01E1E' +antialias \
  -stroke '#202020' -fill '#2F8F46' -draw 'rectangle 12,14 132,50' \
  -stroke none -fill '#D4AF37' -draw 'rectangle 30,51 110,56' \
  -fill '#C8C8C8' -draw 'rectangle 133,8 138,56' \
  -stroke '#101010' -fill '#303030' -draw 'circle 50,32 50,16' \
  -stroke none -fill '#606060' -draw 'circle 50,32 50,22' -fill '#303030' -draw 'circle 50,32 50,27' \
  -fill '#A0A0A0' -draw 'polygon 50,17 54,30 50,32' -draw 'polygon 65,32 52,36 50,32' \
  -draw 'polygon 50,47 46,34 50,32' -draw 'polygon 35,32 48,28 50,32' \
  -stroke '#101010' -fill '#C0C0C0' -draw 'rectangle 80,22 116,42' \
  -stroke none -fill '#D01818' -draw 'rectangle 86,26 110,38' \
  -fill white -draw 'polygon 92,36 96,28 100,28 104,36 100,36 98,31 96,36' \
  -type TrueColor BMP3:"$out/radeon.bmp"

# The lock editor's button glyphs, on the classic button face.
glyph() {
  local name=$1; shift
  "$convert" -size 16x16 xc:'#D4D0C8' +antialias -strokewidth 1 "$@" -type TrueColor BMP3:"$out/$name.bmp"
}
# ADDNEW: a green plus.
glyph addnew -stroke '#0E5A1E' -fill '#30B040' -draw 'polygon 6,2 9,2 9,6 13,6 13,9 9,9 9,13 6,13 6,9 2,9 2,6 6,6'
# REMOVE: a red minus.
glyph remove -stroke '#801010' -fill '#E03030' -draw 'rectangle 2,6 13,9'
# ADDALL: a list with a green plus on it.
glyph addall -stroke '#505050' -fill white -draw 'rectangle 1,1 10,13' \
  -stroke '#8090A0' -draw 'line 3,4 8,4' -draw 'line 3,7 8,7' -draw 'line 3,10 8,10' \
  -stroke '#0E5A1E' -fill '#30B040' -draw 'polygon 10,7 12,7 12,9 14,9 14,11 12,11 12,13 10,13 10,11 8,11 8,9 10,9'
# ALLDEL: a list with a red cross on it.
glyph alldel -stroke '#505050' -fill white -draw 'rectangle 1,1 10,13' \
  -stroke '#8090A0' -draw 'line 3,4 8,4' -draw 'line 3,7 8,7' -draw 'line 3,10 8,10' \
  -stroke '#801010' -fill '#E03030' -draw 'polygon 7,8 9,8 11,10 13,8 15,8 15,10 13,12 15,14 15,15 13,15 11,13 9,15 7,15 7,14 9,12 7,10'
