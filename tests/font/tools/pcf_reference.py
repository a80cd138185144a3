#!/usr/bin/python3
"""Draws a line of text from a PCF font with Pillow's own PCF reader, as rows of '#' and '.'.

Usage: pcf_reference.py FONT.pcf[.gz] TEXT WIDTH HEIGHT X BASELINE
The cursor starts at X on the row BASELINE; each glyph's bitmap lands at
(cursor + left bearing, BASELINE - glyph ascent) and the cursor moves on by
the glyph's advance.
"""
import gzip
import io
import sys

from PIL import PcfFontFile


def main():
    path, text = sys.argv[1], sys.argv[2]
    width, height, x, baseline = (int(v) for v in sys.argv[3:7])
    data = gzip.open(path).read() if path.endswith(".gz") else open(path, "rb").read()
    font = PcfFontFile.PcfFontFile(io.BytesIO(data), "iso8859-1")
    canvas = [["."] * width for _ in range(height)]
    for ch in text.encode("latin-1"):
        glyph = font.glyph[ch]
        if glyph is None:
            continue
        (advance, _), (left, top, _, _), (_, _, w, h), image = glyph
        for gy in range(h):
            for gx in range(w):
                px, py = x + left + gx, baseline + top + gy
                if image.getpixel((gx, gy)) and 0 <= px < width and 0 <= py < height:
                    canvas[py][px] = "#"
        x += advance
    print("\n".join("".join(row) for row in canvas))


main()
