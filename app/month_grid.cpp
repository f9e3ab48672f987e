#include "app/month_grid.h"

#include <cstring>

#include "calendar/lunar_calendar.h"

bool IsShownMonth(int year, int month) {
  return month >= 1 && month <= 12 && year >= kFirstShownYear && year <= kLastShownYear;
}

void ClampToShownMonth(int& year, int& month) {
  if (year < kFirstShownYear || (year == kFirstShownYear && month < 1)) {
    year = kFirstShownYear;
    month = 1;
  } else if (year > kLastShownYear) {
    year = kLastShownYear;
    month = 12;
  }
  if (month < 1) month = 1;
  if (month > 12) month = 12;
}

bool StepShownMonth(int& year, int& month, int step) {
  int y = year;
  int m = month;
  if (step < 0) {
    if (m == 1) { m = 12; --y; } else { --m; }
  } else if (step > 0) {
    if (m == 12) { m = 1; ++y; } else { ++m; }
  }
  if (!IsShownMonth(y, m)) return false;
  year = y;
  month = m;
  return true;
}

namespace {

void SetSolar(DayCell& cell, int year, int month, int day, bool inMonth) {
  cell.wInMonth = inMonth ? 1 : 0;
  cell.wYear = static_cast<std::uint16_t>(year);
  cell.wMonth = static_cast<std::uint16_t>(month);
  cell.wDay = static_cast<std::uint16_t>(day);
}

void SetLunar(DayCell& cell) {
  LunarDate lunar;
  std::memset(&lunar, 0, sizeof lunar);
  if (SolarToLunar(cell.wYear, cell.wMonth, cell.wDay, &lunar)) {
    cell.wLunarYear = lunar.wLunarYear;
    cell.wLunarMonth = lunar.byMonth;
    cell.wLunarDay = lunar.byDay;
    cell.wLunarLeap = lunar.byLeap;
  } else {
    // A day outside the lunar table: no lunar date rather than a stale one from another month.
    cell.wLunarYear = cell.wLunarMonth = cell.wLunarDay = cell.wLunarLeap = 0;
  }
}

}  // namespace

void FillMonthCells(int year, int month, DayCell (&cells)[kMonthCellCount]) {
  const int firstWeekday = SolarWeekday(year, month, 1);
  const int length = DaysInSolarMonth(year, month);
  const int prevYear = month == 1 ? year - 1 : year;
  const int prevMonth = month == 1 ? 12 : month - 1;
  const int nextYear = month == 12 ? year + 1 : year;
  const int nextMonth = month == 12 ? 1 : month + 1;
  const int prevLength = DaysInSolarMonth(prevYear, prevMonth);

  int i = 0;
  for (; i < firstWeekday; ++i) SetSolar(cells[i], prevYear, prevMonth, prevLength - firstWeekday + 1 + i, false);
  for (int day = 1; day <= length; ++day, ++i) SetSolar(cells[i], year, month, day, true);
  for (int day = 1; i < kMonthCellCount; ++day, ++i) SetSolar(cells[i], nextYear, nextMonth, day, false);
  for (DayCell& cell : cells) SetLunar(cell);
}
