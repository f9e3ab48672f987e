#!/usr/bin/env python3
"""Draws the Today screen's background picture, watermark.png (240 x 268, the work area of the
handheld screen), with the standard library only: a pale morning sky over soft hills, light
enough that the Today items' dark text stays readable on every part of it.

Run it from this folder; the PNG is committed with it.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kalmenotp"))
from make_images import write_png  # noqa: E402

W, H = 240, 268


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def pixel(x, y):
    sky_top, sky_bottom = (214, 232, 248), (246, 250, 253)
    c = mix(sky_top, sky_bottom, y / H)
    # A faint sun glow at the upper right.
    d = math.hypot(x - 200, y - 40)
    if d < 60:
        c = mix(c, (255, 246, 214), (1 - d / 60) ** 2 * 0.8)
    # Two layers of rolling hills near the bottom.
    far = 200 + 14 * math.sin(x / 31.0) + 6 * math.sin(x / 11.0 + 1)
    near = 232 + 10 * math.sin(x / 23.0 + 2) + 4 * math.sin(x / 7.0)
    if y > near:
        c = mix(c, (196, 222, 196), 0.85)
    elif y > far:
        c = mix(c, (214, 230, 214), 0.75)
    return (c[0], c[1], c[2], 255)


def main():
    rows = [[pixel(x, y) for x in range(W)] for y in range(H)]
    write_png("watermark.png", W, H, rows)


if __name__ == "__main__":
    main()
