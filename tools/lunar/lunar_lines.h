#pragma once
// The converter's output, one line per date, human-readable Korean or tab-separated. Lines are
// appended to a string so that many of them can go out in one write.
#include <cstdio>
#include <string>

#include "tools/lunar/lunar_args.h"

namespace lunar_tool {

// Appends the line for one solar date; returns false (after appending "DATE\t-" or a Korean
// explanation) when the date has no lunar date in the table.
//   tsv:   YYYY-MM-DD  LLLL-MM-DD  LEAP  WEEKDAY  DANGUN  YEARGANJI  ZODIAC  DAYGANJI
//   human: 2026년 12월 07일 (월) = 음력 2026년 10월 28일 (평달) · 병오년 (말) · 일진 계해일 · 단기 4359년
bool AppendSolarLine(const Date& solar, bool tsv, std::string& out);

// Appends the line for one lunar date (leap: the leap month of that number is asked for); returns
// false when the table has no such lunar day.
//   tsv:   LLLL-MM-DD  LEAP  YYYY-MM-DD  WEEKDAY   (LEAP is 1 only when a leap month was used)
//   human: 음력 2006년 07월 01일 (윤달) = 2006년 08월 24일 (목)
bool AppendLunarLine(const Date& lunar, bool leap, bool tsv, std::string& out);

// Writes the lines of every solar date from first to last inclusive to file, buffered; returns
// the number of dates that had no lunar date. A failed write ends the range early and leaves the
// stream's error indicator set.
long WriteSolarRange(const Date& first, const Date& last, bool tsv, std::FILE* file);

// The day after `date` in the Gregorian calendar.
Date NextDay(const Date& date);

// Appends value in decimal, padded with zeros to at least `width` digits.
void AppendNumber(int value, int width, std::string& out);

}  // namespace lunar_tool
