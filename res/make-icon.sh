#!/usr/bin/env bash
# Draws the program's icon (a dictionary page with an "L") at 16, 32 and 48 pixels.
# Kept for redrawing; lexmoor.ico is committed.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
  r=$((s * 3 / 16)); m=$((s / 16)); e=$((s - 1 - m))
  convert -size ${s}x${s} xc:none \
    -fill '#1f4e9c' -draw "roundrectangle $m,$m $e,$e $r,$r" \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize $((s * 3 / 4)) -gravity center \
    -annotate +0+0 'L' "$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" lexmoor.ico
