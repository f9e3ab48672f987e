// The month view's commands: exit, lunar view, About, Add, List, go to today.
#include "app/kalmeno_dlg.h"

#include <cstdio>

#include "app/dialogs/add_dlg.h"
#include "app/dialogs/info_dlg.h"
#include "app/dialogs/list_dlg.h"

void CKalmenoDlg::OnExit() {
  // The only place the data file is written. A failed save keeps the window and every entry, so
  // that the user can exit again once the cause is gone.
  switch (m_store.Save()) {
    case ScheduleWriteOutcome::Written:
      EndDialog(0);
      return;
    case ScheduleWriteOutcome::CouldNotCreate:
      AfxMessageBox(u"일정파일을 생성하지 못했습니다.");
      AfxMessageBox(u"일정을 저장하지 못했습니다. 다시 종료해 주세요.");
      return;
    case ScheduleWriteOutcome::WriteFailed:
      AfxMessageBox(u"일정을 저장하지 못했습니다. 다시 종료해 주세요.");
      return;
  }
}

void CKalmenoDlg::OnEndSession(BOOL ending) {
  if (!ending) return;
  // Nobody is left to answer a message box: a failed save (the file keeps what it held) is said
  // on the standard error instead.
  if (m_store.Save() != ScheduleWriteOutcome::Written)
    std::fprintf(stderr, "kalmeno: 일정을 저장하지 못했습니다. 이번에 바꾼 일정은 파일에 없습니다.\n");
}

void CKalmenoDlg::OnTimer(UINT_PTR id) {
  if (id == kComeForwardTimer && ::WaitForSingleObject(m_hComeForward, 0) == WAIT_OBJECT_0) ::SetForegroundWindow(m_hWnd);
}

UINT CKalmenoDlg::OnGetDlgCode(UINT key) { return key == VK_ESCAPE ? DLGC_WANTALLKEYS : 0; }

void CKalmenoDlg::OnLunarView() {
  if (m_bLunarView) {
    if (m_hMenuBar) ::CheckMenuItem(m_hMenuBar, ID_LUNAR_VIEW, MF_BYCOMMAND | MF_UNCHECKED);
    m_bLunarView = 0;
  } else {
    if (m_hMenuBar) ::CheckMenuItem(m_hMenuBar, ID_LUNAR_VIEW, MF_BYCOMMAND | MF_CHECKED);
    m_bLunarView = 1;
  }
  // Erasing: cells without a fill of their own would otherwise keep the lunar dates just hidden.
  Invalidate(TRUE);
}

void CKalmenoDlg::OnHolidayView() {
  m_bHolidayView = !m_bHolidayView;
  if (m_hMenuBar)
    ::CheckMenuItem(m_hMenuBar, ID_HOLIDAY_VIEW, MF_BYCOMMAND | (m_bHolidayView ? MF_CHECKED : MF_UNCHECKED));
  SaveHolidayView(m_bHolidayView);
  if (m_bHolidayView) FillDayMarks(m_cells, m_marks);
  // The panel's pages change with the layer.
  CloseSchedulePanel();
  // Erasing, as for the lunar view: names and term labels just hidden would otherwise stay.
  Invalidate(TRUE);
}

void CKalmenoDlg::OnAbout() {
  CInfoDlg dlg;
  dlg.DoModal();
}

void CKalmenoDlg::OnAddSchedule() {
  const int countBefore = m_store.GetCount();
  CAddDlg dlg;
  dlg.m_pStore = &m_store;
  dlg.DoModal();
  AfterStoreDialog(countBefore);
}

void CKalmenoDlg::OnScheduleList() {
  const int countBefore = m_store.GetCount();
  CListDlg dlg;
  dlg.m_pStore = &m_store;
  dlg.DoModal();
  AfterStoreDialog(countBefore);
}

// An entry added or deleted may move or remove the one the panel shows; the panel closes then,
// so its index never points past the selected day's entries.
void CKalmenoDlg::AfterStoreDialog(int countBefore) {
  if (m_store.GetCount() != countBefore) CloseSchedulePanel();
}

SYSTEMTIME CKalmenoDlg::TurnToTodaysMonth() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  m_nYear = now.wYear;
  m_nMonth = now.wMonth;
  m_nTodayMonth = now.wMonth;
  m_nTodayDay = now.wDay;
  ClampToShownMonth(m_nYear, m_nMonth);
  return now;
}

void CKalmenoDlg::OnGoToday() {
  const SYSTEMTIME now = TurnToTodaysMonth();
  CloseSchedulePanel();
  BuildMonthModel();
  UpdateTitle(0);
  // Erasing: the other month's numbers and labels would otherwise stay under the new ones in the
  // cells that have no fill of their own.
  Invalidate(TRUE);
  m_nSelCell = -1;
  for (int i = 0; i < kMonthCellCount; ++i) {
    // The year is compared too: it differs only when the month was clamped and today is not shown.
    if (m_cells[i].wDay == m_nTodayDay && m_cells[i].wMonth == m_nTodayMonth && m_cells[i].wYear == now.wYear) {
      m_nSelCell = i;
      break;
    }
  }
}
