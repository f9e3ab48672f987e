// Proleptic Gregorian day arithmetic: day 1 is 0001-01-01.
#include "calendar/lunar_calendar.h"

namespace {
// Days of a common year before each month, January first.
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}  // namespace

bool IsGregorianLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInSolarMonth(int year, int month) {
  return month == 2 && IsGregorianLeapYear(year) ? 29 : kDaysInMonth[month - 1];
}

long DayNumber(int year, int month, int day) {
  long y = year - 1;
  long days = 365 * y + y / 4 - y / 100 + y / 400 + kDaysBeforeMonth[month - 1] + day;
  if (month > 2 && IsGregorianLeapYear(year)) ++days;
  return days;
}

int WeekdayOfDayNumber(long dayNumber) { return static_cast<int>(dayNumber % 7); }

int SolarWeekday(int year, int month, int day) { return WeekdayOfDayNumber(DayNumber(year, month, day)); }

bool IsSolarDate(int year, int month, int day) {
  return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInSolarMonth(year, month);
}
