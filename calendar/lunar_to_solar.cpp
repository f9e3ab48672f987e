// Korean lunar date to solar (Gregorian) date: the precomputed start of the lunar year plus at
// most 12 codes of its row give the day number, which converts to a date without loops.
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_codes.h"
#include "calendar/solar_from_day_number.h"

int LunarToSolar(int lunarYear, int lunarMonth, int lunarDay, int leap, SolarDate* out) {
  if (lunarYear < lunar::kFirstYear || lunarYear > lunar::kLastYear || lunarMonth < 1 || lunarMonth > 12)
    return 0;
  const unsigned char* row = LunarMonthTable[lunarYear - lunar::kFirstYear];
  const int code = row[lunarMonth - 1];
  // A leap month asked of a month that has none means the regular month of that number.
  const bool leapMonth = leap == 1 && lunar::HasLeapMonth(code);
  const int length = leapMonth ? lunar::LeapMonthLength(code) : lunar::RegularMonthLength(code);
  if (lunarDay < 1 || lunarDay > length) return 0;

  long p = lunar::kYearStart[lunarYear - lunar::kFirstYear];
  for (int j = 0; j < lunarMonth - 1; ++j) p += lunar::CodeLength(row[j]);
  if (leapMonth) p += lunar::RegularMonthLength(code);
  p += lunarDay;

  const long n = LUNAR_EPOCH_DAY + p;
  int year, month, day;
  lunar::SolarFromDayNumber(n, &year, &month, &day);
  out->wYear = static_cast<uint16_t>(year);
  out->byMonth = static_cast<uint8_t>(month);
  out->byDay = static_cast<uint8_t>(day);
  out->byWeekday = static_cast<uint8_t>(WeekdayOfDayNumber(n));
  return 1;
}
