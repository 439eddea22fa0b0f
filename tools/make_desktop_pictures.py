#!/usr/bin/env python3
"""Draws the pictures of the program's own desktop windows into the program folder's images/:
splash.bmp, the start-up picture (640 x 256, 24 bits), and delvix_icon.bmp, the program's icon
for the tray and the notification bubble (64 x 64, 32 bits with alpha).

Usage: make_desktop_pictures.py <images folder> <bold font> <regular font>

Both share one mark: a rounded square in the accent colour holding a faceted gem outline (a
model's silhouette), and the dark palette of the program's windows."""
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

BACKGROUND_TOP = (0x1A, 0x1E, 0x24)
BACKGROUND_BOTTOM = (0x12, 0x15, 0x1A)
ACCENT = (0x4C, 0xA3, 0xF0)
TEXT = (0xE6, 0xE9, 0xEE)
MUTED = (0x8A, 0x93, 0xA0)
SUPER = 4  # drawn larger, then reduced: smooth edges


def draw_mark(size):
    """The mark as an RGBA picture of size x size pixels."""
    big = size * SUPER
    mark = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(mark)
    d.rounded_rectangle((0, 0, big - 1, big - 1), radius=big // 5, fill=ACCENT + (255,))
    # The gem: a crown on a point, outlined, with the facet lines inside.
    w = big
    top, girdle, point = 0.28 * w, 0.44 * w, 0.80 * w
    left, right = 0.20 * w, 0.80 * w
    crown_l, crown_r = 0.34 * w, 0.66 * w
    line = max(2, big // 18)
    outline = [(crown_l, top), (crown_r, top), (right, girdle), (w / 2, point), (left, girdle)]
    white = (255, 255, 255, 255)
    d.polygon(outline, outline=white, width=line)
    d.line([(left, girdle), (right, girdle)], fill=white, width=line)
    d.line([(crown_l, top), (0.42 * w, girdle), (w / 2, point)], fill=white, width=line // 2 + 1)
    d.line([(crown_r, top), (0.58 * w, girdle), (w / 2, point)], fill=white, width=line // 2 + 1)
    return mark.resize((size, size), Image.LANCZOS)


def gradient(width, height):
    picture = Image.new("RGB", (width, height))
    d = ImageDraw.Draw(picture)
    for y in range(height):
        t = y / (height - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(BACKGROUND_TOP, BACKGROUND_BOTTOM))
        d.line([(0, y), (width, y)], fill=colour)
    return picture


def draw_splash(bold, regular):
    width, height = 640, 256
    picture = gradient(width, height)
    # A faint glow behind the mark.
    glow = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    ImageDraw.Draw(glow).ellipse((40, 48, 200, 208), fill=ACCENT + (60,))
    glow = glow.filter(ImageFilter.GaussianBlur(30))
    picture.paste(glow, (0, 0), glow)
    mark = draw_mark(112)
    picture.paste(mark, (64, 72), mark)
    d = ImageDraw.Draw(picture)
    d.text((208, 66), "Delvix", font=ImageFont.truetype(bold, 64), fill=TEXT)
    d.text((212, 146), "Model viewer and exporter", font=ImageFont.truetype(regular, 20), fill=MUTED)
    d.text((212, 172), "Cod4  \u00b7  Cod5  \u00b7  Cod BO", font=ImageFont.truetype(regular, 16), fill=MUTED)
    d.text((width - 24, height - 22), "Starting\u2026", font=ImageFont.truetype(regular, 13), fill=MUTED, anchor="rs")
    d.rectangle((0, height - 4, width, height), fill=ACCENT)
    d.rectangle((0, 0, width - 1, height - 1), outline=(0x2C, 0x32, 0x3B))
    return picture


def write_bmp(path, picture):
    """Uncompressed BMP, rows bottom-up: 24 bits for RGB, 32 bits (B, G, R, A) for RGBA."""
    width, height = picture.size
    channels = 4 if picture.mode == "RGBA" else 3
    stride = (width * channels + 3) & ~3
    rows = []
    pixels = picture.load()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            p = pixels[x, y]
            row += bytes((p[2], p[1], p[0])) + (bytes((p[3],)) if channels == 4 else b"")
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, channels * 8, 0, len(data), 2835, 2835, 0, 0)
    with open(path + ".part", "wb") as f:
        f.write(header + info + data)
    os.replace(path + ".part", path)


def main():
    folder, bold, regular = sys.argv[1:4]
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "splash.bmp"), draw_splash(bold, regular))
    write_bmp(os.path.join(folder, "delvix_icon.bmp"), draw_mark(64))


if __name__ == "__main__":
    main()
