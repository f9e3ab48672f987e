// The options dialog (dialog 500), run by the shell with CustomItemOptionsDlgProc. It edits the
// in-memory settings that the item reads at its next paint and refresh query.
#include <cstring>

#include "aygshell.h"
#include "today/exports.h"
#include "today/coming_marks.h"
#include "today/load_entries.h"
#include "today/resource_ids.h"
#include "today/today_settings.h"
#include "today/today_state.h"

namespace {

void SetOptionsFont(HWND dialog, int id) {
  SendDlgItemMessageW(dialog, id, WM_SETFONT, (WPARAM)g_hOptionsFont, TRUE);
}

void FillCombo(HWND dialog, int id, const WCHAR* const* texts, int count) {
  SetOptionsFont(dialog, id);
  for (int i = 0; i < count; ++i) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, (LPARAM)texts[i]);
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0);
}

// One line per entry of the data file, in file order, with the date as stored (a lunar entry
// shows its lunar date, marked "음" so that it is not read as a solar one).
void FillDdayEntries(HWND dialog) {
  SetOptionsFont(dialog, IDC_DDAY_ENTRY);
  std::vector<ScheduleEntry> entries;
  // Opening the dialog is the user's own step: a missing file is explained here again even if a
  // refresh query has already said so.
  ForgetReportedLoadFailure();
  LoadEntries(entries);
  for (const ScheduleEntry& entry : entries) {
    WCHAR title[11];
    lstrcpynW(title, entry.szTitle, 11);
    WCHAR line[100];
    wsprintfW(line, u"%s%04d/%02d/%02d %s", (entry.wFlags & SCHEDULE_LUNAR) ? u"음 " : u"", entry.wYear, entry.wMonth,
              entry.wDay, title);
    SendDlgItemMessageW(dialog, IDC_DDAY_ENTRY, CB_ADDSTRING, 0, (LPARAM)line);
  }
  SendDlgItemMessageW(dialog, IDC_DDAY_ENTRY, CB_SETCURSEL, 0, 0);
}

BOOL InitDialog(HWND dialog) {
  SHINITDLGINFO shInit = {SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
  SHInitDialog(&shInit);

  LOGFONTW font;
  std::memset(&font, 0, sizeof(font));
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
  // The system font's height is given for 96 dpi.
  font.lfHeight = ScaleY(font.lfHeight);
  g_hOptionsFont = CreateFontIndirectW(&font);
  for (int id : {IDC_HEADING, IDC_LUNAR_LABEL, IDC_LIST_LABEL, IDC_REMINDER_LABEL, IDC_DDAY_LABEL, IDC_HOLIDAY_MARKS})
    SetOptionsFont(dialog, id);

  static const WCHAR* const kShowHide[] = {u"보이기", u"숨기기"};
  static const WCHAR* const kCounts[] = {u"1개", u"2개", u"3개", u"4개", u"5개"};
  static const WCHAR* const kUnits[] = {u"사용안함", u"분 전", u"시간 전", u"일 전"};
  FillCombo(dialog, IDC_LUNAR_LINE, kShowHide, 2);
  FillCombo(dialog, IDC_LIST_COUNT, kCounts, 5);
  FillCombo(dialog, IDC_REMINDER_UNIT, kUnits, 4);
  FillCombo(dialog, IDC_DDAY_LINE, kShowHide, 2);
  FillDdayEntries(dialog);

  ApplyDefaultSettings();
  SendDlgItemMessageW(dialog, IDC_LUNAR_LINE, CB_SETCURSEL, g_settings.nLunarLine, 0);
  SendDlgItemMessageW(dialog, IDC_LIST_COUNT, CB_SETCURSEL, g_settings.nListCount, 0);
  SendDlgItemMessageW(dialog, IDC_REMINDER_UNIT, CB_SETCURSEL, g_settings.nReminderUnit, 0);
  SendDlgItemMessageW(dialog, IDC_DDAY_LINE, CB_SETCURSEL, g_settings.nDdayLine, 0);
  SetDlgItemInt(dialog, IDC_REMINDER_VALUE, (UINT)g_settings.nReminderValue, TRUE);
  SendDlgItemMessageW(dialog, IDC_DDAY_ENTRY, CB_SETCURSEL, g_settings.nDdayEntry, 0);
  SendDlgItemMessageW(dialog, IDC_HOLIDAY_MARKS, BM_SETCHECK, g_bShowHolidayMarks ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(dialog, WM_SIZE, 0, 0);
  return TRUE;
}

// The controls' places in 96-dpi units, scaled to the screen like the item's own lengths.
void LayOut(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  struct Place { int id, left, top, width, height; };
  const Place places[] = {
      {IDC_HEADING, 0, 15, client.right, 20},  {IDC_LUNAR_LABEL, 10, 45, 120, 20},
      {IDC_LUNAR_LINE, 150, 45, 80, 20},       {IDC_LIST_LABEL, 10, 70, 120, 20},
      {IDC_LIST_COUNT, 150, 70, 80, 20},       {IDC_REMINDER_LABEL, 10, 95, 60, 20},
      {IDC_REMINDER_VALUE, 105, 95, 40, 20},   {IDC_REMINDER_UNIT, 150, 95, 80, 20},
      {IDC_DDAY_LABEL, 10, 120, 120, 20},      {IDC_DDAY_LINE, 150, 120, 80, 20},
      {IDC_DDAY_ENTRY, 30, 145, 200, 20},      {IDC_HOLIDAY_MARKS, 10, 170, 220, 20},
  };
  for (const Place& place : places) {
    HWND control = GetDlgItem(dialog, place.id);
    if (control == nullptr) continue;
    // The heading spans the dialog's client width, which is already in pixels.
    int width = place.id == IDC_HEADING ? place.width : ScaleX(place.width);
    MoveWindow(control, ScaleX(place.left), ScaleY(place.top), width, ScaleY(place.height), TRUE);
  }
}

INT SelectedIndex(HWND dialog, int id) { return (INT)SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0); }

void ApplyChoices(HWND dialog) {
  g_settings.nLunarLine = SelectedIndex(dialog, IDC_LUNAR_LINE);
  g_settings.nListCount = SelectedIndex(dialog, IDC_LIST_COUNT);
  g_settings.nReminderUnit = SelectedIndex(dialog, IDC_REMINDER_UNIT);
  g_settings.nDdayLine = SelectedIndex(dialog, IDC_DDAY_LINE);
  g_settings.nReminderValue = (INT)GetDlgItemInt(dialog, IDC_REMINDER_VALUE, nullptr, TRUE);
  g_settings.nDdayEntry = SelectedIndex(dialog, IDC_DDAY_ENTRY);
  g_settings.bConfirmed = 1;
  SaveShowHolidayMarks(SendDlgItemMessageW(dialog, IDC_HOLIDAY_MARKS, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

}  // namespace

KALMENOTP_EXPORT BOOL CustomItemOptionsDlgProc(HWND dialog, UINT message, UINT wParam, LONG lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitDialog(dialog);
    case WM_SIZE:
      LayOut(dialog);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK) return FALSE;
      ApplyChoices(dialog);
      EndDialog(dialog, 1);
      return TRUE;
    case WM_DESTROY:
      if (g_hOptionsFont != nullptr) DeleteObject(g_hOptionsFont);
      g_hOptionsFont = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}
