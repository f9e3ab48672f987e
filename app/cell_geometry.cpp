// Where the cells lie. The grid lines are at x = 0, 34, ..., 204, 239 and y = 39, 77, ..., 267;
// a cell's rectangle is the inside of its lines, inclusive. Column 6 is one pixel wider, because
// the last vertical line stands at the window's last column.
#include "kalmeno_dlg.h"

RECT CKalmenoDlg::GetCellRect(int i) const {
  RECT rect{0, 0, 0, 0};
  if (i < 0 || i >= kMonthCellCount) return rect;
  const DayCell& cell = m_cells[i];
  rect.left = cell.rcLeft;
  rect.top = cell.rcTop;
  rect.right = cell.rcRight;
  rect.bottom = cell.rcBottom;
  return rect;
}

void CKalmenoDlg::SetCellRows() {
  for (int i = 0; i < kMonthCellCount; ++i) {
    const int row = i / 7;
    m_cells[i].rcTop = static_cast<std::uint16_t>(40 + 38 * row);
    m_cells[i].rcBottom = static_cast<std::uint16_t>(76 + 38 * row);
  }
}

void CKalmenoDlg::SetCellColumns() {
  for (int i = 0; i < kMonthCellCount; ++i) {
    const int column = i % 7;
    m_cells[i].rcLeft = static_cast<std::uint16_t>(34 * column + 1);
    m_cells[i].rcRight = static_cast<std::uint16_t>(column == 6 ? 238 : 34 * column + 33);
  }
}

void CKalmenoDlg::InvalidateCell(int i, BOOL erase) {
  RECT rect = GetCellRect(i);
  // Grown by 2 pixels: the selection frame lies on the grid lines around the cell.
  rect.left -= 2;
  rect.top -= 2;
  rect.right += 2;
  rect.bottom += 2;
  InvalidateRect(&rect, erase);
}

void CKalmenoDlg::QueryCell(int i, DaySummary* summary, bool keepEntries) {
  const DayCell& cell = m_cells[i];
  if (!keepEntries) {
    m_store.QueryDay(cell.wYear, cell.wMonth, cell.wDay, cell.wLunarYear, cell.wLunarMonth, cell.wLunarDay,
                     summary, nullptr);
    return;
  }
  std::vector<unsigned long> entries;
  m_store.QueryDay(cell.wYear, cell.wMonth, cell.wDay, cell.wLunarYear, cell.wLunarMonth, cell.wLunarDay,
                   summary, &entries);
  m_dayEntries.RemoveAll();
  for (unsigned long index : entries) m_dayEntries.Add(index);
}

void CKalmenoDlg::RefreshDayEntries() {
  if (m_nSelCell < 0 || m_nSelCell >= kMonthCellCount) return;
  DaySummary summary;
  QueryCell(m_nSelCell, &summary, true);
}
