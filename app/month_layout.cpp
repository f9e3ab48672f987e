#include "app/month_layout.h"

namespace {

constexpr int kHitTop = MonthLayout::kGridTop - 1;
constexpr int kPanelLeft = 17;
constexpr int kPanelTop = 96;
constexpr int kPanelWidth = 205;
constexpr int kPanelHeight = 114;

}  // namespace

RECT MonthLayout::CellRect(int i) {
  if (i < 0 || i >= kMonthCellCount) return RECT{0, 0, 0, 0};
  const int row = i / kColumns;
  const int column = i % kColumns;
  return RECT{ColumnLineX(column) + 1, RowLineY(row) + 1, ColumnLineX(column + 1) - 1, RowLineY(row + 1) - 1};
}

// Columns are 34 pixels wide, so x = 238 and 239 would make an eighth column; they are the last
// pixels of Saturday's cell and count as Saturday.
int MonthLayout::CellAt(int x, int y) {
  if (y < kHitTop || y > kHitTop + kRows * kRowHeight - 1 || x < 0) return -1;
  const int column = x / kColumnWidth > kColumns - 1 ? kColumns - 1 : x / kColumnWidth;
  return (y - kHitTop) / kRowHeight * kColumns + column;
}

int MonthLayout::RowLineY(int r) { return kGridTop + r * kRowHeight; }

int MonthLayout::ColumnLineX(int c) { return c >= kColumns ? kLastLineX : c * kColumnWidth; }

RECT MonthLayout::PanelRect() {
  return RECT{kPanelLeft, kPanelTop, kPanelLeft + kPanelWidth, kPanelTop + kPanelHeight};
}
