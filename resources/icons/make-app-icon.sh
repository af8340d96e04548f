#!/usr/bin/env bash
# Draws the program's icon: the four signs of arithmetic on a light tile. The
# SVG below is the master; rsvg-convert (Debian package librsvg2-bin) renders
# the hicolor sizes the desktop menu uses and the window icon built into the
# program (AppIcon.png). Run from anywhere; writes beside this script.
set -euo pipefail
cd "$(dirname "$0")"
id=org.brindlecove.VandrelsholmSpeedMath

mkdir -p hicolor/scalable/apps
cat > hicolor/scalable/apps/$id.svg <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Vandrelsholm Speed Math</title>
  <rect x="10" y="10" width="236" height="236" rx="40" fill="#F4F8FC" stroke="#2F4F8F" stroke-width="12"/>
  <g stroke-linecap="round" fill="none" stroke-width="22">
    <path d="M78 44 V112 M44 78 H112" stroke="#1FA34A"/>
    <path d="M154 54 L202 102 M202 54 L154 102" stroke="#2F4F8F"/>
    <path d="M44 178 H112" stroke="#E07B00"/>
    <path d="M144 178 H212" stroke="#B22222"/>
  </g>
  <circle cx="178" cy="146" r="13" fill="#B22222"/>
  <circle cx="178" cy="210" r="13" fill="#B22222"/>
</svg>
SVG

for size in 16 22 24 32 48 64 128 256; do
  mkdir -p hicolor/${size}x${size}/apps
  rsvg-convert -w $size -h $size hicolor/scalable/apps/$id.svg -o hicolor/${size}x${size}/apps/$id.png
done
cp hicolor/64x64/apps/$id.png AppIcon.png
