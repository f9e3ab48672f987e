#!/usr/bin/env python3
"""Draws the Today plug-in's icons as PNG files (standard library only).

  icon101_16/32/48.png  the item's own icon: a calendar page with a pen
  moon200..229.png      32 x 32 moon phases for lunar days 1..30: new moon on day 1, waxing
                        (lit from the right, as seen from Korea) to full around day 15, waning
                        back to dark on day 30
  arrow300.png          16 x 16 orange marker of the following schedule lines
  arrow301.png          16 x 16 red marker of the first schedule line
  arrow302.png          16 x 16 blue marker of the D-day line

Run it from this folder; the PNGs are committed with it.
"""
import math
import struct
import zlib

SUPERSAMPLE = 4


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def render(size, shade):
    """shade(x, y) -> (r, g, b, a) or None at unit coordinates 0..1; supersampled to smooth edges."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    c = shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is None:
                        continue
                    a = c[3] / 255.0
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            count = n * n
            alpha = acc[3] / count
            if acc[3] > 0:
                rgb = [round(acc[i] / acc[3]) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], round(alpha * 255)))
        rows.append(row)
    return rows


def moon_shader(lunar_day):
    # Fraction of the synodic month: 0 on day 1 (new), 0.5 near day 15.5 (full), 1 on day 30.
    p = (lunar_day - 1) / 29.0
    k = math.cos(2 * math.pi * p)
    lit_colour = (250, 232, 150)
    dark_colour = (52, 60, 86)
    rim_colour = (120, 130, 160)

    def shade(u, v):
        x = (u - 0.5) / 0.44
        y = (v - 0.5) / 0.44
        r2 = x * x + y * y
        if r2 > 1.0:
            return None
        half_width = math.sqrt(max(0.0, 1.0 - y * y))
        lit = x > k * half_width if p <= 0.5 else x < -k * half_width
        if r2 > 0.86:
            # A thin rim keeps the dark part of the disc visible on any background.
            base = lit_colour if lit else rim_colour
            return (base[0], base[1], base[2], 255)
        if lit:
            # Soft craters and a little limb darkening make the lit part read as the moon.
            crater = 0
            for cx, cy, cr in ((-0.3, -0.25, 0.22), (0.25, 0.3, 0.18), (0.35, -0.35, 0.12), (-0.2, 0.45, 0.1)):
                if (x - cx) ** 2 + (y - cy) ** 2 < cr * cr:
                    crater = 22
            limb = int(30 * r2)
            return (lit_colour[0] - crater - limb // 2, lit_colour[1] - crater - limb, lit_colour[2] - crater - limb, 255)
        return (dark_colour[0], dark_colour[1], dark_colour[2], 235)

    return shade


def arrow_shader(colour):
    dark = tuple(max(0, c - 70) for c in colour)

    def shade(u, v):
        # A right-pointing arrow: a shaft and a triangular head, with a darker outline.
        x, y = u * 16, v * 16
        head = x >= 7.5 and x <= 14.5 and abs(y - 8) <= (14.5 - x) * 0.95
        shaft = 1.5 <= x <= 8.5 and 5.5 <= y <= 10.5
        if not (head or shaft):
            return None
        inner_head = x >= 8.5 and x <= 13.2 and abs(y - 8) <= (13.2 - x) * 0.95 - 0.4
        inner_shaft = 2.5 <= x <= 9.5 and 6.5 <= y <= 9.5
        c = colour if (inner_head or inner_shaft) else dark
        return (c[0], c[1], c[2], 255)

    return shade


def calendar_shader(u, v):
    """A calendar page with red binding, a grid of days and a pen lying across it."""
    x, y = u, v
    # The pen: a slanted band from lower left to upper right, drawn over the page.
    px, py = x - 0.62, y - 0.62
    along = (px - py) / math.sqrt(2)
    across = (px + py) / math.sqrt(2)
    if abs(across) < 0.075 and -0.42 < along < 0.30:
        if along > 0.22:
            return (60, 60, 60, 255)          # the nib
        if along > 0.14:
            return (230, 200, 140, 255)       # the wooden cone
        return (40, 110, 200, 255) if across < 0.02 else (25, 80, 160, 255)
    if 0.08 <= x <= 0.86 and 0.12 <= y <= 0.92:
        if y <= 0.3:
            return (210, 45, 45, 255)        # the binding strip
        if x <= 0.11 or x >= 0.83 or y >= 0.89:
            return (120, 120, 120, 255)      # the page's edge
        gx = (x - 0.14) / 0.14
        gy = (y - 0.36) / 0.13
        if 0 <= gx < 5 and 0 <= gy < 4 and (gx % 1) < 0.55 and (gy % 1) < 0.55:
            return (90, 90, 110, 255) if not (int(gx) == 2 and int(gy) == 1) else (210, 45, 45, 255)
        return (255, 255, 255, 255)
    # The rings of the binding.
    for rx in (0.3, 0.64):
        if abs(x - rx) < 0.035 and 0.04 <= y <= 0.2:
            return (90, 90, 90, 255)
    return None


def main():
    for size in (16, 32, 48):
        write_png("icon101_%d.png" % size, size, size, render(size, calendar_shader))
    for day in range(1, 31):
        write_png("moon%d.png" % (199 + day), 32, 32, render(32, moon_shader(day)))
    write_png("arrow300.png", 16, 16, render(16, arrow_shader((245, 140, 20))))
    write_png("arrow301.png", 16, 16, render(16, arrow_shader((220, 30, 30))))
    write_png("arrow302.png", 16, 16, render(16, arrow_shader((30, 90, 220))))


if __name__ == "__main__":
    main()
