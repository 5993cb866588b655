#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG images of the icons from their SVG sources in resources/icons. The PNGs are kept
# in the repository, so building needs no SVG renderer; run this after changing an SVG.
# Needs rsvg-convert (Debian package librsvg2-bin) and convert (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"

render() {
    local svg=$1 size=$2 png=$3
    rsvg-convert --width "$size" --height "$size" --output "$png" "$svg"
}

mkdir -p png
for size in 16 22 24 32 48 64 128 256; do
    render vantrel.svg "$size" "png/vantrel-$size.png"
done
for glyph in sort-up sort-down textlist playlist copyto moveto; do
    render "$glyph.svg" 16 "png/$glyph.png"
    render "$glyph.svg" 32 "png/$glyph@2x.png"
done
render email.svg 24 png/email.png
render email.svg 48 png/email@2x.png
# The program's icon on Windows: every size in one .ico (ImageMagick).
convert png/vantrel-{16,24,32,48,64,128,256}.png vantrel.ico
