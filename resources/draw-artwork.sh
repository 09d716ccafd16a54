#!/bin/sh
# Draws Kestrel's own pictures with ImageMagick. Run once from resources/; the PNG files
# it writes are committed and compiled into the program (kestrel.qrc).
set -e

cd "$(dirname "$0")"
mkdir -p toolbar icons

NAVY='#000080'; SKY='#a6caf0'; GOLD='#f0b429'; RUST='#c8553d'

# The bird: a kestrel hovering, wings spread, drawn on a 256 grid.
BIRD="polygon 128,70 140,92 150,100 236,82 158,124 146,128 140,152 152,190 128,176 104,190 116,152 110,128 98,124 20,82 106,100 116,92"

# Application icon: the bird over a screen, on a rounded navy tile.
convert -size 256x256 xc:none \
  -fill "$NAVY" -draw "roundrectangle 8,8 248,248 36,36" \
  -fill '#1b3f8f' -draw "roundrectangle 8,8 248,150 36,36" \
  -fill "$SKY" -draw "rectangle 40,150 216,214" \
  -fill "$NAVY" -draw "rectangle 48,158 208,206" \
  -fill "$GOLD" -draw "rectangle 56,166 124,198" \
  -fill '#e8eef8' -draw "rectangle 132,166 200,178" -draw "rectangle 132,186 200,198" \
  -fill "$RUST" -stroke '#ffffff' -strokewidth 4 -draw "$BIRD" \
  icons/kestrel-256.png
convert icons/kestrel-256.png -resize 48x48 icons/kestrel-48.png

# Tool bar pictures, 32 x 32 on transparent ground.
T="-size 32x32 xc:none -strokewidth 1.5"
# open: a folder with its lid raised
convert $T -fill '#d99a1e' -stroke '#7a520c' -draw "polygon 2,8 12,8 14,11 28,11 28,27 2,27" \
  -fill '#f6c453' -draw "polygon 6,15 31,15 27,27 2,27" toolbar/open.png
# save: a diskette
convert $T -fill '#2b5fb3' -stroke '#14305e' -draw "roundrectangle 3,3 29,29 3,3" \
  -fill '#e9eef7' -stroke none -draw "rectangle 8,4 23,13" \
  -fill '#14305e' -draw "rectangle 18,6 21,11" \
  -fill '#ffffff' -draw "rectangle 7,18 25,28" \
  -fill '#9bb0d3' -draw "line 9,21 23,21" -draw "line 9,24 23,24" toolbar/save.png
# settings: a display with its stand and a resolution mark
convert $T -fill '#3b4a5e' -stroke '#1c2430' -draw "roundrectangle 2,4 30,23 2,2" \
  -fill '#8fd0ff' -stroke none -draw "rectangle 5,7 27,20" \
  -fill '#1c2430' -draw "rectangle 13,24 19,27" -draw "rectangle 8,27 24,29" \
  -stroke '#ffffff' -strokewidth 1.5 -draw "line 8,17 14,11" -draw "line 18,17 24,11" \
  -draw "line 8,17 11,17" -draw "line 24,11 21,11" toolbar/settings.png
# delete window: a hatched window with a red cross
convert $T -fill '#fff3b0' -stroke '#a0a0a0' -strokewidth 2 -draw "rectangle 3,5 24,22" \
  -stroke '#e0c040' -strokewidth 1 -draw "line 4,10 10,5" -draw "line 4,16 15,5" -draw "line 4,21 20,5" -draw "line 9,21 23,7" \
  -stroke '#d42020' -strokewidth 4 -draw "line 17,17 29,29" -draw "line 29,17 17,29" toolbar/delete.png
# exit: a door with an arrow leaving it
convert $T -fill '#8a5a2b' -stroke '#4a2f14' -draw "rectangle 5,3 19,29" \
  -fill '#f0d060' -stroke none -draw "circle 16,16 17.5,16" \
  -stroke '#d42020' -strokewidth 3 -draw "line 15,16 28,16" \
  -fill '#d42020' -stroke none -draw "polygon 31,16 24,10 24,22" toolbar/exit.png
# about: an "i" in a blue disc
convert $T -fill '#2b7bd3' -stroke '#14407a' -draw "circle 16,16 16,2" \
  -fill '#ffffff' -stroke none -draw "circle 16,9 16,6.8" -draw "roundrectangle 13.5,13 18.5,26 1,1" toolbar/about.png

# About box picture: dusk sky over a horizon with the bird on the left.
convert -size 476x297 gradient:'#0b1f4d'-'#2f6fb0' \
  -fill '#163a6e' -draw "polygon 0,297 0,230 90,205 180,225 270,195 360,220 476,200 476,297" \
  -fill '#0d274f' -draw "polygon 0,297 0,260 120,245 240,262 360,240 476,255 476,297" \
  \( -size 256x256 xc:none -fill "$GOLD" -stroke '#ffffff' -strokewidth 3 -draw "$BIRD" -resize 190x190 \) \
  -geometry +20+40 -composite about.png

# The picture shown while no background has been chosen: a grey-blue field with an
# empty picture frame and the words that say so.
convert -size 416x416 xc:'#4a5a70' \
  -stroke '#56677f' -strokewidth 1 \
  -draw "line 0,52 416,52" -draw "line 0,104 416,104" -draw "line 0,156 416,156" -draw "line 0,208 416,208" \
  -draw "line 0,260 416,260" -draw "line 0,312 416,312" -draw "line 0,364 416,364" \
  -draw "line 52,0 52,416" -draw "line 104,0 104,416" -draw "line 156,0 156,416" -draw "line 208,0 208,416" \
  -draw "line 260,0 260,416" -draw "line 312,0 312,416" -draw "line 364,0 364,416" \
  -fill none -stroke '#c9d3e0' -strokewidth 6 -draw "roundrectangle 138,96 278,206 10,10" \
  -fill '#c9d3e0' -stroke none -draw "polygon 150,194 186,146 210,176 226,160 266,194" -draw "circle 246,124 246,112" \
  -fill '#e8eef8' -font Helvetica-Bold -pointsize 30 -gravity center -annotate +0+60 'No background' \
  -font Helvetica -pointsize 19 -annotate +0+98 'chosen yet' \
  -fill '#a9b7ca' -pointsize 14 -annotate +0+150 'Kestrel' \
  -resize '720x405!' -alpha off default-title.png  # opaque, stored as shown at 1360 x 768: nothing to scale or convert before the first frame

# 8 bits per channel: smaller files that load faster.
for f in about.png default-title.png icons/*.png toolbar/*.png; do convert "$f" -depth 8 "$f"; done
# Each row of the default picture is stored as the difference from its left neighbour:
# half the decoding time of the adaptive filters for the same pixels, before the first frame.
convert default-title.png -define png:compression-filter=1 -define png:compression-level=9 default-title.png
