#pragma once
// What the month view's holiday layer ("공휴일 보기") adds to the days of the grid: whether a day
// is a public holiday, the holiday's names, and the solar term that falls on it. Worked out when
// the month or the layer changes, so that a paint only reads it.
#include <string>

#include "app/month_grid.h"

struct DayMarks {
  bool bHoliday = false;
  std::u16string names;  // the day's holidays, joined by "·"; empty when it has none
  std::u16string label;  // the first holiday's name as short as a cell needs: "추석" for the
                         // days around it, "대체" for a substitute, "임시", "선거"
  std::u16string term;   // the name of the solar term on the day, or empty
};

// Fills the marks of the 42 cells from their solar dates.
void FillDayMarks(const DayCell (&cells)[kMonthCellCount], DayMarks (&marks)[kMonthCellCount]);

// The layer's choice as kept in the registry (HKEY_CURRENT_USER\Software\Kalmeno, HolidayView):
// off until the user turns it on.
bool LoadHolidayView();
void SaveHolidayView(bool on);
