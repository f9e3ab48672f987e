// The stylus on the month view: the arrow buttons, the day grid, the schedule panel and the
// tap-and-hold popup menu.
#include "app/kalmeno_dlg.h"
#include "app/month_layout.h"

namespace {

// The arrows answer only presses strictly inside their rectangle, not on its border.
bool StrictlyInside(const RECT& r, CPoint p) {
  return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

}  // namespace

void CKalmenoDlg::OnLButtonDown(UINT flags, CPoint point) {
  if (m_bPanelVisible) {
    // While the panel is shown, every press pages it, wherever it lands.
    ++m_nPanelIndex;
    const int count = PanelPageCount();
    if (count == 1 || m_nPanelIndex >= count) m_bPanelVisible = 0;
    const RECT panel = MonthLayout::PanelRect();
    InvalidateRect(&panel, TRUE);
    return;
  }
  if (StrictlyInside(m_arrows[0].rcButton, point)) {
    m_arrows[0].nImage = 1;
    InvalidateRect(&m_arrows[0].rcButton, FALSE);
    m_bPrevPressed = 1;
    return;
  }
  if (StrictlyInside(m_arrows[1].rcButton, point)) {
    m_arrows[1].nImage = 1;
    InvalidateRect(&m_arrows[1].rcButton, FALSE);
    m_bNextPressed = 1;
    return;
  }
  const int cell = MonthLayout::CellAt(point.x, point.y);
  if (cell < 0) return;

  if (cell == m_nSelCell) {
    // The entries of the selected day as they are now, not as the last paint saw them.
    RefreshDayEntries();
    if (PanelPageCount() >= 1) {
      m_bPanelVisible = 1;
      m_nPanelIndex = 0;
      const RECT panel = MonthLayout::PanelRect();
      InvalidateRect(&panel, FALSE);
      return;
    }
  }
  if (m_nSelCell >= 0 && m_nSelCell != cell) {
    const int old = m_nSelCell;
    m_nSelCell = -1;
    InvalidateCell(old, TRUE);
  }
  if (cell != m_nSelCell) {
    m_nSelCell = cell;
    InvalidateCell(cell, FALSE);
  }

  SHRGINFO gesture{};
  gesture.cbSize = sizeof(SHRGINFO);
  gesture.hwndClient = m_hWnd;
  gesture.ptDown = point;
  gesture.dwFlags = SHRG_RETURNCMD;
  if (::SHRecognizeGesture(&gesture) == GN_CONTEXTMENU) ShowPopupMenu(point);

  CDialog::OnLButtonDown(flags, point);
}

void CKalmenoDlg::ShowPopupMenu(CPoint point) {
  HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_POPUP));
  if (!menu) return;
  HMENU popup = ::GetSubMenu(menu, 0);
  ClientToScreen(&point);
  ::CheckMenuItem(popup, ID_LUNAR_VIEW, MF_BYCOMMAND | (m_bLunarView ? MF_CHECKED : MF_UNCHECKED));
  ::TrackPopupMenuEx(popup, 0, point.x, point.y, m_hWnd, nullptr);
  ::DestroyMenu(menu);
}

void CKalmenoDlg::OnLButtonUp(UINT flags, CPoint point) {
  static const int kSteps[2] = {-1, +1};
  BOOL* const pressed[2] = {&m_bPrevPressed, &m_bNextPressed};
  for (int k = 0; k < 2; ++k) {
    if (!*pressed[k]) continue;
    *pressed[k] = 0;
    m_arrows[k].nImage = 0;
    InvalidateRect(&m_arrows[k].rcButton, TRUE);
    if (!StrictlyInside(m_arrows[k].rcButton, point)) continue;
    // Past the months the lunar table covers the arrow does nothing: the month and the selection stay.
    int year = m_nYear;
    int month = m_nMonth;
    if (!StepShownMonth(year, month, kSteps[k])) continue;
    m_nSelCell = -1;
    CloseSchedulePanel();
    UpdateTitle(kSteps[k]);
    BuildMonthModel();
    Invalidate(TRUE);
  }
  CDialog::OnLButtonUp(flags, point);
}

void CKalmenoDlg::InvalidateCell(int i, BOOL erase) {
  RECT rect = MonthLayout::CellRect(i);
  // Grown by 2 pixels: the selection frame lies on the grid lines around the cell.
  rect.left -= 2;
  rect.top -= 2;
  rect.right += 2;
  rect.bottom += 2;
  InvalidateRect(&rect, erase);
}

void CKalmenoDlg::CloseSchedulePanel() {
  m_bPanelVisible = 0;
  m_nPanelIndex = 0;
}
