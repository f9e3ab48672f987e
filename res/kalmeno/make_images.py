#!/usr/bin/env python3
"""Draws the program's bitmaps and icon and writes them beside this script.

next_arrow.bmp (bitmap 131) and prev_arrow.bmp (bitmap 132): 108 x 20, 8 bits per pixel, two
54 x 20 images side by side. Image 0 is the arrow in light and dark blue on magenta, the colour
the image list makes transparent; image 1 is the same arrow on a white box with a 1-pixel black
border (the pressed look).
icon_16.png, icon_32.png, icon_48.png (icon 128): a calendar page.

Standard library only: the BMP and PNG bytes are written by hand.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

MAGENTA = (255, 0, 255)
LIGHT_BLUE = (110, 170, 255)
DARK_BLUE = (0, 40, 160)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
PALETTE = [MAGENTA, LIGHT_BLUE, DARK_BLUE, WHITE, BLACK]


def arrow_pixels(pointing_right):
    """The set of (x, y, colour index) of one arrow inside a 54 x 20 image."""
    pixels = {}
    # A head (triangle) and a short shaft, 17 pixels wide, centred.
    shaft_x = range(19, 27)
    for x in shaft_x:
        for y in range(8, 12):
            pixels[(x, y)] = 1
    for i in range(9):           # the head narrows from 15 rows to 1 over 9 columns
        x = 27 + i
        half = 7 - i * 7 // 8
        for y in range(10 - half - 1, 10 + half + 1):
            if 2 <= y <= 17:
                pixels[(x, y)] = 1
    # Dark blue outline: every arrow pixel with a non-arrow neighbour.
    outline = {}
    for (x, y) in pixels:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            if (x + dx, y + dy) not in pixels:
                outline[(x, y)] = 2
    pixels.update(outline)
    if not pointing_right:
        pixels = {(53 - x, y): c for (x, y), c in pixels.items()}
    return pixels


def arrow_strip(pointing_right):
    width, height = 108, 20
    rows = [[0] * width for _ in range(height)]
    arrow = arrow_pixels(pointing_right)
    for image in range(2):
        ox = image * 54
        if image == 1:
            for y in range(height):
                for x in range(54):
                    border = x in (0, 53) or y in (0, height - 1)
                    rows[y][ox + x] = 4 if border else 3
        for (x, y), c in arrow.items():
            rows[y][ox + x] = c
    return width, height, rows


def write_bmp8(path, width, height, rows):
    row_bytes = (width + 3) // 4 * 4
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    palette += b"\0\0\0\0" * (256 - len(PALETTE))
    pixels = b""
    for row in reversed(rows):       # bottom-up
        pixels += bytes(row) + b"\0" * (row_bytes - width)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def calendar_page(size):
    """RGBA rows of a calendar page: a white sheet, a red band with two rings, a grid of days."""
    s = size / 16.0
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s      # in 16-unit page coordinates
            colour = (0, 0, 0, 0)
            if 1 <= fx <= 15 and 2 <= fy <= 15:
                colour = (255, 255, 255, 255)
                if fy <= 5.5:
                    colour = (210, 40, 40, 255)
                elif 6.5 <= fy <= 14 and 2.5 <= fx <= 13.5:
                    cx, cy = (fx - 2.5) % 3.7, (fy - 6.5) % 2.6
                    if cx <= 2.2 and cy <= 1.5:
                        colour = (120, 120, 130, 255)
                edge = fx < 1 + 1 / s or fx > 15 - 1 / s or fy < 2 + 1 / s or fy > 15 - 1 / s
                if edge:
                    colour = (70, 70, 80, 255)
            for rx in (5, 11):                          # the rings of the binding
                if abs(fx - rx) <= 0.8 and 0.8 <= fy <= 3.8:
                    colour = (60, 60, 70, 255)
            row.append(colour)
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    write_bmp8(os.path.join(HERE, "next_arrow.bmp"), *arrow_strip(True))
    write_bmp8(os.path.join(HERE, "prev_arrow.bmp"), *arrow_strip(False))
    for size in (16, 32, 48):
        write_png(os.path.join(HERE, "icon_%d.png" % size), calendar_page(size))


if __name__ == "__main__":
    main()
