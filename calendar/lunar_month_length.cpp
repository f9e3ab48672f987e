// The length of a lunar month, regular or leap, from the month-length table.
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_codes.h"

int LunarMonthLength(int lunarYear, int lunarMonth, int leap) {
  if (lunarYear < lunar::kFirstYear || lunarYear > lunar::kLastYear || lunarMonth < 1 || lunarMonth > 12)
    return 0;
  const int code = LunarMonthTable[lunarYear - lunar::kFirstYear][lunarMonth - 1];
  if (leap == 1) return lunar::LeapMonthLength(code);
  return lunar::RegularMonthLength(code);
}
