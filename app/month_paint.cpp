// Painting of the month view: every paint draws the whole client area (the platform clips it to
// what was invalidated) and asks the store about each of the 42 days.
#include "app/kalmeno_dlg.h"
#include "app/month_layout.h"
#include "calendar/weekday_names.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kSundayBack = RGB(255, 235, 235);
const COLORREF kSaturdayBack = RGB(235, 235, 255);
const COLORREF kSelectedBack = RGB(255, 225, 225);
const COLORREF kLabelText = RGB(50, 50, 50);
const COLORREF kLunarText = RGB(128, 128, 128);

// A cell rectangle is inclusive; a fill excludes its right and bottom edges.
void FillInclusive(CDC& dc, const RECT& cell, COLORREF colour) {
  RECT r{cell.left, cell.top, cell.right + 1, cell.bottom + 1};
  dc.FillSolidRect(&r, colour);
}

void Line(CDC& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// A day's count as drawn at the cell's top right. Three digits, in brackets or not, would run into
// a two-digit day number, so 100 and more show as "99+"; the panel tells the true number.
void FormatCount(int count, WCHAR (&text)[16]) {
  if (count > 99) lstrcpyW(text, u"99+");
  else wsprintfW(text, u"(%d)", count);
}

}  // namespace

void CKalmenoDlg::OnPaint() {
  CPaintDC dc(this);
  dc.SetBkMode(TRANSPARENT);
  PaintHeader(dc);
  PaintGridLines(dc);
  PaintWeekdayNames(dc);
  CPen redPen(PS_SOLID, 1, kRed);
  for (int i = 0; i < kMonthCellCount; ++i) PaintCell(dc, i, redPen);
  redPen.DeleteObject();
  if (m_bPanelVisible) PaintSchedulePanel(dc);
}

void CKalmenoDlg::PaintHeader(CDC& dc) {
  dc.FillSolidRect(0, 0, MonthLayout::kWidth, MonthLayout::kGridTop, ::GetSysColor(COLOR_BTNFACE));
  Line(dc, 0, 22, MonthLayout::kWidth, 22);
  Line(dc, 0, MonthLayout::kGridTop, MonthLayout::kWidth, MonthLayout::kGridTop);
  for (ArrowButton& arrow : m_arrows)
    arrow.images.Draw(&dc, arrow.nImage, CPoint(arrow.rcButton.left, arrow.rcButton.top), ILD_TRANSPARENT);
}

void CKalmenoDlg::PaintGridLines(CDC& dc) {
  // The line above the first row is the header's.
  for (int r = 1; r <= MonthLayout::kRows; ++r)
    Line(dc, 0, MonthLayout::RowLineY(r), MonthLayout::kWidth, MonthLayout::RowLineY(r));
  for (int c = 0; c <= MonthLayout::kColumns; ++c)
    Line(dc, MonthLayout::ColumnLineX(c), MonthLayout::kGridTop, MonthLayout::ColumnLineX(c), MonthLayout::kGridBottom);
}

void CKalmenoDlg::PaintWeekdayNames(CDC& dc) {
  for (int column = 0; column < MonthLayout::kColumns; ++column) {
    const RECT cell = MonthLayout::CellRect(column);
    RECT r{cell.left + 10, 24, cell.right, cell.top};
    dc.SetTextColor(column == 0 ? kRed : column == 6 ? kBlue : kBlack);
    dc.DrawText(WeekdayName(column), -1, &r, DT_SINGLELINE | DT_LEFT);
  }
}

void CKalmenoDlg::PaintCell(CDC& dc, int i, CPen& redPen) {
  const DayCell& cell = m_cells[i];
  const RECT rect = MonthLayout::CellRect(i);
  const int column = i % MonthLayout::kColumns;

  if (!cell.wInMonth) FillInclusive(dc, rect, ::GetSysColor(COLOR_BTNFACE));
  else if (column == 0) FillInclusive(dc, rect, kSundayBack);
  else if (column == 6) FillInclusive(dc, rect, kSaturdayBack);

  DaySummary summary;
  if (i == m_nSelCell) {
    FillInclusive(dc, rect, kSelectedBack);
    CPen* oldPen = dc.SelectObject(&redPen);
    const POINT frame[5] = {{rect.left - 1, rect.top - 1}, {rect.left - 1, rect.bottom + 1},
                            {rect.right + 1, rect.bottom + 1}, {rect.right + 1, rect.top - 1},
                            {rect.left - 1, rect.top - 1}};
    dc.Polyline(frame, 5);
    dc.SelectObject(oldPen);
  }
  // Only the selected day's entries are kept, so that after a paint m_dayEntries is that day's.
  QueryCell(i, &summary, i == m_nSelCell);

  WCHAR text[16];
  wsprintfW(text, u"%d", cell.wDay);
  RECT dayRect{rect.left + 2, rect.top - 1, rect.right, rect.bottom};
  const DayMarks* marks = m_bHolidayView ? &m_marks[i] : nullptr;
  const bool red = column == 0 || summary.bHoliday || (marks && marks->bHoliday);
  dc.SetTextColor(red ? kRed : column == 6 ? kBlue : kBlack);
  dc.DrawText(text, -1, &dayRect, DT_SINGLELINE | DT_LEFT | DT_TOP);

  CFont* oldFont = dc.SelectObject(&m_fontLabel);
  RECT labelRect{rect.left, rect.top, rect.right, rect.bottom - 8};
  dc.SetTextColor(kLabelText);
  // A day with no entry of its own shows its holiday's name, in red, in the label's place.
  if (marks && summary.szLabel[0] == 0 && !marks->label.empty()) {
    dc.SetTextColor(kRed);
    dc.DrawText(marks->label.c_str(), -1, &labelRect, DT_SINGLELINE | DT_LEFT | DT_BOTTOM | DT_END_ELLIPSIS);
  } else {
    dc.DrawText(summary.szLabel, -1, &labelRect, DT_SINGLELINE | DT_LEFT | DT_BOTTOM);
  }
  dc.SelectObject(oldFont);

  oldFont = dc.SelectObject(&m_fontCount);
  RECT countRect = rect;
  if (summary.nSolarCount > 0) {
    FormatCount(summary.nSolarCount, text);
    dc.SetTextColor(kBlue);
    dc.DrawText(text, -1, &countRect, DT_SINGLELINE | DT_RIGHT | DT_TOP);
    countRect.top += 8;
  }
  if (summary.nLunarCount > 0) {
    FormatCount(summary.nLunarCount, text);
    dc.SetTextColor(kRed);
    dc.DrawText(text, -1, &countRect, DT_SINGLELINE | DT_RIGHT | DT_TOP);
  }
  dc.SelectObject(oldFont);

  // A day the lunar table does not cover has no lunar date to show; a solar term's name takes the
  // place of its day's lunar date.
  const bool term = marks && !marks->term.empty();
  if (m_bLunarView && (term || cell.wLunarMonth != 0)) {
    if (term) lstrcpyW(text, marks->term.c_str());
    else wsprintfW(text, cell.wLunarLeap == 1 ? u"%02d/%02d*" : u"%02d/%02d", cell.wLunarMonth, cell.wLunarDay);
    oldFont = dc.SelectObject(&m_fontLunar);
    RECT lunarRect{rect.left, rect.top, rect.right, rect.bottom + 2};
    dc.SetTextColor(kLunarText);
    dc.DrawText(text, -1, &lunarRect, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    dc.SelectObject(oldFont);
  }
}
