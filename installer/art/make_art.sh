#!/usr/bin/env bash
# Draws Install's art with ImageMagick: the banner (bitmap 102, 250 x 70) and the icon used for
# both icon groups. Run from this folder; it rewrites banner.bmp and install.ico.
set -euo pipefail
# The banner's lower rows and right edge are the dialog's grey: the language label and the icon
# sit on them.
convert -size 234x54 gradient:'#16335f'-'#3f7fc8' \
  -stroke '#ffd040' -strokewidth 4 -fill none \
  -draw "path 'M 12,44 C 22,6 36,6 42,28 S 56,52 64,14'" \
  -stroke none -fill white -font Liberation-Sans-Bold -pointsize 24 -annotate +76+30 'Strokewise' \
  -fill '#d8e6f8' -font Liberation-Sans -pointsize 12 -annotate +78+47 'Installation' \
  -background '#c0c0c0' -extent 250x70 -type TrueColor BMP3:banner.bmp
for s in 32 16; do
  w=$((s / 8))
  convert -size ${s}x${s} xc:'#3f7fc8' -fill '#16335f' -draw "rectangle 0,0 $((s-1)),$((s/4))" \
    -stroke '#ffd040' -strokewidth $w -fill none \
    -draw "path 'M $((s/8)),$((s*3/4)) C $((s/4)),$((s/4)) $((s/2)),$((s/4)) $((s/2)),$((s/2)) S $((s*3/4)),$((s*7/8)) $((s*7/8)),$((s*3/8))'" \
    -colors 16 -type Palette /tmp/install_icon_$s.png
done
convert /tmp/install_icon_32.png /tmp/install_icon_16.png install.ico
rm -f /tmp/install_icon_32.png /tmp/install_icon_16.png
