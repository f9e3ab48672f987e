#!/usr/bin/env python3
"""Writes the seed inputs of the month view's paint fuzzer. Each starts with eight bytes: the month
shown first (months since 1841-01 as a little-endian word), today's day, then bit 0 lunar dates on,
bits 1-6 the day tapped (0..41, 63: none), bit 7 a second tap; then bits 0-1 further taps and
bits 2-3 an arrow (1 back, 2 on); three unused bytes. The data file follows. Run from this folder."""
import struct

LUNAR, YEARLY, HOLIDAY = 0x0001, 0x0010, 0x0100


def header(y, m, today=8, lunar=1, cell=63, second=0, further=0, arrow=0):
    shown = (y - 1841) * 12 + m - 1
    return struct.pack("<H6B", shown, today - 1, lunar | (cell << 1) | (second << 7), further | (arrow << 2), 0, 0, 0)


def record(y, m, d, flags, title, memo="", h=9, mi=30):
    def text(s, units):
        b = s.encode("utf-16-le")[: 2 * units]
        return b + b"\0" * (2 * units - len(b))
    return struct.pack("<7H", y, m, d, h, mi, 0, flags) + text(title, 11) + text(memo, 31)


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


april = (record(1949, 4, 5, YEARLY | HOLIDAY, "식목일", "나무 심기") + record(2007, 4, 10, 0, "치과 예약")
         + record(2007, 4, 10, 0, "저녁 약속", "강남역") + record(1980, 2, 25, LUNAR | YEARLY | HOLIDAY, "어머니 생신")
         + record(2007, 3, 1, LUNAR, "계모임"))
write("empty-file", header(2007, 12))
write("april-panel", header(2007, 4, cell=16, second=1, further=1) + april)
write("april-lunar-off", header(2007, 4, lunar=0, cell=9) + april)
write("first-month-back", header(1841, 1, cell=0, second=1, arrow=1) + record(1841, 1, 1, LUNAR | YEARLY, "첫날"))
write("last-month-on", header(2043, 12, today=28, cell=41, arrow=2) + record(2044, 1, 1, 0, "다음해"))
write("leap-month", header(2023, 3, cell=30, second=1) + record(2023, 2, 10, LUNAR | YEARLY, "윤이월"))
# An unterminated title and memo, every flag but the lunar one, hour and minute 65535, a month and day no date has,
# and a trailing fragment; the day with the damaged record is opened and paged.
damaged = (struct.pack("<7H", 2007, 12, 1, 65535, 65535, 0, 0xFFFE) + ("가" * 11).encode("utf-16-le")
           + ("나" * 31).encode("utf-16-le"))
write("damaged", header(2007, 12, cell=6, second=1, further=2) + damaged + record(2007, 13, 99, YEARLY, "x")
      + b"\x07" * 40)
