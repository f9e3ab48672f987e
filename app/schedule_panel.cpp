// The schedule panel: a semi-transparent card over the grid that shows one entry of the selected
// day at a time.
#include "kalmeno_dlg.h"
#include "panel_text.h"

namespace {

const int kPanelX = 17;
const int kPanelY = 96;
const int kPanelWidth = 205;
const int kPanelHeight = 114;
const COLORREF kGreyText = RGB(125, 125, 125);

void DrawLine(CDC& dc, CFont* font, COLORREF colour, const CString& text, RECT rect, UINT format) {
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  dc.SetTextColor(colour);
  dc.DrawText(text, &rect, format);
  if (font) dc.SelectObject(oldFont);
}

// The backdrop, white with a button-face band, blended at 230 of 255 over what is drawn below.
bool BlendBackdrop(CDC& dc) {
  CDC memDC;
  memDC.CreateCompatibleDC(&dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kPanelWidth;
  info.bmiHeader.biHeight = kPanelHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  CBitmap bitmap;
  bitmap.Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
  memDC.FillSolidRect(0, 0, kPanelWidth, kPanelHeight, RGB(255, 255, 255));
  memDC.FillSolidRect(0, 11, kPanelWidth, 92, ::GetSysColor(COLOR_BTNFACE));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 230, 0};
  const BOOL blended = ::AlphaBlend(dc, kPanelX, kPanelY, kPanelWidth, kPanelHeight, memDC, 0, 0, kPanelWidth,
                                    kPanelHeight, blend);
  memDC.SelectObject(oldBitmap);
  bitmap.DeleteObject();
  memDC.DeleteDC();
  return blended != FALSE;
}

}  // namespace

void CKalmenoDlg::PaintSchedulePanel(CDC& dc) {
  const int count = static_cast<int>(m_dayEntries.GetSize());
  // The panel is closed whenever the selection or the store changes; should its entry be gone all
  // the same, it is hidden rather than read past the end.
  if (m_nSelCell < 0 || m_nPanelIndex < 0 || m_nPanelIndex >= count) {
    m_bPanelVisible = 0;
    return;
  }
  if (!BlendBackdrop(dc)) {
    AfxMessageBox(u"알파블렌딩에 실패했습니다. 일정을 표시할 수 없습니다.");
    return;
  }
  const POINT frame[5] = {{17, 96}, {221, 96}, {221, 209}, {17, 209}, {17, 96}};
  dc.Polyline(frame, 5);

  const ScheduleEntry e = m_store.GetAt(static_cast<int>(m_dayEntries[m_nPanelIndex]));
  const DayCell& cell = m_cells[m_nSelCell];
  // A record from a damaged file may fill its title or memo to the last unit with no terminator:
  // the texts are read through their fields' bounds, never on into the next field or past it.
  const std::u16string titleText = ScheduleTitleText(e);
  const std::u16string memoText = ScheduleMemoText(e);
  CString title;
  title.Format(u"< %s >", titleText.c_str());
  CString memo = memoText.empty() ? CString(u"없음") : CString(memoText.c_str());

  DrawLine(dc, &m_fontLunar, kGreyText, PanelPageText(m_nPanelIndex + 1, count), {18, 97, 220, 209},
           DT_SINGLELINE | DT_RIGHT);
  DrawLine(dc, &m_fontBold, RGB(0, 0, 0), title, {23, 107, 216, 209}, DT_SINGLELINE | DT_CENTER);
  DrawLine(dc, &m_fontLunar, kGreyText,
           PanelDateText(cell.wYear, cell.wMonth, cell.wDay, cell.wLunarMonth, cell.wLunarDay), {23, 127, 221, 209},
           DT_SINGLELINE | DT_LEFT);
  DrawLine(dc, &m_fontLunar, kGreyText, PanelTimeText(e), {23, 137, 226, 209}, DT_SINGLELINE | DT_LEFT);
  DrawLine(dc, &m_fontLunar, kGreyText, PanelOptionText(e), {23, 137, 216, 209}, DT_SINGLELINE | DT_RIGHT);
  DrawLine(dc, &m_fontLunar, RGB(90, 50, 50), CString(u"메모"), {23, 157, 216, 209}, DT_WORDBREAK);
  DrawLine(dc, nullptr, RGB(0, 0, 0), memo, {23, 172, 216, 209}, DT_WORDBREAK);
}
