// A yearly lunar date in a given lunar year, with Korean practice for the 30th of a short month.
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_codes.h"

int LunarMonthLength(int lunarYear, int lunarMonth, int leap) {
  if (lunarYear < lunar::kFirstYear || lunarYear > lunar::kLastYear || lunarMonth < 1 || lunarMonth > 12)
    return 0;
  const int code = LunarMonthTable[lunarYear - lunar::kFirstYear][lunarMonth - 1];
  if (leap == 1) return lunar::LeapMonthLength(code);
  return lunar::RegularMonthLength(code);
}

int LunarAnniversaryDay(int lunarYear, int lunarMonth, int lunarDay) {
  const int length = LunarMonthLength(lunarYear, lunarMonth, 0);
  if (length == 0 || lunarDay < 1 || lunarDay > 30) return 0;
  return lunarDay > length ? length : lunarDay;
}

int LunarAnniversaryToSolar(int lunarYear, int lunarMonth, int lunarDay, SolarDate* out) {
  const int day = LunarAnniversaryDay(lunarYear, lunarMonth, lunarDay);
  if (day == 0) return 0;
  return LunarToSolar(lunarYear, lunarMonth, day, 0, out);
}
