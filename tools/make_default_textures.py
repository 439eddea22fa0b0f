#!/usr/bin/env python3
"""Draws the two textures the 3D view falls back on and writes them as DDS files.

default.dds: 128 x 128, what a surface without a colour map shows: a light neutral grey with a
faint checker of 16-pixel squares (200 and 186), so the lights read well on it and the surface's
texture coordinates stay visible.
$identitynormalmap.dds: 4 x 4, the flat tangent-space normal (128, 128, 255) that the normal-mapping
program reads when a surface has no normal map or bump mapping is off.

Both are uncompressed 32-bit B,G,R,A with the full mipmap chain down to 1 x 1 (each level the box
average of the one before), top row first.

Usage: tools/make_default_textures.py <output folder>
"""
import os
import struct
import sys

from PIL import Image

DEFAULT_SIZE = 128
CHECKER = 16
LIGHT, DARK = 200, 186
FLAT_NORMAL = (128, 128, 255, 255)


def dds_header(width, height, levels):
    """The 128-byte header of a B,G,R,A image with a mipmap chain of `levels` levels."""
    flags = 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000  # caps, height, width, pixel format, mipmap count
    pixel_format = struct.pack("<8I", 32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    caps = struct.pack("<4I", 0x401008, 0, 0, 0)  # complex, texture, mipmap
    header = b"DDS " + struct.pack("<7I", 124, flags, height, width, 0, 0, levels)
    header += bytes(44) + pixel_format + caps + bytes(4)
    assert len(header) == 128
    return header


def mip_chain(image):
    """The image and each half-size box average of it down to 1 x 1."""
    chain = [image]
    while max(chain[-1].size) > 1:
        w, h = chain[-1].size
        chain.append(chain[-1].resize((max(w // 2, 1), max(h // 2, 1)), Image.BOX))
    return chain


def dds_bytes(image):
    chain = mip_chain(image.convert("RGBA"))
    data = dds_header(image.width, image.height, len(chain))
    for level in chain:
        r, g, b, a = level.split()
        data += Image.merge("RGBA", (b, g, r, a)).tobytes()
    return data


def default_texture():
    image = Image.new("RGBA", (DEFAULT_SIZE, DEFAULT_SIZE))
    pixels = image.load()
    for y in range(DEFAULT_SIZE):
        for x in range(DEFAULT_SIZE):
            grey = LIGHT if (x // CHECKER + y // CHECKER) % 2 == 0 else DARK
            pixels[x, y] = (grey, grey, grey, 255)
    return image


def identity_normal_map():
    return Image.new("RGBA", (4, 4), FLAT_NORMAL)


def write(folder, name, data):
    path = os.path.join(folder, name)
    temp = path + ".tmp"
    with open(temp, "wb") as out:
        out.write(data)
    os.replace(temp, path)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write(folder, "default.dds", dds_bytes(default_texture()))
    write(folder, "$identitynormalmap.dds", dds_bytes(identity_normal_map()))


if __name__ == "__main__":
    main()
