#!/usr/bin/env python3
"""Writes the seed inputs of the Today item's paint fuzzer. Each starts with eight bytes: the date
(year - 1800 as a little-endian word, month - 1, day - 1), the hour, the options (bit 0 hides the
lunar line, bits 1-3 the list count, bit 4 hides the D-day line), the D-day entry (255: none) and
one unused byte; the data file follows. Run from this folder."""
import struct

LUNAR, YEARLY, HOLIDAY = 0x0001, 0x0010, 0x0100


def header(y, m, d, hour=15, lunar_hidden=0, count=4, dday_hidden=0, dday=0):
    options = lunar_hidden | (count << 1) | (dday_hidden << 4)
    return struct.pack("<H6B", y - 1800, m - 1, d - 1, hour, options, dday, 0)


def record(y, m, d, flags, title, h=9, mi=30, raw_title=None):
    head = struct.pack("<7H", y, m, d, h, mi, 0, flags)
    t = raw_title if raw_title is not None else title.encode("utf-16-le")[:22].ljust(22, b"\0")
    return head + t + b"\0" * 62


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


write("empty-file", header(2007, 12, 8))
write("worked-example", header(2007, 12, 8) + record(2007, 12, 9, 0, "하나") + record(2007, 5, 5, YEARLY | HOLIDAY, "어린이날")
      + record(2007, 10, 29, LUNAR | YEARLY, "제사"))
write("year-end", header(2007, 12, 31, hour=23, dday=1) + record(2008, 1, 1, 0, "새해")
      + record(2007, 12, 30, LUNAR | YEARLY, "섣달") + record(2007, 1, 1, LUNAR | YEARLY, "설날"))
write("all-hidden", header(2026, 12, 7, lunar_hidden=1, count=0, dday_hidden=1, dday=255)
      + record(2026, 12, 25, 0, "성탄절"))
write("damaged", header(2043, 12, 31, dday=2)
      + record(2043, 0, 5, 0xFFFF, "", raw_title="ABCDEFGHIJK".encode("utf-16-le"))
      + record(2043, 13, 99, LUNAR, "x") + record(65535, 2, 29, YEARLY, "윤일", h=65535, mi=65535) + b"\x07" * 50)
write("first-day", header(1841, 1, 23, dday=0) + record(1841, 1, 1, LUNAR | YEARLY, "첫날")
      + record(1841, 1, 22, 0, "전날"))
