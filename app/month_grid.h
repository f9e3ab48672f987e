#pragma once
// The month model of the month view: six weeks by seven days, Sunday first, with each day's
// solar and lunar date. Pure calendar arithmetic, no windows, so it is tested on its own.
#include <cstdint>

// The day of one grid cell (where the cell lies is MonthLayout's answer). A lunar month of 0 means
// the lunar conversion rejected the day.
struct DayCell {
  std::uint16_t wInMonth;                     // 1: the day lies in the displayed month
  std::uint16_t wYear, wMonth, wDay;          // solar date
  std::uint16_t wLunarYear, wLunarMonth, wLunarDay;
  std::uint16_t wLunarLeap;                   // 1: the lunar month is a leap month
};
static_assert(sizeof(DayCell) == 16, "eight 16-bit fields");

constexpr int kMonthCellCount = 42;

// The months the view can show: those whose days the lunar table can at least partly convert.
// Before 1841-01 or after 2043-12 no day of the grid would carry a lunar date.
constexpr int kFirstShownYear = 1841;
constexpr int kLastShownYear = 2043;
bool IsShownMonth(int year, int month);
// Moves the month to the nearest one the view can show (1841-01 or 2043-12) when it lies outside.
void ClampToShownMonth(int& year, int& month);

// Moves (year, month) by step months (-1, 0 or +1), wrapping December and January across years.
// Returns false and changes nothing when the result would leave the months the view can show.
bool StepShownMonth(int& year, int& month, int step);

// Fills the dates of the 42 cells for the month: the last days of the previous month, the month
// itself, then the first days of the next. Cells whose day the lunar conversion rejects get a zero
// lunar date (so they show no lunar label and match no lunar entry).
// Month must be 1..12.
void FillMonthCells(int year, int month, DayCell (&cells)[kMonthCellCount]);
