// What the store says about the days of the grid.
#include "app/kalmeno_dlg.h"

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
