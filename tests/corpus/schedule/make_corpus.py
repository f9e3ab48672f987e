#!/usr/bin/env python3
"""Writes the seed inputs (*.bin) of the schedule-file fuzzer: small data files of 98-byte records
(little-endian words, UTF-16LE text), regular and damaged. Run from this folder.
The found-* files are inputs the fuzzer found that reach code the seeds do not."""
import struct

LUNAR, YEARLY, HOLIDAY = 0x0001, 0x0010, 0x0100


def record(y, m, d, flags, title, memo="", h=9, mi=30, s=0, raw_title=None):
    head = struct.pack("<7H", y, m, d, h, mi, s, flags)
    t = raw_title if raw_title is not None else title.encode("utf-16-le")[:22].ljust(22, b"\0")
    mm = memo.encode("utf-16-le")[:62].ljust(62, b"\0")
    return head + t + mm


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


write("empty.bin", b"")
write("worked_example.bin", record(2007, 5, 5, YEARLY | HOLIDAY, "어린이날", h=9, mi=30))
write("odd_records.bin",
      record(2007, 0, 5, 0xFFFF, "", raw_title="ABCDEFGHIJK".encode("utf-16-le"))
      + record(2007, 13, 40, 0x8002, "x") + record(0, 1, 1, 0, "")
      + record(2008, 2, 29, LUNAR, "a", raw_title="a\0\0\0\0?\0\0\0\0\0".encode("utf-16-le")))
write("fragment.bin", record(2007, 12, 8, 0, "시험") + record(2007, 12, 9, LUNAR, "제사") + b"\x07" * 50)
mixed = b""
for month in range(1, 13):
    mixed += record(2008, month, month + 1, 0, "양력%d" % month)
    mixed += record(2008, month, month + 2, LUNAR | YEARLY, "음력%d" % month)
    mixed += record(2000, month, 28, HOLIDAY | YEARLY, "휴")
write("mixed_calendars.bin", mixed)
write("leap_day.bin", record(2004, 2, 29, YEARLY, "윤일") + record(2008, 2, 29, LUNAR | YEARLY, "음윤"))
