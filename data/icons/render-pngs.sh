#!/bin/sh
# Renders tavrel.svg into the hicolor PNG sizes committed beside it.
# The PNGs are kept in git so that building needs no SVG renderer;
# tst_installation fails when they no longer match the drawing.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 256; do
    mkdir -p "$here/hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$here/tavrel.svg" -o "$here/hicolor/${size}x${size}/apps/tavrel.png"
done
