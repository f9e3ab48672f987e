// The schedule panel: a semi-transparent card over the grid that shows one entry of the selected
// day at a time.
#include "app/kalmeno_dlg.h"
#include "app/month_layout.h"
#include "app/panel_text.h"

namespace {

const COLORREF kGreyText = RGB(125, 125, 125);

// A rectangle given from the panel's top left corner.
RECT InPanel(const RECT& panel, int left, int top, int right, int bottom) {
  return RECT{panel.left + left, panel.top + top, panel.left + right, panel.top + bottom};
}

void DrawLine(CDC& dc, CFont* font, COLORREF colour, const CString& text, RECT rect, UINT format) {
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  dc.SetTextColor(colour);
  dc.DrawText(text, &rect, format);
  if (font) dc.SelectObject(oldFont);
}

// The backdrop, white with a button-face band, blended at 230 of 255 over what is drawn below.
bool BlendBackdrop(CDC& dc, const RECT& panel) {
  const int width = panel.right - panel.left;
  const int height = panel.bottom - panel.top;
  CDC memDC;
  memDC.CreateCompatibleDC(&dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  CBitmap bitmap;
  bitmap.Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
  memDC.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  memDC.FillSolidRect(0, 11, width, 92, ::GetSysColor(COLOR_BTNFACE));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 230, 0};
  const BOOL blended =
      ::AlphaBlend(dc, panel.left, panel.top, width, height, memDC, 0, 0, width, height, blend);
  memDC.SelectObject(oldBitmap);
  bitmap.DeleteObject();
  memDC.DeleteDC();
  return blended != FALSE;
}

}  // namespace

int CKalmenoDlg::HolidayPages() const {
  return m_bHolidayView && m_nSelCell >= 0 && m_nSelCell < kMonthCellCount && m_marks[m_nSelCell].bHoliday ? 1 : 0;
}

int CKalmenoDlg::PanelPageCount() const { return HolidayPages() + static_cast<int>(m_dayEntries.GetSize()); }

void CKalmenoDlg::PaintSchedulePanel(CDC& dc) {
  const int count = PanelPageCount();
  // The panel is closed whenever the selection or the store changes; should its entry be gone all
  // the same, it is hidden rather than read past the end.
  if (m_nSelCell < 0 || m_nPanelIndex < 0 || m_nPanelIndex >= count) {
    m_bPanelVisible = 0;
    return;
  }
  const RECT panel = MonthLayout::PanelRect();
  if (!BlendBackdrop(dc, panel)) {
    AfxMessageBox(u"알파블렌딩에 실패했습니다. 일정을 표시할 수 없습니다.");
    return;
  }
  const int right = panel.right - 1;
  const int bottom = panel.bottom - 1;
  const POINT frame[5] = {{panel.left, panel.top}, {right, panel.top}, {right, bottom}, {panel.left, bottom},
                          {panel.left, panel.top}};
  dc.Polyline(frame, 5);

  if (m_nPanelIndex < HolidayPages()) {
    PaintHolidayPage(dc, panel, count);
    return;
  }
  const ScheduleEntry e = m_store.GetAt(static_cast<int>(m_dayEntries[m_nPanelIndex - HolidayPages()]));
  const DayCell& cell = m_cells[m_nSelCell];
  // A record from a damaged file may fill its title or memo to the last unit with no terminator:
  // the texts are read through their fields' bounds, never on into the next field or past it.
  const std::u16string titleText = ScheduleTitleText(e);
  const std::u16string memoText = ScheduleMemoText(e);
  CString title;
  title.Format(u"< %s >", titleText.c_str());
  CString memo = memoText.empty() ? CString(u"없음") : CString(memoText.c_str());

  // Every line may run down to the frame's bottom row.
  const int down = bottom - panel.top;
  DrawLine(dc, &m_fontLunar, kGreyText, PanelPageText(m_nPanelIndex + 1, count), InPanel(panel, 1, 1, 203, down),
           DT_SINGLELINE | DT_RIGHT);
  DrawLine(dc, &m_fontBold, RGB(0, 0, 0), title, InPanel(panel, 6, 11, 199, down), DT_SINGLELINE | DT_CENTER);
  DrawLine(dc, &m_fontLunar, kGreyText,
           PanelDateText(cell.wYear, cell.wMonth, cell.wDay, cell.wLunarMonth, cell.wLunarDay),
           InPanel(panel, 6, 31, 204, down), DT_SINGLELINE | DT_LEFT);
  DrawLine(dc, &m_fontLunar, kGreyText, PanelTimeText(e), InPanel(panel, 6, 41, 209, down), DT_SINGLELINE | DT_LEFT);
  DrawLine(dc, &m_fontLunar, kGreyText, PanelOptionText(e), InPanel(panel, 6, 41, 199, down),
           DT_SINGLELINE | DT_RIGHT);
  DrawLine(dc, &m_fontLunar, RGB(90, 50, 50), CString(u"메모"), InPanel(panel, 6, 61, 199, down), DT_WORDBREAK);
  DrawLine(dc, nullptr, RGB(0, 0, 0), memo, InPanel(panel, 6, 76, 199, down), DT_WORDBREAK);
}

void CKalmenoDlg::PaintHolidayPage(CDC& dc, const RECT& panel, int count) {
  const DayCell& cell = m_cells[m_nSelCell];
  CString title;
  title.Format(u"< %s >", m_marks[m_nSelCell].names.c_str());
  const int down = panel.bottom - 1 - panel.top;
  DrawLine(dc, &m_fontLunar, kGreyText, PanelPageText(m_nPanelIndex + 1, count), InPanel(panel, 1, 1, 203, down),
           DT_SINGLELINE | DT_RIGHT);
  DrawLine(dc, &m_fontBold, RGB(255, 0, 0), title, InPanel(panel, 6, 11, 199, down),
           DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS);
  DrawLine(dc, &m_fontLunar, kGreyText,
           PanelDateText(cell.wYear, cell.wMonth, cell.wDay, cell.wLunarMonth, cell.wLunarDay),
           InPanel(panel, 6, 31, 204, down), DT_SINGLELINE | DT_LEFT);
  DrawLine(dc, &m_fontLunar, kGreyText, CString(u"[공휴일]"), InPanel(panel, 6, 41, 199, down),
           DT_SINGLELINE | DT_RIGHT);
  if (!m_marks[m_nSelCell].term.empty()) {
    CString term;
    term.Format(u"절기: %s", m_marks[m_nSelCell].term.c_str());
    DrawLine(dc, &m_fontLunar, kGreyText, term, InPanel(panel, 6, 41, 199, down), DT_SINGLELINE | DT_LEFT);
  }
}
