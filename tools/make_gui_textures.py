#!/usr/bin/env python3
"""Draws every GUI texture named in the GUI texture list and writes it as a DDS file, plus a
contact sheet PNG of the whole set (each texture on a checkerboard, its name and size under it).

One look for the whole set: a dark, clean tool UI with one accent colour, crisp 1-pixel edges and
icons drawn as simple vector shapes. Every colour comes from PALETTE below. Shapes are drawn
SUPERSAMPLE times larger (4 times for textures above 64 pixels) and box-filtered down, so
diagonals and curves are anti-aliased while edges placed on whole pixels stay crisp.

Textures that the GUI tints with a grey colour (the menu frames, the close cross, the resize
dots, the list arrow, the scroll-bar chevron, the slider knob, the light bulbs) are drawn light,
so that the tint sets their final brightness. In each direction the GUI does not stretch it, a
texture has the size the GUI draws it at, so its pixels meet the screen one to one (the loader
and GL take any size); along a stretched direction its size is a power of two. Every file is
uncompressed 32-bit B,G,R,A with the full mipmap chain, top row first (written by
tools/make_default_textures.py's DDS writer).

Usage: tools/make_gui_textures.py <texture list> <program folder> <contact sheet.png> <font file>
The font (a bold sans-serif TrueType or OpenType font) sets the few words some pictures carry
and the names on the contact sheet.
"""
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from make_default_textures import dds_bytes, write

# The one palette every texture is drawn from (r, g, b).
PALETTE = {
    "ink": (13, 14, 16),  # outlines and the deepest shadow
    "base": (27, 29, 33),  # panel background
    "well": (19, 21, 24),  # recessed grooves and tracks
    "face": (46, 50, 56),  # button face, top
    "face_lo": (35, 38, 43),  # button face, bottom
    "hover": (64, 69, 78),  # hovered face, top
    "hover_lo": (49, 53, 60),  # hovered face, bottom
    "edge": (74, 80, 90),  # 1-pixel highlights
    "line": (96, 103, 114),  # separators, leader lines
    "muted": (140, 147, 158),  # inactive glyphs
    "text": (226, 229, 234),  # glyphs and light surfaces
    "accent": (226, 74, 60),  # the accent: hover marks, ticks, knobs, errors
    "accent_lo": (160, 44, 36),  # the accent's shaded side
    "ok": (92, 190, 112),  # present (tree tick)
    "warm": (255, 210, 130),  # lit bulb, folders
}

SUPERSAMPLE = 8

# Filled by @texture: name -> (width, height, drawing function taking a Canvas).
TEXTURES = {}


def texture(name, width, height):
    def register(draw):
        TEXTURES[name] = (width, height, draw)
        return draw

    return register


def colour(name, alpha=255):
    return PALETTE[name] + (alpha,)


def grey(value, alpha=255):
    """A neutral grey of 0..1, for the textures the GUI tints."""
    level = round(255 * value)
    return (level, level, level, alpha)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# ---------------------------------------------------------------------------------------------
# Drawing


class Canvas:
    """A texture under construction. Coordinates are texture pixels (pixel i spans i..i+1); shape
    methods return coverage masks that paint() fills with a colour or a gradient."""

    def __init__(self, width, height, font_path):
        self.width, self.height = width, height
        self.scale = SUPERSAMPLE if max(width, height) <= 64 else 4
        self.size = (width * self.scale, height * self.scale)
        self.image = Image.new("RGBA", self.size, (0, 0, 0, 0))
        self.font_path = font_path

    def _xy(self, points):
        return [(x * self.scale, y * self.scale) for x, y in points]

    def _box(self, x0, y0, x1, y1):
        s = self.scale
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def _mask(self):
        return Image.new("L", self.size, 0)

    # Shapes -------------------------------------------------------------------------------

    def rect(self, x0, y0, x1, y1):
        mask = self._mask()
        ImageDraw.Draw(mask).rectangle(self._box(x0, y0, x1, y1), fill=255)
        return mask

    def rounded(self, x0, y0, x1, y1, radius):
        mask = self._mask()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(x0, y0, x1, y1), radius * self.scale, fill=255)
        return mask

    def ellipse(self, x0, y0, x1, y1):
        mask = self._mask()
        ImageDraw.Draw(mask).ellipse(self._box(x0, y0, x1, y1), fill=255)
        return mask

    def circle(self, cx, cy, r):
        return self.ellipse(cx - r, cy - r, cx + r, cy + r)

    def polygon(self, points):
        mask = self._mask()
        ImageDraw.Draw(mask).polygon(self._xy(points), fill=255)
        return mask

    def stroke(self, points, width, closed=False):
        """A polyline of the given width with round joints and ends."""
        points = list(points) + ([points[0]] if closed else [])
        mask = self._mask()
        draw = ImageDraw.Draw(mask)
        w = width * self.scale
        draw.line(self._xy(points), fill=255, width=max(1, round(w)), joint="curve")
        for x, y in self._xy(points):
            draw.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=255)
        return mask

    def arc(self, cx, cy, r, start, end, width):
        """An arc of a circle, angles in degrees clockwise from +x (y runs down)."""
        steps = max(8, int(abs(end - start) / 4))
        points = [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
                   cy + r * math.sin(math.radians(start + (end - start) * i / steps))) for i in range(steps + 1)]
        return self.stroke(points, width)

    def ring(self, cx, cy, r, width):
        return minus(self.circle(cx, cy, r), self.circle(cx, cy, r - width))

    def grow(self, mask, pixels):
        """mask widened by about pixels on every side (negative: narrowed)."""
        size = 2 * round(abs(pixels) * self.scale) + 1
        return mask.filter(ImageFilter.MaxFilter(size) if pixels > 0 else ImageFilter.MinFilter(size))

    def outline(self, mask, width):
        """The band of the given width inside the edge of mask."""
        return minus(mask, self.grow(mask, -width))

    def text(self, words, x, y, size, anchor="ls"):
        mask = self._mask()
        font = ImageFont.truetype(self.font_path, round(size * self.scale))
        ImageDraw.Draw(mask).text((x * self.scale, y * self.scale), words, fill=255, font=font, anchor=anchor)
        return mask

    # Paint --------------------------------------------------------------------------------

    def vgradient(self, top, bottom, y0=0, y1=None):
        """A layer shaded from top (at row y0) to bottom (at row y1)."""
        y1 = self.height if y1 is None else y1
        column = Image.new("RGBA", (1, self.size[1]))
        for row in range(self.size[1]):
            t = min(max((row / self.scale - y0) / max(y1 - y0, 1e-6), 0.0), 1.0)
            column.putpixel((0, row), mix(top, bottom, t))
        return column.resize(self.size, Image.NEAREST)

    def hgradient(self, left, right, x0=0, x1=None):
        x1 = self.width if x1 is None else x1
        row = Image.new("RGBA", (self.size[0], 1))
        for col in range(self.size[0]):
            t = min(max((col / self.scale - x0) / max(x1 - x0, 1e-6), 0.0), 1.0)
            row.putpixel((col, 0), mix(left, right, t))
        return row.resize(self.size, Image.NEAREST)

    def paint(self, mask, fill):
        """Composites fill (an r, g, b, a colour or a layer) over the canvas where mask covers."""
        layer = Image.new("RGBA", self.size, fill) if isinstance(fill, tuple) else fill.copy()
        layer.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
        self.image.alpha_composite(layer)

    def result(self):
        return self.image.resize((self.width, self.height), Image.BOX)


def minus(a, b):
    return ImageChops.subtract(a, b)


def both(a, b):
    return ImageChops.multiply(a, b)


def either(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


# ---------------------------------------------------------------------------------------------
# Shared pieces


def button_body(c, x0, x1, hover, radius=3):
    """A tool-bar button face spanning x0..x1 over the canvas height: a 1-pixel ink outline, a
    highlight row under the top, a vertical shade, and on hover an accent bar along the bottom.
    x0 and x1 may lie outside the canvas, so end caps and stretched middles cut from it meet."""
    h = c.height
    outer = c.rounded(x0, 0, x1, h, radius)
    inner = c.rounded(x0 + 1, 1, x1 - 1, h - 1, radius - 1)
    top, bottom = ("hover", "hover_lo") if hover else ("face", "face_lo")
    c.paint(outer, colour("ink"))
    c.paint(inner, c.vgradient(colour(top), colour(bottom), 2, h - 2))
    c.paint(both(inner, c.rect(x0, 1, x1, 2)), colour("edge") if not hover else mix(colour("edge"), colour("text"), 0.25))
    if hover:
        c.paint(both(inner, c.rect(x0, h - 3, x1, h - 1)), colour("accent"))


def small_button(c, hover):
    """A square 16 x 16 button with the tool-bar button's look, outlined on every side."""
    button_body(c, 0, c.width, hover)


def chevron(c, cx, cy, size, width, direction="up"):
    """The points of an open arrow head of the given half-size centred on (cx, cy)."""
    s = size
    pts = {"up": [(cx - s, cy + s / 2), (cx, cy - s / 2), (cx + s, cy + s / 2)],
           "down": [(cx - s, cy - s / 2), (cx, cy + s / 2), (cx + s, cy - s / 2)],
           "right": [(cx - s / 2, cy - s), (cx + s / 2, cy), (cx - s / 2, cy + s)],
           "left": [(cx + s / 2, cy - s), (cx - s / 2, cy), (cx + s / 2, cy + s)]}[direction]
    return c.stroke(pts, width)


def tick(c, x, y, size, width):
    """A tick mark whose box starts at (x, y) and is size wide."""
    s = size
    return c.stroke([(x + 0.1 * s, y + 0.55 * s), (x + 0.38 * s, y + 0.82 * s), (x + 0.9 * s, y + 0.2 * s)], width)


def cross(c, x0, y0, x1, y1, width):
    return either(c.stroke([(x0, y0), (x1, y1)], width), c.stroke([(x0, y1), (x1, y0)], width))


def frame_template(c, top_round, bottom_round):
    """The menu frame drawn as a light template (the GUI tints it): a dark outer outline, a light
    inner line and an even fill, with rounded corners where the piece has an end."""
    w, h = c.width, c.height
    r = 5
    y0 = 0 if top_round else -r - 2
    y1 = h if bottom_round else h + r + 2
    c.paint(c.rounded(0, y0, w, y1, r), grey(0.35))
    c.paint(c.rounded(1, y0 + 1, w - 1, y1 - 1, r - 1), grey(1.0))
    c.paint(c.rounded(2, y0 + 2, w - 2, y1 - 2, r - 2), grey(0.82))


# ---------------------------------------------------------------------------------------------
# Plain fills and buttons


@texture("blank", 8, 8)
def _blank(c):
    c.paint(c.rect(0, 0, 8, 8), (255, 255, 255, 255))


@texture("blank_trans", 8, 8)
def _blank_trans(c):
    pass  # fully transparent: the invisible buttons


for _hover, _name in ((False, "button"), (True, "button_hi")):
    # A capped button: 4-pixel end caps and a middle stretched between them, the middle 1 pixel
    # under each cap. Drawn whole (not capped), the middle is a button without side edges.
    texture(_name, 32, 20)(lambda c, hover=_hover: button_body(c, -8, 40, hover))
    texture(_name + "_sl", 4, 20)(lambda c, hover=_hover: button_body(c, 0, 12, hover))
    texture(_name + "_sr", 4, 20)(lambda c, hover=_hover: button_body(c, -8, 4, hover))

# The "..." buttons beside the path boxes: "button_semi_hi" is the resting look, "button_semi" the
# hovered one.
texture("button_semi_hi", 16, 16)(lambda c: small_button(c, False))
texture("button_semi", 16, 16)(lambda c: small_button(c, True))


def reset_glyph(c, tint):
    """A circular arrow: back to the default path."""
    c.paint(c.arc(8, 8.5, 4.2, 0, 270, 1.6), tint)
    c.paint(c.polygon([(7.2, 1.6), (11.2, 4.3), (7.2, 7.0)]), tint)


@texture("reset_path_dark", 16, 16)
def _reset_path_dark(c):
    small_button(c, False)
    reset_glyph(c, colour("muted"))


@texture("reset_path", 16, 16)
def _reset_path(c):
    small_button(c, True)
    reset_glyph(c, colour("text"))


@texture("download_icon", 256, 64)
def _download_icon(c):
    # The label is drawn by the GUI from x 70 with its baseline at y 32.
    c.paint(c.rounded(2, 6, 254, 58, 8), colour("ink"))
    c.paint(c.rounded(3, 7, 253, 57, 7), c.vgradient(colour("hover"), colour("face_lo"), 8, 56))
    c.paint(both(c.rounded(3, 7, 253, 57, 7), c.rect(0, 7, 256, 8)), colour("edge"))
    c.paint(c.circle(36, 32, 19), colour("accent"))
    c.paint(both(c.circle(36, 32, 19), c.rect(0, 32, 72, 64)), colour("accent_lo", 90))
    white = colour("text")
    c.paint(c.stroke([(36, 20), (36, 35)], 3.2), white)
    c.paint(c.stroke([(29.5, 29), (36, 35.5), (42.5, 29)], 3.2), white)
    c.paint(c.stroke([(26, 37), (26, 42), (46, 42), (46, 37)], 2.6), white)


@texture("mini_settings", 20, 20)
def _mini_settings(c):
    cx = cy = 10
    teeth = []
    for i in range(8):
        a = math.radians(i * 45)
        for da, r in ((-13, 6.2), (-9, 8.6), (9, 8.6), (13, 6.2)):
            teeth.append((cx + r * math.cos(a + math.radians(da)), cy + r * math.sin(a + math.radians(da))))
    gear = minus(either(c.polygon(teeth), c.circle(cx, cy, 6.6)), c.circle(cx, cy, 2.8))
    c.paint(c.grow(gear, 0.8), colour("ink", 200))
    c.paint(gear, colour("text"))


@texture("clear_off", 16, 16)
def _clear_off(c):
    c.paint(c.circle(8, 8, 6.5), colour("face"))
    c.paint(c.ring(8, 8, 6.5, 1), colour("line"))
    c.paint(cross(c, 5.6, 5.6, 10.4, 10.4, 1.5), colour("muted"))


@texture("clear_on", 16, 16)
def _clear_on(c):
    c.paint(c.circle(8, 8, 6.5), colour("accent"))
    c.paint(cross(c, 5.6, 5.6, 10.4, 10.4, 1.6), colour("text"))


# ---------------------------------------------------------------------------------------------
# Frames, bars and lines


@texture("menu_frame", 256, 256)
def _menu_frame(c):
    frame_template(c, True, True)


@texture("menu_frame_top", 310, 16)
def _menu_frame_top(c):
    frame_template(c, True, False)


@texture("menu_frame_mid", 310, 8)
def _menu_frame_mid(c):
    frame_template(c, False, False)


@texture("menu_frame_bot", 310, 16)
def _menu_frame_bot(c):
    frame_template(c, False, True)


@texture("bottom_tool_bar", 64, 25)
def _bottom_tool_bar(c):
    c.paint(c.rect(0, 0, 64, 25), c.vgradient(colour("face_lo"), colour("base"), 2, 25))
    c.paint(c.rect(0, 0, 64, 1), colour("ink"))
    c.paint(c.rect(0, 1, 64, 2), colour("edge"))


def top_panel(c, outline):
    """The bar behind the top buttons: a shaded body with a 1-pixel ink outline."""
    shape = c.polygon(outline)
    c.paint(shape, colour("ink"))
    c.paint(c.grow(shape, -1), c.vgradient(colour("face"), colour("base"), 5, 30))


@texture("tool_bar_top", 580, 32)
def _tool_bar_top(c):
    # Drawn from 5 pixels above the window's top edge: rows 5.. are visible, the buttons sit on
    # rows 7..27.
    top_panel(c, [(0, 0), (580, 0), (580, 17), (567, 30), (13, 30), (0, 17)])
    c.paint(c.rect(14, 28, 566, 29), colour("accent", 110))


@texture("tool_bar_top_div", 32, 32)
def _tool_bar_top_div(c):
    # Between the "CREATE GDT" and "SETTINGS" buttons, which end at column 10 and start at 25.
    fade = c.vgradient((0, 0, 0, 0), (0, 0, 0, 255), 8, 14)
    fade = ImageChops.multiply(fade.getchannel("A"), c.vgradient((0, 0, 0, 255), (0, 0, 0, 0), 22, 27).getchannel("A"))
    c.paint(both(c.rect(17, 8, 18, 27), fade), colour("ink"))
    c.paint(both(c.rect(18, 8, 19, 27), fade), colour("edge"))


@texture("timer_back", 128, 32)
def _timer_back(c):
    # Behind the frame-rate text in the top left corner; columns 0..9 and rows 0..4 lie off screen.
    top_panel(c, [(0, 0), (128, 0), (128, 15), (113, 30), (0, 30)])
    c.paint(c.rect(12, 10, 14, 25), colour("accent"))


@texture("timer_over", 128, 32)
def _timer_over(c):
    # A sheen for the frame-rate panel: light at the top fading out by its middle.
    shape = c.polygon([(0, 0), (128, 0), (128, 15), (113, 30), (0, 30)])
    c.paint(shape, c.vgradient((255, 255, 255, 40), (255, 255, 255, 0), 5, 18))


@texture("faded_lne", 256, 4)
def _faded_lne(c):
    glow = c.hgradient((0, 0, 0, 0), (0, 0, 0, 255), 0, 96)
    glow = ImageChops.multiply(glow.getchannel("A"), c.hgradient((0, 0, 0, 255), (0, 0, 0, 0), 160, 256).getchannel("A"))
    c.paint(both(c.rect(0, 1, 256, 2), glow), colour("accent"))
    c.paint(both(c.rect(0, 2, 256, 3), glow), colour("ink", 200))


@texture("progress_top", 150, 16)
def _progress_top(c):
    # Over the bar's fill: a glassy top, a shaded foot and a crisp outline.
    c.paint(c.rect(1, 1, 149, 8), c.vgradient((255, 255, 255, 70), (255, 255, 255, 12), 1, 8))
    c.paint(c.rect(1, 8, 149, 15), c.vgradient((0, 0, 0, 0), (0, 0, 0, 80), 8, 15))
    c.paint(c.rect(1, 1, 149, 2), (255, 255, 255, 60))
    c.paint(minus(c.rect(0, 0, 150, 16), c.rect(1, 1, 149, 15)), colour("ink"))


# ---------------------------------------------------------------------------------------------
# Scroll bars


@texture("scroll_bar", 15, 8)
def _scroll_bar(c):
    # The model list's track, stretched along its height; the knob runs over columns 0..14.
    c.paint(c.rect(4, 0, 11, 8), colour("line"))
    c.paint(c.rect(5, 0, 10, 8), colour("well"))


@texture("scroll_bar_block", 15, 10)
def _scroll_bar_block(c):
    c.paint(c.rounded(1, 0, 14, 10, 3), colour("ink"))
    c.paint(c.rounded(2, 1, 13, 9, 2), c.vgradient(colour("accent"), colour("accent_lo"), 1, 9))
    for y in (3, 6):
        c.paint(c.rect(5, y, 10, y + 1), colour("accent_lo"))


def transposed(draw):
    """Draws the vertical piece draw() makes and turns it into its horizontal twin (x <-> y)."""
    def draw_horizontal(c):
        vertical = Canvas(c.height, c.width, c.font_path)
        draw(vertical)
        turned = vertical.image.transpose(Image.TRANSPOSE)
        c.image.alpha_composite(turned)
    return draw_horizontal


def track(c):
    c.paint(c.rect(0, 0, 16, c.height), colour("well"))
    c.paint(c.rect(0, 0, 1, c.height), colour("ink"))
    c.paint(c.rect(7, 0, 9, c.height), colour("base"))


def slider_end(c):
    # The top end of a full-length (disabled) slider, 4 rows; flipped, it ends the slider's foot.
    c.paint(c.rounded(2, 0, 14, 10, 3), colour("ink"))
    c.paint(c.rounded(3, 1, 13, 10, 2), colour("face_lo"))


def slider_mid(c):
    c.paint(c.rect(2, 0, 14, c.height), colour("ink"))
    c.paint(c.rect(3, 0, 13, c.height), colour("face_lo"))


def grip(c):
    for y in (12, 15, 18):
        c.paint(c.rect(5, y, 11, y + 1), colour("edge"))
        c.paint(c.rect(5, y + 1, 11, y + 2), colour("ink"))


texture("s_v_bck", 16, 22)(track)
texture("s_h_bck", 22, 16)(transposed(track))
texture("s_slider_dark_end", 16, 4)(slider_end)
texture("s_slider_dark_end_h", 4, 16)(transposed(slider_end))
texture("s_slider_dark_mid", 16, 22)(slider_mid)
texture("s_slider_dark_mid_h", 22, 16)(transposed(slider_mid))
texture("s_v_insert", 16, 32)(grip)
texture("s_h_insert", 32, 16)(transposed(grip))


@texture("s_but_dark", 16, 16)
def _s_but_dark(c):
    c.paint(c.rounded(0, 0, 16, 16, 2), colour("ink"))
    c.paint(c.rounded(1, 1, 15, 15, 1), colour("face_lo"))


@texture("s_but_light", 16, 16)
def _s_but_light(c):
    c.paint(c.rounded(0, 0, 16, 16, 2), colour("ink"))
    c.paint(c.rounded(1, 1, 15, 15, 1), c.vgradient(colour("hover"), colour("face"), 1, 15))
    c.paint(c.rect(2, 1, 14, 2), colour("edge"))


@texture("s_chev", 16, 16)
def _s_chev(c):
    # Drawn over the arrow buttons in light grey; pointing up (the GUI flips it for down).
    c.paint(chevron(c, 8, 8, 3.5, 1.8, "up"), (255, 255, 255, 255))


@texture("chev", 16, 16)
def _chev(c):
    c.paint(chevron(c, 8, 8, 4, 2, "right"), colour("text"))


@texture("list_arrow", 15, 15)
def _list_arrow(c):
    # Tinted grey at rest and white on hover: a tab with an arrow pointing into the screen.
    c.paint(c.rounded(0, 0, 15, 15, 3), (255, 255, 255, 70))
    c.paint(c.polygon([(10, 3.5), (4.5, 7.5), (10, 11.5)]), (255, 255, 255, 255))


@texture("down_arrow", 16, 16)
def _down_arrow(c):
    c.paint(c.rounded(0, 0, 16, 16, 2), colour("ink"))
    c.paint(c.rounded(1, 1, 15, 15, 1), c.vgradient(colour("hover"), colour("face"), 1, 15))
    c.paint(chevron(c, 8, 8.5, 3.5, 1.8, "down"), colour("text"))


# ---------------------------------------------------------------------------------------------
# Window frame, slider, check box, progress


@texture("close_x", 16, 16)
def _close_x(c):
    c.paint(cross(c, 4.5, 4.5, 11.5, 11.5, 2), (255, 255, 255, 255))


@texture("resize_dots", 16, 16)
def _resize_dots(c):
    for col, row in ((12, 4), (8, 8), (12, 8), (4, 12), (8, 12), (12, 12)):
        c.paint(c.rect(col + 1, row + 1, col + 3, row + 3), colour("ink"))
        c.paint(c.rect(col, row, col + 2, row + 2), (255, 255, 255, 255))


@texture("slider_back", 128, 6)
def _slider_back(c):
    c.paint(c.rounded(0, 0, 128, 6, 3), colour("ink"))
    c.paint(c.rounded(1, 1, 127, 5, 2), colour("well"))
    c.paint(c.rect(3, 4, 125, 5), colour("face"))


@texture("slider_knob", 16, 16)
def _slider_knob(c):
    # Tinted grey at rest, white while hovered or dragged.
    c.paint(c.circle(8, 8, 7), colour("ink"))
    c.paint(c.circle(8, 8, 6), c.vgradient(grey(1.0), grey(0.78), 2, 14))
    c.paint(c.circle(8, 8, 2.5), colour("accent"))


@texture("checkbox_tick", 16, 16)
def _checkbox_tick(c):
    # Over the 15 x 15 box: an accent square with a light tick.
    c.paint(c.rounded(1, 1, 15, 15, 2), colour("accent"))
    c.paint(tick(c, 3, 3, 10, 2.0), colour("text"))


# ---------------------------------------------------------------------------------------------
# Colour picker


@texture("color_picker_main", 100, 100)
def _color_picker_main(c):
    # Over a square filled with the hue at full saturation and value: what over-blending onto
    # that hue gives the colour of saturation x / 100 and value 1 - y / 100 at each pixel.
    image = Image.new("RGBA", (100, 100))
    pixels = image.load()
    for y in range(100):
        v = 1.0 - (y + 0.5) / 100
        for x in range(100):
            s = (x + 0.5) / 100
            alpha = 1.0 - v * s
            level = v * (1.0 - s) / alpha if alpha > 0 else 0.0
            pixels[x, y] = (round(255 * level),) * 3 + (round(255 * alpha),)
    c.image = image.resize(c.size, Image.NEAREST)


def hue_colour(hue):
    h = (hue % 360) / 60.0
    k = lambda n: max(0.0, min(1.0, abs((n + h) % 6 - 3) - 1))
    return (round(255 * k(5)), round(255 * k(3)), round(255 * k(1)), 255)


@texture("color_picker_hue", 32, 128)
def _color_picker_hue(c):
    # Drawn 32 x 128 beside the 100-pixel square; the hue of row y (0..95) is 360 - 360 y / 95,
    # and the strip ends with the square.
    strip = Image.new("RGBA", (1, 100))
    for y in range(100):
        strip.putpixel((0, y), hue_colour(360 - 360 * min(y + 0.5, 95) / 95))
    layer = Image.new("RGBA", c.size, (0, 0, 0, 0))
    layer.paste(strip.resize((c.scale * 22, c.scale * 100), Image.NEAREST), (c.scale * 5, 0))
    c.paint(c.rect(4, 0, 28, 100), colour("ink"))
    c.paint(c.rect(5, 0, 27, 99), layer)


@texture("color_picker_circle", 8, 8)
def _color_picker_circle(c):
    # Centred on the picked pixel (drawn 3 pixels up and left of it): light ring, dark rims.
    c.paint(c.circle(3.5, 3.5, 3.5), colour("ink"))
    c.paint(c.ring(3.5, 3.5, 2.8, 1.3), (255, 255, 255, 255))


@texture("color_picker_slider", 32, 8)
def _color_picker_slider(c):
    # Its top edge marks the picked hue: an open frame around the strip, wider than it.
    ring = minus(c.rounded(1, 0, 31, 8, 2), c.rect(5, 3, 27, 5))
    c.paint(ring, colour("ink"))
    c.paint(minus(c.rounded(2, 1, 30, 7, 1.5), c.rect(4, 2, 28, 6)), (255, 255, 255, 255))


# ---------------------------------------------------------------------------------------------
# Tree icons (drawn 8 x 8 beside each row)


@texture("tree_file", 8, 8)
def _tree_file(c):
    c.paint(c.polygon([(1, 0), (5, 0), (7, 2), (7, 8), (1, 8)]), colour("muted"))
    c.paint(c.polygon([(2, 1), (4.5, 1), (6, 2.5), (6, 7), (2, 7)]), colour("base"))
    c.paint(c.rect(3, 4, 5, 5), colour("muted"))


@texture("tree_node", 8, 8)
def _tree_node(c):
    c.paint(c.rect(2, 2, 6, 6), colour("muted"))
    c.paint(c.rect(3, 3, 5, 5), colour("text"))


@texture("tree_arrow_right", 8, 8)
def _tree_arrow_right(c):
    c.paint(c.polygon([(2, 0.5), (6.5, 4), (2, 7.5)]), colour("text"))


@texture("tree_folder", 8, 8)
def _tree_folder(c):
    c.paint(c.polygon([(0, 1), (3, 1), (4, 2), (8, 2), (8, 7), (0, 7)]), mix(colour("warm"), colour("ink"), 0.35))
    c.paint(c.rect(0, 3, 8, 7), colour("warm"))


@texture("tree_cross", 8, 8)
def _tree_cross(c):
    c.paint(cross(c, 1.5, 1.5, 6.5, 6.5, 1.7), colour("accent"))


@texture("tree_tick", 8, 8)
def _tree_tick(c):
    c.paint(tick(c, 0, 0.5, 8, 1.7), colour("ok"))


@texture("tree_mesh", 8, 8)
def _tree_mesh(c):
    corners = [(4, 0.7), (7.4, 7.2), (0.6, 7.2)]
    c.paint(c.polygon(corners), mix(colour("accent"), colour("base"), 0.55))
    c.paint(c.stroke(corners, 1.0, closed=True), colour("text"))


@texture("joint", 8, 8)
def _joint(c):
    c.paint(c.ring(4, 4, 3.6, 1.2), colour("text"))
    c.paint(c.circle(4, 4, 1.2), colour("accent"))


# ---------------------------------------------------------------------------------------------
# Pictures and icons


@texture("error_icon", 64, 64)
def _error_icon(c):
    c.paint(c.circle(32, 32, 27), colour("accent_lo"))
    c.paint(c.circle(32, 31, 26), c.vgradient(colour("accent"), mix(colour("accent"), colour("accent_lo"), 0.5), 5, 58))
    c.paint(c.stroke([(32, 17), (32, 35)], 6.5), colour("text"))
    c.paint(c.circle(32, 45, 3.8), colour("text"))


@texture("info_icon", 64, 64)
def _info_icon(c):
    c.paint(c.circle(32, 32, 27), colour("muted"))
    c.paint(c.circle(32, 31, 26), c.vgradient(colour("text"), mix(colour("text"), colour("muted"), 0.5), 5, 58))
    c.paint(c.circle(32, 19, 3.8), colour("base"))
    c.paint(c.stroke([(32, 29), (32, 46)], 6.5), colour("base"))


def bulb(c, lit):
    """A light bulb, 32 x 64, glass centred at (16, 21) over a screw base; tinted by the GUI."""
    glass = either(c.circle(16, 21, 11), c.polygon([(8.5, 28), (23.5, 28), (20.5, 37), (11.5, 37)]))
    if lit:
        for r, a in ((16, 40), (14, 60), (12.5, 90)):
            c.paint(c.circle(16, 21, r), colour("warm", a))
        c.paint(glass, c.vgradient(mix(colour("warm"), (255, 255, 255, 255), 0.6), colour("warm"), 10, 37))
    else:
        c.paint(glass, colour("base", 170))
    c.paint(c.outline(glass, 1.6), colour("text"))
    filament = c.stroke([(13, 35), (13, 26), (14.5, 22), (16, 26), (17.5, 22), (19, 26), (19, 35)], 1.3)
    c.paint(filament, colour("accent") if lit else colour("muted"))
    for y in (39, 42.5, 46):
        c.paint(c.rounded(10.5, y, 21.5, y + 2.6, 1.3), colour("text"))
    c.paint(c.rounded(13, 49, 19, 52, 1.5), colour("muted"))


texture("light_bulb_off", 32, 64)(lambda c: bulb(c, False))
texture("light_bulb_on", 32, 64)(lambda c: bulb(c, True))


@texture("vorn_logo", 200, 41)
def _vorn_logo(c):
    # A wire cube (the model view) in the accent colour and the program's name.
    cx, cy, s = 21, 20.5, 15
    top = [(cx, cy - s), (cx + 0.87 * s, cy - s / 2), (cx, cy), (cx - 0.87 * s, cy - s / 2)]
    left = [(cx - 0.87 * s, cy - s / 2), (cx, cy), (cx, cy + s), (cx - 0.87 * s, cy + s / 2)]
    right = [(cx, cy), (cx + 0.87 * s, cy - s / 2), (cx + 0.87 * s, cy + s / 2), (cx, cy + s)]
    c.paint(c.polygon(top), mix(colour("accent"), (255, 255, 255, 255), 0.25))
    c.paint(c.polygon(left), colour("accent"))
    c.paint(c.polygon(right), colour("accent_lo"))
    c.paint(c.stroke(top + [top[0]], 1.2), colour("ink"))
    c.paint(c.stroke([(cx - 0.87 * s, cy - s / 2), (cx - 0.87 * s, cy + s / 2), (cx, cy + s),
                      (cx + 0.87 * s, cy + s / 2), (cx + 0.87 * s, cy - s / 2)], 1.2), colour("ink"))
    c.paint(c.stroke([(cx, cy), (cx, cy + s)], 1.2), colour("ink"))
    c.paint(c.text("DELVIX", 46, 25, 25), colour("text"))
    c.paint(c.text("MODEL VIEWER  ·  EXPORTER", 47, 37, 8.5), colour("muted"))


@texture("stickman_sound", 150, 150)
def _stickman_sound(c):
    # A stick figure with headphones on, listening to the waves from a speaker.
    ink, light = colour("text"), colour("muted")
    c.paint(c.ring(52, 38, 14, 3), ink)  # head
    c.paint(c.arc(52, 38, 19, 180, 360, 3.2), ink)  # headband
    c.paint(c.rounded(30, 32, 37, 48, 3), colour("accent"))
    c.paint(c.rounded(67, 32, 74, 48, 3), colour("accent"))
    c.paint(c.stroke([(52, 52), (52, 95)], 3.4), ink)  # body
    c.paint(c.stroke([(30, 80), (52, 64), (70, 72), (76, 56)], 3.4), ink)  # arms, one hand up
    c.paint(c.stroke([(34, 134), (52, 95), (68, 134)], 3.4), ink)  # legs
    c.paint(c.rounded(112, 84, 134, 126, 4), colour("face"))  # speaker
    c.paint(minus(c.rounded(112, 84, 134, 126, 4), c.rounded(114, 86, 132, 124, 3)), light)
    c.paint(c.ring(123, 113, 7, 2), light)
    c.paint(c.circle(123, 95, 3.5), light)
    for r, a in ((14, 255), (24, 190), (34, 120)):
        c.paint(c.arc(112, 105, r, 145, 215, 2.6), colour("accent", a))
    note = either(c.ellipse(84, 38, 93, 45), c.stroke([(92, 41.5), (92, 18), (100, 22)], 2.2))
    c.paint(note, light)


def mouse_picture(c, maya):
    """The mouse with leader lines to the three labels the hot-key screen places over it (Angle
    at the left, Move above, Zoom at the right): which buttons turn, move and zoom the view."""
    body_x0, body_x1, body_y0, body_y1, mid = 61, 145, 84, 236, 103
    active, idle = colour("accent"), colour("face")
    c.paint(c.rounded(body_x0, body_y0, body_x1, body_y1, 40), colour("ink"))
    c.paint(c.rounded(body_x0 + 2, body_y0 + 2, body_x1 - 2, body_y1 - 2, 38),
            c.vgradient(colour("hover"), colour("base"), body_y0, body_y1))
    shell = c.rounded(body_x0 + 2, body_y0 + 2, body_x1 - 2, body_y1 - 2, 38)
    left = both(shell, c.rect(0, 0, mid - 1, 150))
    right = both(shell, c.rect(mid + 1, 0, 256, 150))
    c.paint(left, active)
    c.paint(right, active)
    c.paint(c.rect(body_x0, 150, body_x1, 152), colour("ink"))
    c.paint(c.rect(mid - 1, body_y0, mid + 1, 151), colour("ink"))
    wheel = c.rounded(mid - 6, 98, mid + 6, 128, 6)
    c.paint(c.rounded(mid - 7, 97, mid + 7, 129, 7), colour("ink"))
    c.paint(wheel, active if maya else idle)
    for y in (106, 112, 118):
        c.paint(c.rect(mid - 4, y, mid + 4, y + 1), colour("ink", 150))
    lead = colour("muted")
    c.paint(c.stroke([(42, 64), (58, 64), (80, 110)], 2), lead)  # Angle: left button
    c.paint(c.stroke([(152, 64), (146, 64), (126, 110)], 2), lead)  # Zoom: right button
    ends = [(80, 110), (126, 110)]
    if maya:
        c.paint(c.stroke([(mid, 35), (mid, 97)], 2), lead)  # Move: the wheel
        ends.append((mid, 97))
    else:
        # Move: both buttons held together
        c.paint(c.stroke([(mid, 35), (mid, 52)], 2), lead)
        c.paint(c.stroke([(86, 72), (86, 52), (120, 52), (120, 72)], 2), lead)
        c.paint(c.stroke([(86, 72), (84, 104)], 2), lead)
        c.paint(c.stroke([(120, 72), (122, 104)], 2), lead)
        ends += [(84, 104), (122, 104)]
    for x, y in ends:
        c.paint(c.circle(x, y, 4.5), colour("ink"))
        c.paint(c.circle(x, y, 3), colour("text"))


texture("hotkey_mouse", 256, 256)(lambda c: mouse_picture(c, True))
texture("hotkey_mouse_ass_view", 256, 256)(lambda c: mouse_picture(c, False))


@texture("donate_background", 256, 256)
def _donate_background(c):
    # A card; the GUI lays an invisible button over the "Donate" button at (17, 205, 70, 30) and
    # a "No Thanks" button at (157, 222, 80, 20).
    c.paint(c.rounded(0, 0, 256, 256, 8), colour("ink"))
    c.paint(c.rounded(1, 1, 255, 255, 7), c.vgradient(colour("face"), colour("base"), 0, 120))
    c.paint(c.rounded(1, 1, 255, 7, 3), colour("accent"))
    c.paint(c.rect(1, 4, 255, 7), colour("accent"))
    heart = either(c.circle(118, 52, 13), c.circle(138, 52, 13),
                   c.polygon([(106.5, 58), (149.5, 58), (128, 82)]))
    c.paint(heart, colour("accent"))
    c.paint(c.text("Enjoying Delvix?", 128, 118, 17, "ms"), colour("text"))
    for i, words in enumerate(("It is free and made in spare time.", "A small donation keeps it going.")):
        c.paint(c.text(words, 128, 146 + 17 * i, 11.5, "ms"), colour("muted"))
    c.paint(c.rounded(17, 205, 87, 235, 5), colour("ink"))
    c.paint(c.rounded(18, 206, 86, 234, 4), c.vgradient(colour("accent"), colour("accent_lo"), 206, 234))
    c.paint(c.text("Donate", 52, 225, 12.5, "ms"), colour("text"))


@texture("mouse_cursor", 32, 32)
def _mouse_cursor(c):
    # The GUI's own pointer, its tip at the top-left corner (the mouse position).
    arrow = [(1, 1), (1, 21), (6, 16.5), (9.6, 24.6), (12.6, 23.3), (9.1, 15.4), (15.5, 15.4)]
    c.paint(c.polygon([(x + 1.2, y + 1.6) for x, y in arrow]), (0, 0, 0, 90))
    c.paint(c.polygon(arrow), colour("ink"))
    inner = [(2.2, 3.8), (2.2, 18.2), (6.4, 14.4), (10.2, 23), (11.2, 22.6), (7.5, 14.2), (12.6, 14.2)]
    c.paint(c.polygon(inner), c.vgradient(colour("text"), mix(colour("text"), colour("muted"), 0.4), 2, 23))


# ---------------------------------------------------------------------------------------------
# The list, the files and the contact sheet


def read_texture_list(path):
    """The (name, file) pairs of the texture list, in its order."""
    pairs = []
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.split("#", 1)[0].strip()
            if not line or line.startswith("["):
                continue
            fields = line.split()
            if len(fields) != 2:
                sys.exit(f"{path}:{number}: expected '<name> <file>'")
            pairs.append((fields[0], fields[1]))
    return pairs


def draw(name, font_path):
    width, height, painter = TEXTURES[name]
    canvas = Canvas(width, height, font_path)
    painter(canvas)
    return canvas.result()


def checkerboard(width, height, square=8):
    board = Image.new("RGBA", (width, height), (70, 72, 76, 255))
    pixels = ImageDraw.Draw(board)
    for y in range(0, height, square):
        for x in range((y // square) % 2 * square, width, 2 * square):
            pixels.rectangle([x, y, x + square - 1, y + square - 1], fill=(104, 106, 110, 255))
    return board


def shown_size(image):
    """The size a texture is shown at on the sheet: enlarged by a whole factor (pixels stay
    square) up to about 512 x 160, or shrunk to fit 600 x 256."""
    w, h = image.size
    if w > 600 or h > 256:
        f = min(600 / w, 256 / h)
        return max(1, round(w * f)), max(1, round(h * f))
    k = max(1, min(8, 512 // w, 160 // h))
    return w * k, h * k


def contact_sheet(images, font_path, row_width=1500):
    font = ImageFont.truetype(font_path, 12)
    cells = []
    for name, image in images:
        w, h = shown_size(image)
        shown = image.resize((w, h), Image.NEAREST if w >= image.width else Image.BOX)
        tile = checkerboard(w, h)
        tile.alpha_composite(shown)
        label = f"{name}  {image.width}x{image.height}"
        cells.append((tile, label, max(w, int(font.getlength(label))) + 24, h + 40))
    rows, row, x = [], [], 0
    for cell in cells:
        if row and x + cell[2] > row_width:
            rows.append(row)
            row, x = [], 0
        row.append(cell)
        x += cell[2]
    rows.append(row)
    height = sum(max(c[3] for c in r) for r in rows) + 16
    sheet = Image.new("RGBA", (row_width, height), (22, 23, 26, 255))
    text = ImageDraw.Draw(sheet)
    y = 8
    for r in rows:
        x = 8
        for tile, label, cw, ch in r:
            sheet.alpha_composite(tile, (x, y))
            text.text((x, y + tile.height + 6), label, fill=(220, 222, 226, 255), font=font)
            x += cw
        y += max(c[3] for c in r)
    return sheet


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    list_path, program_dir, sheet_path, font_path = sys.argv[1:]
    pairs = read_texture_list(list_path)
    missing = [name for name, _ in pairs if name not in TEXTURES]
    if missing:
        sys.exit(f"{list_path}: no drawing for {', '.join(missing)}")
    images = []
    for name, file in pairs:
        image = draw(name, font_path)
        path = os.path.join(program_dir, file)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write(os.path.dirname(path), os.path.basename(path), dds_bytes(image))
        images.append((name, image))
    os.makedirs(os.path.dirname(os.path.abspath(sheet_path)), exist_ok=True)
    temp = sheet_path + ".tmp.png"
    contact_sheet(images, font_path).save(temp)
    os.replace(temp, sheet_path)


if __name__ == "__main__":
    main()
