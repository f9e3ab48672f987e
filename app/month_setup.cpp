// Set-up and teardown of the month view, the title's place and colours.
#include "app/kalmeno_dlg.h"

namespace {

void CreateSizedFont(CFont& font, LOGFONTW logFont, LONG height, LONG weight) {
  logFont.lfHeight = height;
  logFont.lfWeight = weight;
  font.CreateFontIndirect(&logFont);
}

void LoadArrow(ArrowButton& arrow, UINT bitmapId, const RECT& rect) {
  CBitmap bitmap;
  bitmap.LoadBitmap(bitmapId);
  arrow.images.Create(54, 20, ILC_COLOR8 | ILC_MASK, 2, 0);
  arrow.images.Add(&bitmap, RGB(255, 0, 255));
  bitmap.DeleteObject();
  arrow.rcButton = rect;
}

// The handle of the popup menu kept by the menu bar's first button ("메뉴").
HMENU FirstButtonMenu(HWND menuBar) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_LPARAM;
  if (::SendMessageW(menuBar, TB_GETBUTTONINFOW, 0, reinterpret_cast<LPARAM>(&info)) >= 0 && info.lParam)
    return reinterpret_cast<HMENU>(info.lParam);
  TBBUTTON button{};
  if (::SendMessageW(menuBar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button))) return reinterpret_cast<HMENU>(button.dwData);
  return nullptr;
}

}  // namespace

BOOL CKalmenoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_hComeForward = CreateComeForwardEvent();
  if (m_hComeForward) SetTimer(kComeForwardTimer, kComeForwardCheckMs, nullptr);
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  LOGFONTW logFont{};
  ::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof logFont, &logFont);
  CreateSizedFont(m_fontBold, logFont, logFont.lfHeight, FW_BOLD);
  logFont.lfQuality = CLEARTYPE_QUALITY;
  CreateSizedFont(m_fontTitle, logFont, -16, FW_BOLD);
  m_title.SetFont(&m_fontTitle, TRUE);
  CreateSizedFont(m_fontLunar, logFont, -9, FW_NORMAL);
  CreateSizedFont(m_fontCount, logFont, -8, FW_NORMAL);
  CreateSizedFont(m_fontLabel, logFont, -12, FW_NORMAL);

  m_brushBack.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));

  LoadArrow(m_arrows[0], IDB_PREV_ARROW, RECT{5, 1, 59, 21});
  LoadArrow(m_arrows[1], IDB_NEXT_ARROW, RECT{181, 1, 235, 21});

  SHMENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  bar.hwndParent = m_hWnd;
  bar.dwFlags = SHCMBF_HMENU;
  bar.nToolBarId = IDR_MENUBAR;
  bar.hInstRes = AfxGetInstanceHandle();
  if (::SHCreateMenuBar(&bar)) {
    m_hMenuBar = FirstButtonMenu(bar.hwndMB);
    // The resource carries the check mark; the view starts without lunar dates.
    if (m_hMenuBar) ::CheckMenuItem(m_hMenuBar, ID_LUNAR_VIEW, MF_BYCOMMAND | MF_UNCHECKED);
  }
  // The holiday layer as the user left it.
  m_bHolidayView = LoadHolidayView();
  if (m_hMenuBar && m_bHolidayView) ::CheckMenuItem(m_hMenuBar, ID_HOLIDAY_VIEW, MF_BYCOMMAND | MF_CHECKED);

  TurnToTodaysMonth();
  m_nSelCell = -1;

  BuildMonthModel();
  UpdateTitle(0);

  POINT origin{0, 0};
  ClientToScreen(&origin);
  MoveWindow(origin.x, origin.y, 240, 268);

  if (::GetSystemMetrics(SM_CXSCREEN) >= ::GetSystemMetrics(SM_CYSCREEN))
    AfxMessageBox(u"본 프로그램은 세로보기에 최적화되어 있어요. 화면이 가로보기인 경우 달력이 제대로 나오지 않아요. ㅠ_ㅠ");
  return TRUE;
}

void CKalmenoDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  HWND title = ::GetDlgItem(m_hWnd, IDC_MONTH_TITLE);
  if (title) ::MoveWindow(title, 60, 1, 120, 20, TRUE);
}

HBRUSH CKalmenoDlg::OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor) {
  HBRUSH brush = CDialog::OnCtlColor(dc, window, ctlColor);
  if (window && window->GetDlgCtrlID() == IDC_MONTH_TITLE) {
    dc->SetBkMode(TRANSPARENT);
    return m_brushBack;
  }
  return brush;
}

void CKalmenoDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_hComeForward) {
    KillTimer(kComeForwardTimer);
    ::CloseHandle(m_hComeForward);
    m_hComeForward = nullptr;
  }
  if (m_brushBack.GetSafeHandle()) m_brushBack.DeleteObject();
  if (m_fontTitle.GetSafeHandle()) m_fontTitle.DeleteObject();
  if (m_fontLunar.GetSafeHandle()) m_fontLunar.DeleteObject();
  if (m_fontCount.GetSafeHandle()) m_fontCount.DeleteObject();
  if (m_fontLabel.GetSafeHandle()) m_fontLabel.DeleteObject();
}
