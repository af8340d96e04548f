#!/usr/bin/env bash
# Draws the two small images of the sign-in dialog and the about box with
# ImageMagick: the maker's mark (a cove with a sun over the water) and the
# "QVL" badge. Run from anywhere; writes the PNG files beside this script.
# The program's icon is drawn by make-app-icon.sh.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf

# Brindle Cove: sky, sun, two headlands around a bay, waves.
convert -size 96x96 xc:'#BFE3F5' \
  -fill '#FFC93C' -stroke '#E0A100' -strokewidth 1 -draw 'circle 48,40 48,24' \
  -stroke none -fill '#6B8E23' -draw 'polygon 0,58 0,30 14,28 30,44 40,58' \
  -fill '#556B2F' -draw 'polygon 96,58 96,26 80,30 64,46 56,58' \
  -fill '#1E6FA8' -draw 'rectangle 0,58 95,95' \
  -stroke white -strokewidth 2 -fill none \
  -draw 'bezier 8,70 18,64 28,76 38,70' -draw 'bezier 48,76 58,70 68,82 78,76' \
  -draw 'bezier 20,86 30,80 40,92 50,86' \
  -stroke '#7A4B1E' -strokewidth 3 -draw 'rectangle 1,1 94,94' \
  -strip BrindleCove.png

# QVL badge: a rounded square with the three letters.
convert -size 96x96 xc:none \
  -fill '#2F4F8F' -stroke '#1B2F5A' -strokewidth 3 -draw 'roundrectangle 3,3 92,92 14,14' \
  -fill '#FFD24A' -stroke none -draw 'rectangle 12,62 83,68' \
  -font "$font" -pointsize 34 -fill white -gravity center -annotate +0-10 'QVL' \
  -pointsize 11 -fill '#FFD24A' -annotate +0+30 'SPEED MATH' \
  -strip QVL.png
