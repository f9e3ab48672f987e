// The month model of the month view: which dates fill the 42 cells, the month steps and their
// bounds, and where a press lands.
#include <gtest/gtest.h>

#include "app/month_grid.h"
#include "app/month_layout.h"

namespace {

struct MonthCase {
  int year, month;
  int firstInMonth;      // cell of day 1
  int length;            // days of the month
  int leadingFirstDay;   // day number of cell 0 when it belongs to the previous month, else 0
  int trailingLastDay;   // day number of cell 41 (of the next month)
  const char* fact;
};

const MonthCase kMonths[] = {
    {2007, 4, 0, 30, 0, 12, "April 2007 starts on a Sunday: no March cells, cells 30..41 are 1..12 May"},
    {2009, 2, 0, 28, 0, 14, "February 2009 starts on a Sunday with 28 days: cells 28..41 are 1..14 March"},
    {2007, 12, 6, 31, 25, 5, "December 2007 starts on a Saturday: 25..30 November, then 1..5 January"},
    {2008, 2, 5, 29, 27, 8, "February 2008 (leap) starts on a Friday: 27..31 January, 1..8 March"},
    {1841, 1, 5, 31, 27, 6, "January 1841 starts on a Friday; its leading days are December 1840"},
    {2043, 12, 2, 31, 29, 9, "December 2043 starts on a Tuesday; its trailing days are January 2044"},
};

TEST(MonthModel, FillsLeadingMonthAndTrailingDaysOfKnownMonths) {
  for (const MonthCase& c : kMonths) {
    SCOPED_TRACE(c.fact);
    DayCell cells[kMonthCellCount] = {};
    FillMonthCells(c.year, c.month, cells);
    const int prevMonth = c.month == 1 ? 12 : c.month - 1;
    const int nextMonth = c.month == 12 ? 1 : c.month + 1;
    for (int i = 0; i < c.firstInMonth; ++i) {
      EXPECT_EQ(cells[i].wInMonth, 0);
      EXPECT_EQ(cells[i].wMonth, prevMonth);
      EXPECT_EQ(cells[i].wDay, c.leadingFirstDay + i);
      EXPECT_EQ(cells[i].wYear, c.month == 1 ? c.year - 1 : c.year);
    }
    for (int d = 1; d <= c.length; ++d) {
      const DayCell& cell = cells[c.firstInMonth + d - 1];
      EXPECT_EQ(cell.wInMonth, 1);
      EXPECT_EQ(cell.wYear, c.year);
      EXPECT_EQ(cell.wMonth, c.month);
      EXPECT_EQ(cell.wDay, d);
    }
    for (int i = c.firstInMonth + c.length; i < kMonthCellCount; ++i) {
      EXPECT_EQ(cells[i].wInMonth, 0);
      EXPECT_EQ(cells[i].wMonth, nextMonth);
      EXPECT_EQ(cells[i].wYear, c.month == 12 ? c.year + 1 : c.year);
      EXPECT_EQ(cells[i].wDay, i - (c.firstInMonth + c.length) + 1);
    }
    EXPECT_EQ(cells[41].wDay, c.trailingLastDay);
  }
}

TEST(MonthModel, CarriesLunarDatesWithTheLeapMark) {
  DayCell cells[kMonthCellCount] = {};
  FillMonthCells(2006, 8, cells);   // 1 August 2006 is a Tuesday: day d lies in cell d + 1
  const DayCell& d23 = cells[23 + 1];
  const DayCell& d24 = cells[24 + 1];
  EXPECT_EQ(d23.wLunarYear, 2006);
  EXPECT_EQ(d23.wLunarMonth, 7);
  EXPECT_EQ(d23.wLunarDay, 30);
  EXPECT_EQ(d23.wLunarLeap, 0);
  EXPECT_EQ(d24.wLunarMonth, 7);
  EXPECT_EQ(d24.wLunarDay, 1);
  EXPECT_EQ(d24.wLunarLeap, 1);
}

TEST(MonthModel, DaysOutsideTheLunarTableGetNoLunarDateEvenAfterAnotherMonth) {
  DayCell cells[kMonthCellCount] = {};
  FillMonthCells(2006, 8, cells);   // leaves lunar dates in every cell
  FillMonthCells(1841, 1, cells);
  // Cells 0..4 are 27..31 December 1840 and cells 5..26 are 1..22 January 1841: all before the
  // table's first day, 1841-01-23 (lunar 1841-01-01), which is cell 27.
  for (int i = 0; i < 27; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cells[i].wLunarYear, 0);
    EXPECT_EQ(cells[i].wLunarMonth, 0);
    EXPECT_EQ(cells[i].wLunarDay, 0);
    EXPECT_EQ(cells[i].wLunarLeap, 0);
  }
  EXPECT_EQ(cells[27].wLunarYear, 1841);
  EXPECT_EQ(cells[27].wLunarMonth, 1);
  EXPECT_EQ(cells[27].wLunarDay, 1);

  FillMonthCells(2043, 12, cells);  // cells 33..41 are 1..9 January 2044, after the table
  EXPECT_EQ(cells[32].wLunarYear, 2043);
  for (int i = 33; i < kMonthCellCount; ++i) EXPECT_EQ(cells[i].wLunarMonth, 0) << i;
}

TEST(MonthSteps, WrapAcrossYearsAndStopAtTheLunarTablesEnds) {
  int y = 2007, m = 12;
  EXPECT_TRUE(StepShownMonth(y, m, +1));
  EXPECT_EQ(y, 2008);
  EXPECT_EQ(m, 1);
  EXPECT_TRUE(StepShownMonth(y, m, -1));
  EXPECT_EQ(y, 2007);
  EXPECT_EQ(m, 12);
  EXPECT_TRUE(StepShownMonth(y, m, 0));
  EXPECT_EQ(m, 12);

  y = 1841, m = 1;
  EXPECT_FALSE(StepShownMonth(y, m, -1));
  EXPECT_EQ(y, 1841);
  EXPECT_EQ(m, 1);
  EXPECT_TRUE(StepShownMonth(y, m, +1));
  EXPECT_EQ(m, 2);

  y = 2043, m = 12;
  EXPECT_FALSE(StepShownMonth(y, m, +1));
  EXPECT_EQ(y, 2043);
  EXPECT_EQ(m, 12);
  EXPECT_TRUE(StepShownMonth(y, m, -1));
  EXPECT_EQ(m, 11);
}

TEST(MonthSteps, ATodayOutsideTheTableShowsTheNearestMonth) {
  int y = 1830, m = 6;
  ClampToShownMonth(y, m);
  EXPECT_EQ(y, 1841);
  EXPECT_EQ(m, 1);
  y = 2050, m = 3;
  ClampToShownMonth(y, m);
  EXPECT_EQ(y, 2043);
  EXPECT_EQ(m, 12);
  y = 2007, m = 12;
  ClampToShownMonth(y, m);
  EXPECT_EQ(y, 2007);
  EXPECT_EQ(m, 12);
}

TEST(GridHitTest, RowsStartAtY38AndTheLastTwoPixelColumnsAreSaturday) {
  EXPECT_EQ(MonthLayout::CellAt(100, 37), -1);   // weekday header
  EXPECT_EQ(MonthLayout::CellAt(0, 38), 0);
  EXPECT_EQ(MonthLayout::CellAt(33, 75), 0);
  EXPECT_EQ(MonthLayout::CellAt(34, 76), 8);      // second row begins at y = 76
  EXPECT_EQ(MonthLayout::CellAt(237, 100), 13);
  EXPECT_EQ(MonthLayout::CellAt(238, 100), 13);
  EXPECT_EQ(MonthLayout::CellAt(239, 265), 41);   // would be a 43rd cell without the clamp
  EXPECT_EQ(MonthLayout::CellAt(120, 266), -1);  // below the grid
}

TEST(GridHitTest, EachCellsMiddleAnswersForThatCell) {
  for (int i = 0; i < kMonthCellCount; ++i) {
    const RECT r = MonthLayout::CellRect(i);
    EXPECT_EQ(MonthLayout::CellAt((r.left + r.right) / 2, (r.top + r.bottom) / 2), i) << i;
  }
}

}  // namespace
