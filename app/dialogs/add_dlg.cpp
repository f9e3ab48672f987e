// The add-schedule dialog. It lays itself out in pixels for the 240 x 268 work area; the
// template's dialog-unit positions are only where the controls start.
#include "app/dialogs/add_dlg.h"

#include <algorithm>
#include <iterator>

#include "app/dialogs/dialog_font.h"
#include "app/resource_ids.h"

namespace {

// Where each control sits, in client pixels (left, top, right, bottom).
struct ControlPlace {
  int id;
  RECT rect;
};
constexpr ControlPlace kPlaces[] = {
    {IDC_TITLE, {58, 13, 220, 30}},          {IDC_DATE, {21, 42, 140, 60}},
    {IDC_CALENDAR_KIND, {150, 41, 220, 60}}, {IDC_TIME, {120, 71, 220, 90}},
    {IDC_HOLIDAY, {120, 100, 135, 115}},     {IDC_YEARLY, {40, 100, 55, 115}},
    {IDC_MEMO, {20, 125, 220, 160}},         {IDOK, {20, 170, 115, 192}},
    {IDCANCEL, {125, 170, 220, 192}},
};

// Copies a control's text into a fixed field of `units` UTF-16 units (text and terminator).
// Longer text is cut, as the notice on screen tells; a cut never leaves half of a surrogate
// pair, which would not be a character at all.
void ReadFieldText(CWnd* dialog, int id, WCHAR* field, int units) {
  ::GetDlgItemTextW(dialog->m_hWnd, id, field, units);
  const int last = units - 2;
  if (field[last] >= 0xD800 && field[last] <= 0xDBFF) field[last] = 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CAddDlg, CDialog)

BEGIN_MESSAGE_MAP(CAddDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_COMMAND(IDOK, &CAddDlg::OnOK)
END_MESSAGE_MAP()

CAddDlg::CAddDlg(CWnd* parent) : CDialog(IDD_ADD, parent) {}

CAddDlg::~CAddDlg() = default;

void CAddDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CALENDAR_KIND, m_cbKind);
  DDX_Control(dx, IDC_DATE, m_dtDate);
  DDX_Control(dx, IDC_TIME, m_dtTime);
  DDX_Check(dx, IDC_YEARLY, m_bYearly);
  DDX_Check(dx, IDC_HOLIDAY, m_bHoliday);
}

BOOL CAddDlg::OnInitDialog() {
  ScheduleEntry edited{};
  if (IsEditing()) {
    edited = m_pStore->GetAt(m_nEditIndex);
    m_bYearly = (edited.wFlags & SCHEDULE_YEARLY) ? 1 : 0;
    m_bHoliday = (edited.wFlags & SCHEDULE_HOLIDAY) ? 1 : 0;
  }
  CDialog::OnInitDialog();

  CreateDialogFont(m_font, 12);
  SetFont(&m_font, TRUE);
  // The check boxes keep the default font: their own captions are hidden anyway.
  for (int id : {IDC_TITLE, IDC_DATE, IDC_TIME, IDC_CALENDAR_KIND, IDC_MEMO, IDOK, IDCANCEL})
    if (CWnd* control = GetDlgItem(id)) control->SetFont(&m_font, TRUE);

  m_cbKind.ResetContent();
  m_cbKind.AddString(u"양력");
  m_cbKind.AddString(u"음력");
  m_cbKind.SetCurSel(0);

  SetDlgItemText(IDOK, IsEditing() ? u"일정수정" : u"일정추가");
  SetDlgItemText(IDCANCEL, u"취소");
  if (IsEditing()) {
    SetWindowText(u"일정 수정");
    FillFromEntry(edited);
  }

  CRect client;
  GetClientRect(&client);
  CPoint origin = client.TopLeft();
  ClientToScreen(&origin);
  MoveWindow(origin.x, origin.y, 240, 268, TRUE);
  // The pickers start on the platform's current date and time; the month view's selected day is
  // deliberately not used.
  return TRUE;
}

void CAddDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  for (const ControlPlace& place : kPlaces)
    if (CWnd* control = GetDlgItem(place.id)) control->MoveWindow(&place.rect, TRUE);
}

void CAddDlg::OnPaint() {
  CPaintDC dc(this);

  // White at the left edge fading to the button face at the right.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  TRIVERTEX vertices[2] = {
      {0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0},
      {240, 268, COLOR16(GetRValue(face) * 255), COLOR16(GetGValue(face) * 255), COLOR16(GetBValue(face) * 255), 0},
  };
  GRADIENT_RECT mesh = {0, 1};
  ::GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H);

  CFont* oldFont = dc.SelectObject(&m_font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  CRect title(20, 15, 50, 30), yearly(60, 100, 110, 115), holiday(140, 100, 220, 115);
  dc.DrawText(u"제목 :", -1, &title, DT_LEFT | DT_TOP);
  dc.DrawText(u"매년 반복", -1, &yearly, DT_LEFT | DT_TOP);
  dc.DrawText(u"휴일로 지정", -1, &holiday, DT_LEFT | DT_TOP);
  CRect client;
  GetClientRect(&client);
  CRect notice(20, 202, 220, client.bottom);
  dc.DrawText(u"※ 제목은 10자, 메모는 30자까지만 저장됩니다.", -1, &notice, DT_LEFT | DT_TOP | DT_WORDBREAK);
  dc.SelectObject(oldFont);

  // Frames around the two pickers, with the default one-pixel black pen.
  const POINT dateFrame[] = {{20, 41}, {20, 60}, {140, 60}, {140, 41}, {20, 41}};
  const POINT timeFrame[] = {{119, 70}, {119, 90}, {220, 90}, {220, 70}, {119, 70}};
  dc.Polyline(dateFrame, 5);
  dc.Polyline(timeFrame, 5);
}

void CAddDlg::FillFromEntry(const ScheduleEntry& entry) {
  SetDlgItemText(IDC_TITLE, ScheduleTitleText(entry).c_str());
  SetDlgItemText(IDC_MEMO, ScheduleMemoText(entry).c_str());
  m_cbKind.SetCurSel((entry.wFlags & SCHEDULE_LUNAR) ? 1 : 0);
  SYSTEMTIME date{}, time{};
  m_dtDate.GetTime(&date);
  m_dtTime.GetTime(&time);
  date.wYear = entry.wYear;
  date.wMonth = entry.wMonth;
  date.wDay = entry.wDay;
  time.wHour = entry.wHour;
  time.wMinute = entry.wMinute;
  time.wSecond = entry.wSecond;
  // A lunar 30th of February, say, is no date the picker can show.
  m_bDateShown = m_dtDate.SetTime(&date) != FALSE;
  m_bTimeShown = m_dtTime.SetTime(&time) != FALSE;
  m_dtDate.GetTime(&m_initialDate);
  m_dtTime.GetTime(&m_initialTime);
}

ScheduleEntry CAddDlg::EntryFromControls(const ScheduleEntry& base) {
  ScheduleEntry entry = base;
  std::fill(std::begin(entry.szTitle), std::end(entry.szTitle), 0);
  std::fill(std::begin(entry.szMemo), std::end(entry.szMemo), 0);
  ReadFieldText(this, IDC_TITLE, entry.szTitle, SCHEDULE_TITLE_UNITS);
  ReadFieldText(this, IDC_MEMO, entry.szMemo, SCHEDULE_MEMO_UNITS);

  SYSTEMTIME date{}, time{};
  m_dtDate.GetTime(&date);
  m_dtTime.GetTime(&time);
  const bool sameDate = date.wYear == m_initialDate.wYear && date.wMonth == m_initialDate.wMonth &&
                        date.wDay == m_initialDate.wDay;
  const bool sameTime = time.wHour == m_initialTime.wHour && time.wMinute == m_initialTime.wMinute &&
                        time.wSecond == m_initialTime.wSecond;
  if (m_bDateShown || !sameDate) {
    entry.wYear = date.wYear;
    entry.wMonth = date.wMonth;
    entry.wDay = date.wDay;
  }
  if (m_bTimeShown || !sameTime) {
    entry.wHour = time.wHour;
    entry.wMinute = time.wMinute;
    entry.wSecond = time.wSecond;
  }
  // With "음력" the picker's year, month and day are stored as a lunar date. Flag bits this
  // dialog does not show stay as they were.
  entry.wFlags &= static_cast<WORD>(~(SCHEDULE_LUNAR | SCHEDULE_YEARLY | SCHEDULE_HOLIDAY));
  if (m_cbKind.GetCurSel() == 1) entry.wFlags |= SCHEDULE_LUNAR;
  if (m_bYearly) entry.wFlags |= SCHEDULE_YEARLY;
  if (m_bHoliday) entry.wFlags |= SCHEDULE_HOLIDAY;
  return entry;
}

void CAddDlg::OnOK() {
  UpdateData(TRUE);

  ScheduleEntry base{};
  if (IsEditing()) base = m_pStore->GetAt(m_nEditIndex);
  const ScheduleEntry entry = EntryFromControls(base);
  // Only an empty title is refused; a title of spaces is a title.
  if (entry.szTitle[0] == 0) {
    MessageBox(u"제목을 입력하세요.", AfxGetAppName(), MB_OK);
    return;
  }

  if (IsEditing()) {
    m_pStore->SetAt(m_nEditIndex, entry);
    MessageBox(u"일정을 수정했습니다.", AfxGetAppName(), MB_OK);
  } else {
    m_pStore->Add(entry);
    MessageBox(u"일정을 추가했습니다.", AfxGetAppName(), MB_OK);
  }
  CDialog::OnOK();
}
