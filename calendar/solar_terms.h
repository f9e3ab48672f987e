#pragma once
// The 24 solar terms (절기): the moments the sun's apparent longitude reaches each multiple of
// 15 degrees, in Korean standard time (UTC+9) to the minute, for the years 1841..2043. The times
// come from a table made once from libnova (calendar/tools/make_solar_terms.c).
#include <vector>

namespace calendar {

constexpr int FIRST_SOLAR_TERM_YEAR = 1841;
constexpr int LAST_SOLAR_TERM_YEAR = 2043;

struct SolarTerm {
  int year, month, day, hour, minute;
  int index;  // 0 = 소한 (285 degrees), 1 = 대한, 2 = 입춘, ... 23 = 동지 (270 degrees)
};

// The Korean name of term index 0..23, UTF-8; "" for any other index.
const char* SolarTermName(int index);

// The 24 terms of a year in date order; empty for a year outside 1841..2043.
std::vector<SolarTerm> SolarTermsOfYear(int year);

// The index of the term that falls on the day, or -1 (no two terms share a day). Month and day
// start at 1.
int SolarTermOn(int year, int month, int day);

}  // namespace calendar
