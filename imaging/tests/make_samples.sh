#!/bin/sh
# Makes the reader tests' pictures with ImageMagick, each with a PPM of the pixels it holds.
set -e
out=$1
mkdir -p "$out"
cd "$out"
# A 40 x 30 picture of the 16 standard colours in blocks, and a 64 x 48 colour gradient.
convert -size 40x30 xc:white \
  -fill '#000000' -draw 'rectangle 0,0 9,7'   -fill '#800000' -draw 'rectangle 10,0 19,7' \
  -fill '#008000' -draw 'rectangle 20,0 29,7' -fill '#808000' -draw 'rectangle 30,0 39,7' \
  -fill '#000080' -draw 'rectangle 0,8 9,15'  -fill '#800080' -draw 'rectangle 10,8 19,15' \
  -fill '#008080' -draw 'rectangle 20,8 29,15' -fill '#808080' -draw 'rectangle 30,8 39,15' \
  -fill '#C0C0C0' -draw 'rectangle 0,16 9,23' -fill '#FF0000' -draw 'rectangle 10,16 19,23' \
  -fill '#00FF00' -draw 'rectangle 20,16 29,23' -fill '#FFFF00' -draw 'rectangle 30,16 39,23' \
  -fill '#0000FF' -draw 'rectangle 0,24 9,29' -fill '#FF00FF' -draw 'rectangle 10,24 19,29' \
  -fill '#00FFFF' -draw 'rectangle 20,24 29,29' blocks.ppm
convert -size 64x48 gradient:'#FF2000-#0030FF' -depth 8 gradient.ppm

# Each file is written, then decoded again by convert for its reference, so the reference holds
# exactly what the file holds (for JPEG: convert's own decoding).
make() {  # file source options... (the file name may carry a coder prefix, e.g. BMP3:x.bmp)
  target=$1; src=$2; shift 2
  name=${target#*:}
  convert "$src" "$@" "$target"
  convert "$name" -depth 8 "$name.ppm"
}
make BMP3:blocks4.bmp blocks.ppm -type palette -colors 16
make BMP3:gradient8.bmp gradient.ppm -colors 200 -type palette
make BMP3:gradient24.bmp gradient.ppm -type truecolor
make PNG8:blocks8.png blocks.ppm
make PNG24:gradient24.png gradient.ppm
make PNG48:gradient48.png gradient.ppm
# Half transparent: the reference is the picture laid over white.
convert -size 8x6 xc:none -fill '#FF000080' -draw 'rectangle 0,0 3,5' -fill blue -draw 'rectangle 6,0 7,5' PNG32:alpha.png
convert alpha.png -background white -flatten -depth 8 alpha.png.ppm
make gradient.gif gradient.ppm -colors 200
make blocks.gif blocks.ppm
make gradient.tif gradient.ppm -compress none
make blocks-lzw.tif blocks.ppm -type palette -compress lzw
make gradient.jpg gradient.ppm -quality 90
make blocks8.pcx blocks.ppm -type palette
make gradient8.pcx gradient.ppm -colors 200 -type palette
make gradient24.pcx gradient.ppm -type truecolor
# For the component: a bitmap resource and an icon.
convert -size 12x10 xc:red -fill blue -draw 'rectangle 0,0 5,9' -type truecolor BMP3:resource.bmp
convert -size 32x32 xc:yellow -fill navy -draw 'rectangle 0,0 15,31' icon.ico
touch stamp
