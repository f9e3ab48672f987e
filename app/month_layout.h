#pragma once
// Where the parts of the month view lie in its client area, in pixels: the header with the weekday
// names, the six weeks of seven day cells with their grid lines, and the schedule panel over
// them. Painting, the stylus and the panel all ask here, so each size is written once.
//
//   y =  0 ..  38  header (title, arrows; weekday names from y = 24), closed by the line at y = 39
//   y = 39 .. 267  grid: horizontal lines at 39, 77, ..., 267; vertical lines at x = 0, 34, ...,
//                  204 and 239 (the window's last column, so Saturday is one pixel wider)
#include "app/month_grid.h"
#include "windows.h"

struct MonthLayout {
  static constexpr int kWidth = 240;        // the view's width: the handheld screen's
  static constexpr int kColumns = 7;
  static constexpr int kRows = 6;
  static constexpr int kColumnWidth = 34;
  static constexpr int kRowHeight = 38;
  static constexpr int kGridTop = 39;       // the line under the header, the grid's first line
  static constexpr int kGridBottom = kGridTop + kRows * kRowHeight;   // the grid's last line
  static constexpr int kLastLineX = kWidth - 1;

  // The rectangle of cell i (0 = the first Sunday, row by row), inclusive: the inside of its grid
  // lines. All zero for i outside 0..41.
  static RECT CellRect(int i);

  // The cell under a client point, or -1 when the point lies above the rows (y < 38) or below
  // them (y > 265). Rows are 38 pixels high from y = 38, one pixel above their cells, so a cell's
  // bottom pixel row answers for the cell below it; columns are 34 pixels wide from x = 0, and
  // x = 238 and 239 belong to the last column.
  static int CellAt(int x, int y);

  // The y of horizontal grid line r (0 = the header's bottom line .. 6 = the grid's last line),
  // and the x of vertical line c (0 .. 7).
  static int RowLineY(int r);
  static int ColumnLineX(int c);

  // The schedule panel's rectangle, exclusive of its right and bottom edges (205 x 114 pixels);
  // its frame is drawn on its outermost pixels.
  static RECT PanelRect();
};

static_assert(MonthLayout::kColumns * MonthLayout::kRows == kMonthCellCount, "the grid has a cell for each day");
