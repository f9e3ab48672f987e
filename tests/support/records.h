#pragma once
// The data file's records as tests write them: 98 bytes each, little-endian words and UTF-16LE
// text, laid out here by hand rather than by the program's own conversion, so that a fault in
// that conversion cannot hide in the tests' files.
#include <string>

// One record. The title keeps its first 11 units and the memo its first 31 (a field without a
// terminator when the text fills it).
std::string Record(int year, int month, int day, int hour, int minute, int flags, const std::u16string& title,
                   const std::u16string& memo = u"", int second = 0);

constexpr int kLunar = 0x0001;
constexpr int kYearly = 0x0010;
constexpr int kHoliday = 0x0100;
