#!/usr/bin/env bash
# Renders the SVG drawings in pictures/src and icons/src into the PNG files the program loads,
# then squeezes them. Needs rsvg-convert (librsvg2-bin), optipng, pngquant, imagemagick and the
# AR PL UMing / UKai and DejaVu fonts. Run from anywhere; writes beside the sources' parents.
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"   # resources/

render() { # source.svg target.png
  rsvg-convert "$1" -o "$2"
}

for svg in "$here"/pictures/src/*.svg; do
  render "$svg" "$here/pictures/$(basename "${svg%.svg}").png"
done
for svg in "$here"/icons/src/*.svg; do
  render "$svg" "$here/icons/$(basename "${svg%.svg}").png"
done

# Small pictures with few colours: palette-quantise (keeps the alpha channel).
# The large backgrounds are soft gradients: keep them lossless so they do not band.
for png in "$here"/icons/*.png "$here"/pictures/{bird,exit_button,about_picture,car,notebook}.png; do
  pngquant --force --skip-if-larger --quality 80-98 --speed 1 --output "$png" -- "$png" || true
done
optipng -quiet -o5 -strip all "$here"/icons/*.png "$here"/pictures/*.png

# The Windows program's icon: the program's picture at the sizes Explorer and the Start menu use.
sizes=()
for size in 16 32 48 256; do
  rsvg-convert -w $size -h $size "$here/icons/src/app.svg" -o "/tmp/tallyra-icon-$size.png"
  sizes+=("/tmp/tallyra-icon-$size.png")
done
convert "${sizes[@]}" "$here/../packaging/windows/tallyra.ico"
rm "${sizes[@]}"

# The login window's background is stored raw (binary PPM, uncompressed in the program):
# it is shown at every start, and decoding a PNG of it took a tenth of the start-up.
convert "$here/pictures/login_background.png" "ppm:$here/pictures/login_background.ppm"
rm "$here/pictures/login_background.png"
