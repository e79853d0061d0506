#!/usr/bin/env python3
"""Draws the application icon: a film-strip frame over a manila folder.

Writes resources/mainicon.ico: one 32x32 image, 24 bits per pixel, with a 1-bit AND mask that
makes the background transparent. The build uses the committed .ico as it is; run this again
only to redraw it.

    python3 scripts/make_icon.py [--ico OUT.ico] [--png OUT.png] [--scale N]

--png writes the same pixels as an RGBA PNG (enlarged --scale times, nearest neighbour) so the
drawing can be looked at without Windows.
"""

import argparse
import os
import struct
import sys
import zlib

SIZE = 32

# Colours (R, G, B).
FOLDER_EDGE = (0x8A, 0x5A, 0x12)
FOLDER_BACK = (0xD9, 0xA4, 0x3A)
FOLDER_FRONT = (0xF4, 0xC9, 0x5D)
FOLDER_LIGHT = (0xFB, 0xE0, 0x8E)
FILM = (0x26, 0x26, 0x2B)
FILM_EDGE = (0x0E, 0x0E, 0x10)
HOLE = (0xEE, 0xEE, 0xE6)
SKY_TOP = (0x4F, 0x9C, 0xE8)
SKY_LOW = (0x9C, 0xD2, 0xF7)
HILL = (0x4C, 0xA8, 0x3E)
HILL_DARK = (0x2F, 0x7D, 0x2A)
SUN = (0xFF, 0xE0, 0x4A)


class Canvas:
    """A SIZE x SIZE grid of pixels; None is transparent, top row first."""

    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        """Draws the one-pixel outline of a rectangle."""
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def round_corners(self, x0, y0, x1, y1):
        """Makes the four corner pixels of a rectangle transparent."""
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            self.put(x, y, None)


def lerp(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def draw_folder(c):
    # Tab on the back sheet, upper left.
    c.rect(1, 3, 12, 6, FOLDER_BACK)
    c.frame(1, 3, 12, 6, FOLDER_EDGE)
    c.round_corners(1, 3, 12, 3)
    c.put(2, 3, FOLDER_EDGE)
    c.put(11, 3, FOLDER_EDGE)
    c.put(1, 4, FOLDER_EDGE)
    c.put(12, 4, FOLDER_EDGE)
    # Back sheet.
    c.rect(1, 5, 29, 26, FOLDER_BACK)
    c.frame(1, 5, 29, 26, FOLDER_EDGE)
    c.rect(2, 4, 11, 5, FOLDER_BACK)
    c.round_corners(1, 5, 29, 26)
    c.put(1, 5, FOLDER_EDGE)
    # Front sheet, a little lower so the back shows above it, with a highlight along its top.
    c.rect(1, 9, 29, 26, FOLDER_FRONT)
    c.frame(1, 9, 29, 26, FOLDER_EDGE)
    c.round_corners(1, 9, 29, 26)
    c.put(1, 9, FOLDER_EDGE)  # the flap's top corners sit on the sides of the back sheet
    c.put(29, 9, FOLDER_EDGE)
    c.rect(2, 10, 28, 10, FOLDER_LIGHT)


def draw_film(c):
    x0, y0, x1, y1 = 6, 13, 31, 30
    c.rect(x0, y0, x1, y1, FILM)
    c.frame(x0, y0, x1, y1, FILM_EDGE)
    c.round_corners(x0, y0, x1, y1)
    # Sprocket holes along both edges.
    for x in range(x0 + 2, x1 - 1, 4):
        c.rect(x, y0 + 2, x + 1, y0 + 3, HOLE)
        c.rect(x, y1 - 3, x + 1, y1 - 2, HOLE)
    # Two picture frames between the rows of holes, split by a dark bar.
    fy0, fy1 = y0 + 5, y1 - 5
    frames = ((x0 + 2, 17), (20, x1 - 2))
    for fx0, fx1 in frames:
        for y in range(fy0, fy1 + 1):
            t = (y - fy0) / max(1, fy1 - fy0)
            c.rect(fx0, y, fx1, y, lerp(SKY_TOP, SKY_LOW, t))
        # A green hill across the bottom of each frame.
        width = fx1 - fx0
        for x in range(fx0, fx1 + 1):
            u = (x - fx0) / max(1, width)
            height = round(3 - 2.2 * abs(u - 0.55) * 2)
            for y in range(fy1 - max(1, height) + 1, fy1 + 1):
                c.put(x, y, HILL)
        c.rect(fx0, fy1, fx1, fy1, HILL_DARK)
    # A sun in the left frame.
    sx, sy = frames[0][0] + 2, fy0 + 1
    c.rect(sx, sy, sx + 1, sy + 1, SUN)


def draw():
    c = Canvas()
    draw_folder(c)
    draw_film(c)
    return c.px


def ico_bytes(px):
    """One-image .ico: ICONDIR, one ICONDIRENTRY, then a DIB (BITMAPINFOHEADER, 24-bit XOR
    rows and 1-bit AND rows, both bottom-up and padded to four bytes)."""
    xor_stride = (SIZE * 3 + 3) & ~3
    and_stride = ((SIZE + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):
        line = bytearray()
        bits = bytearray(and_stride)
        for x, colour in enumerate(row):
            if colour is None:
                line += b"\0\0\0"  # black under a set AND bit leaves the screen as it is
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                line += bytes((b, g, r))
        line += bytes(xor_stride - len(line))
        xor += line
        mask += bits
    header = struct.pack(
        "<IiiHHIIiiII",
        40,            # biSize
        SIZE,          # biWidth
        SIZE * 2,      # biHeight: the XOR image and the AND mask
        1,             # biPlanes
        24,            # biBitCount
        0,             # biCompression (BI_RGB)
        len(xor) + len(mask),
        0, 0, 0, 0,
    )
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    offset = len(icondir) + 16
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), offset)
    return icondir + entry + image


def png_bytes(px, scale):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    side = SIZE * scale
    raw = bytearray()
    for row in px:
        line = bytearray(b"\0")  # filter type: none
        for colour in row:
            rgba = b"\0\0\0\0" if colour is None else bytes(colour) + b"\xff"
            line += rgba * scale
        raw += bytes(line) * scale
    ihdr = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ico", default=os.path.join(root, "resources", "mainicon.ico"))
    parser.add_argument("--png", help="also write the picture as a PNG")
    parser.add_argument("--scale", type=int, default=1, help="PNG enlargement (default 1)")
    args = parser.parse_args(argv)
    if args.scale < 1:
        parser.error("--scale must be at least 1")

    px = draw()
    with open(args.ico, "wb") as f:
        f.write(ico_bytes(px))
    if args.png:
        with open(args.png, "wb") as f:
            f.write(png_bytes(px, args.scale))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
