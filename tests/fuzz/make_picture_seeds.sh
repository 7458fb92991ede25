#!/usr/bin/env bash
# Makes the picture fuzzer's seeds in tests/fuzz/corpus/picture: a small picture in every kind of
# file the program reads. ImageMagick's convert writes the PNGs, the JPEGs and the bitmaps it can
# write; bmp_seeds.cpp, built here, writes the other kinds of bitmap. Regression inputs kept there
# (regression-*) are left alone.
#
# usage: make_picture_seeds.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/corpus/picture
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Columns of 16 colours with a white block and one red point: flat runs for the run-length
# encodings, edges for the JPEGs, too many colours for a 16-colour palette (-colors 16 makes one).
base=$work/base.png
convert -size 12x16 gradient:navy-orange -rotate 90 -fill white -draw 'rectangle 5,3 10,8' -fill red \
    -draw 'point 2,2' "$base"
seed() {  # seed TARGET OPTIONS...
    local target=$1
    shift
    convert "$base" -strip -define png:exclude-chunks=date,time "$@" "$target"
}

seed "PNG24:$out/png-rgb.png"
seed "PNG8:$out/png-palette.png"
seed "PNG:$out/png-grey.png" -colorspace Gray -depth 8 -define png:color-type=0
seed "PNG48:$out/png-rgb16.png"
seed "PNG24:$out/png-interlaced.png" -interlace PNG
seed "$out/jpeg-baseline.jpg" -quality 85
seed "$out/jpeg-progressive.jpg" -quality 85 -interlace JPEG
seed "$out/jpeg-grey.jpg" -colorspace Gray
seed "BMP3:$out/bmp-pal1.bmp" -monochrome
seed "BMP3:$out/bmp-pal4.bmp" -colors 16 -type palette -compress None
seed "BMP3:$out/bmp-pal8.bmp" -type palette -compress None
seed "BMP3:$out/bmp-rle8.bmp" -type palette -compress RLE
seed "BMP3:$out/bmp-rgb24.bmp" -type truecolor
seed "BMP2:$out/bmp-os2v1-pal8.bmp" -type palette
seed "BMP2:$out/bmp-os2v1-rgb24.bmp" -type truecolor
seed "BMP:$out/bmp-v5-argb32.bmp" -alpha set -channel A -fx 0.5 +channel
seed "BMP:$out/bmp-v5-rgb565.bmp" -define bmp:subtype=RGB565

${CXX:-c++} -std=c++20 -I "$here/../support" "$here/bmp_seeds.cpp" -o "$work/bmp_seeds"
"$work/bmp_seeds" "$out"
