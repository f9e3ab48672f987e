#pragma once
// Korean public holidays (공휴일) of the years 2000..2043: the days the regulation on public
// holidays names, as it stood in each year; the substitute holidays (대체공휴일) its rules add; the
// election days; and the temporary holidays the government announced. Names are UTF-8, as the
// official almanac writes them.
//
// Temporary holidays cannot be worked out: the known ones are in a table (announced_holidays.cpp)
// that ends with LAST_ANNOUNCED_HOLIDAY_YEAR. Later years follow the rules alone.
#include <string>
#include <vector>

namespace calendar {

constexpr int FIRST_HOLIDAY_YEAR = 2000;
constexpr int LAST_HOLIDAY_YEAR = 2043;
constexpr int LAST_ANNOUNCED_HOLIDAY_YEAR = 2027;

enum class HolidayKind {
  Holiday,     // named by the regulation (a national day, 설날, 추석, …)
  Substitute,  // 대체공휴일, for a holiday that fell on a weekend or on another holiday
  Temporary,   // 임시공휴일, announced by the government
  Election,    // the day of an election at the end of a term
};

struct PublicHoliday {
  int year, month, day;
  std::string name;
  HolidayKind kind;
};

// The holidays of a year in date order; two holidays on one day are two items, the fixed-date
// one first. Empty for a year outside 2000..2043.
std::vector<PublicHoliday> PublicHolidaysOfYear(int year);

}  // namespace calendar
