// The displayed month and its title.
#include "app/kalmeno_dlg.h"

void CKalmenoDlg::BuildMonthModel() {
  FillMonthCells(m_nYear, m_nMonth, m_cells);
  if (m_bHolidayView) FillDayMarks(m_cells, m_marks);
}

void CKalmenoDlg::UpdateTitle(int step) {
  StepShownMonth(m_nYear, m_nMonth, step);
  if (!m_hWnd) {
    m_strTitle.Format(u"%04d년%02d월", m_nYear, m_nMonth);
    return;
  }
  // Read the control's text back first, so that the exchange below writes only the new title.
  UpdateData(TRUE);
  m_strTitle.Format(u"%04d년%02d월", m_nYear, m_nMonth);
  UpdateData(FALSE);
}
