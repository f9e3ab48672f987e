#pragma once
// What one code of LunarMonthTable means. Shared by the table's compile-time checks and the
// conversions, so both read the codes the same way.
//
//   code  regular month  leap month after it
//    1        29             -
//    2        30             -
//    3        29             29
//    4        29             30
//    5        30             29
//    6        30             30

#include <array>

namespace lunar {

constexpr int kFirstYear = 1841;
constexpr int kLastYear = 2043;
constexpr int kYearCount = kLastYear - kFirstYear + 1;

constexpr bool HasLeapMonth(int code) { return code >= 3; }
constexpr int RegularMonthLength(int code) { return code == 2 || code == 5 || code == 6 ? 30 : 29; }
constexpr int LeapMonthLength(int code) { return code == 4 || code == 6 ? 30 : code == 3 || code == 5 ? 29 : 0; }
constexpr int CodeLength(int code) { return RegularMonthLength(code) + LeapMonthLength(code); }

// Position (counted from 0) of the first day of each lunar year in the table, and one past the
// last day at index kYearCount: the day count of lunar 1841-01-01 .. the year's start.
extern const std::array<int, kYearCount + 1> kYearStart;

}  // namespace lunar
