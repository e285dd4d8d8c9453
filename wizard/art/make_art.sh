#!/usr/bin/env bash
# Draws the quick-start wizard's icon with ImageMagick (an open page with a stroke on it).
# Run from this folder; it rewrites kvowiz.ico.
set -euo pipefail
for s in 32 16; do
  convert -size ${s}x${s} xc:'#3f7fc8' -fill white -stroke '#16335f' \
    -draw "rectangle $((s/6)),$((s/8)) $((s*5/6)),$((s*7/8))" \
    -stroke '#e0a000' -strokewidth $((s/10)) -fill none \
    -draw "path 'M $((s/4)),$((s*2/3)) C $((s/3)),$((s/4)) $((s/2)),$((s/4)) $((s/2)),$((s/2)) S $((s*2/3)),$((s*3/4)) $((s*3/4)),$((s/3))'" \
    -colors 16 -type Palette /tmp/kvowiz_icon_$s.png
done
convert /tmp/kvowiz_icon_32.png /tmp/kvowiz_icon_16.png kvowiz.ico
rm -f /tmp/kvowiz_icon_32.png /tmp/kvowiz_icon_16.png
