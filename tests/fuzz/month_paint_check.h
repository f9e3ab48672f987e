#pragma once
// One check of the month view against arbitrary bytes: the program's own month view (built into
// this process) reads the bytes as its data file, is driven as a user would (lunar dates on or
// off, an arrow, taps on a day that select it, open its schedule panel and page through it) and
// paints itself in full. What it drew, read back from the trace hook, is compared with the
// calendar and with what the records say. Shared by the libFuzzer target and the corpus replay
// test; aborts with a message when a property fails.
//
// Bytes 0-1: the month shown first (1841-01 .. 2043-12), 2: today's day of that month,
// 3: bit 0 lunar dates on, bits 1-6 the day tapped (0..41; more: none), bit 7 a second tap on it,
// 4: bits 0-1 further taps (paging the panel), bits 2-3 an arrow (1 back, 2 on); 5-7 unused; the
// rest is the data file.
#include <cstddef>
#include <cstdint>

void CheckMonthPaintBytes(const std::uint8_t* data, std::size_t size);
