#!/usr/bin/env python3
"""Draws the pictures of the main window's own frame into the program folder's images/frame/:
the caption icon (the program's mark) and the caption buttons close, maximise, restore and
minimise, each in a normal and a hover form. All are 16 x 16, 32-bit BMP with alpha.

Usage: make_frame_pictures.py <images folder>

The glyphs are thin light lines that read on every frame theme (dark, grey, blue); hovered, a
button gets a soft plate behind its glyph (red for close). Each picture keeps its last column
and two last rows clear: the button's press box is the rest."""
import os
import sys

from PIL import Image, ImageDraw

from make_desktop_pictures import draw_mark, write_bmp

SIZE = 16
SUPER = 8                      # drawn larger, then reduced: smooth lines that stay crisp
GLYPH = (0xD8, 0xDC, 0xE2, 255)
GLYPH_HOVER = (0xFF, 0xFF, 0xFF, 255)
PLATE = (0xFF, 0xFF, 0xFF, 0x38)
CLOSE_PLATE = (0xD9, 0x3B, 0x3B, 255)


def glyph(kind, colour, d):
    s = SUPER
    line = int(1.25 * s)
    if kind == "close":
        d.line([(4 * s, 3.5 * s), (10.5 * s, 10 * s)], fill=colour, width=line)
        d.line([(10.5 * s, 3.5 * s), (4 * s, 10 * s)], fill=colour, width=line)
    elif kind == "maximise":
        d.rectangle((3.5 * s, 3 * s, 11 * s, 10.5 * s), outline=colour, width=line)
    elif kind == "restore":
        d.rectangle((5.5 * s, 2.5 * s, 11.5 * s, 8.5 * s), outline=colour, width=line)
        d.rectangle((3 * s, 5 * s, 9 * s, 11 * s), fill=(0, 0, 0, 0))
        d.rectangle((3 * s, 5 * s, 9 * s, 11 * s), outline=colour, width=line)
    elif kind == "minimise":
        d.line([(3.5 * s, 9.5 * s), (11 * s, 9.5 * s)], fill=colour, width=line)


def draw_button(kind, hover):
    big = Image.new("RGBA", (SIZE * SUPER, SIZE * SUPER), (0, 0, 0, 0))
    glyph_layer = Image.new("RGBA", big.size, (0, 0, 0, 0))
    if hover:
        plate = CLOSE_PLATE if kind == "close" else PLATE
        ImageDraw.Draw(big).rounded_rectangle((0, 0, 15 * SUPER - 1, 14 * SUPER - 1), radius=3 * SUPER, fill=plate)
    glyph(kind, GLYPH_HOVER if hover else GLYPH, ImageDraw.Draw(glyph_layer))
    big.alpha_composite(glyph_layer)
    return big.resize((SIZE, SIZE), Image.LANCZOS)


def main():
    folder = os.path.join(sys.argv[1], "frame")
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "caption_icon.bmp"), draw_mark(SIZE))
    for kind in ("close", "maximise", "restore", "minimise"):
        write_bmp(os.path.join(folder, kind + ".bmp"), draw_button(kind, False))
        write_bmp(os.path.join(folder, kind + "_hover.bmp"), draw_button(kind, True))


if __name__ == "__main__":
    main()
