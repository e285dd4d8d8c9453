#!/bin/sh
# Three 32 x 32 icons for the test library: red with a blue 8 x 8 corner, green, and blue on the
# left half with the right half transparent.
set -e
out=$1
mkdir -p "$out"
cd "$out"
convert -size 32x32 xc:'#FF0000' -fill '#0000FF' -draw 'rectangle 0,0 7,7' red.ico
convert -size 32x32 xc:'#00FF00' green.ico
convert -size 32x32 xc:none -fill '#0000FF' -draw 'rectangle 0,0 15,31' half.ico
touch stamp
