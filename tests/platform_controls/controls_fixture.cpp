// A small program with one of each control on a plain window, for end-to-end checks through the
// script and trace hooks. It writes a `fixture` trace line for every notification its controls
// send, so a test sees what a person's input did.
#include <cstdio>
#include <string>

#include "kp_platform.h"
#include "windows.h"

namespace {

enum ControlId {
  kLabel = 100, kTitle = 101, kMemo = 102, kKind = 103, kYearly = 104, kDate = 105, kTime = 106,
  kList = 107, kOk = 108, kNumber = 109
};

std::string TextOf(HWND control) {
  char16_t buffer[256] = {};
  GetWindowTextW(control, buffer, 256);
  std::string text = KpToUtf8(buffer);
  // Line breaks are written as the escapes \r and \n so that the trace line stays one line.
  std::string escaped;
  for (char c : text) escaped += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return escaped;
}

std::string TimeText(const SYSTEMTIME& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

void Trace(const std::string& what, const std::string& value) { KpTrace("fixture", what.c_str(), value.c_str()); }

LRESULT FixtureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lParam);
      int id = LOWORD(wParam);
      int code = HIWORD(wParam);
      if (code == EN_CHANGE) Trace("edit " + std::to_string(id), TextOf(control));
      else if (code == CBN_SELCHANGE) Trace("combo " + std::to_string(id), std::to_string(SendMessageW(control, CB_GETCURSEL, 0, 0)));
      else if (code == BN_CLICKED) Trace("button " + std::to_string(id), std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == DTN_DATETIMECHANGE) {
        Trace("date " + std::to_string(header->idFrom), TimeText(reinterpret_cast<NMDATETIMECHANGE*>(lParam)->st));
      } else if (header->code == LVN_ITEMCHANGED) {
        auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
        UINT state = change->uNewState;
        Trace("list " + std::to_string(change->iItem),
              "check=" + std::to_string((state & LVIS_STATEIMAGEMASK) >> 12) +
                  " selected=" + std::to_string((state & LVIS_SELECTED) ? 1 : 0));
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND Add(HWND parent, LPCWSTR className, DWORD style, int id, int x, int y, int width, int height, LPCWSTR text = u"") {
  return CreateWindowExW(0, className, text, style | WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void FillList(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  SendMessageW(list, LVM_SETCALLBACKMASK, LVIS_FOCUSED, 0);
  const struct { LPCWSTR text; int format; int width; } columns[] = {
      {u"제목", LVCFMT_LEFT, 100}, {u"날짜", LVCFMT_CENTER, 78}, {u"분류", LVCFMT_CENTER, 37}};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = columns[i].format;
    column.cx = columns[i].width;
    column.pszText = const_cast<LPWSTR>(columns[i].text);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  const LPCWSTR titles[] = {u"설날", u"생일", u"회의", u"여행", u"제사"};
  for (int i = 0; i < 5; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(titles[i]);
    item.lParam = i;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMW date{};
    date.iSubItem = 1;
    date.pszText = const_cast<LPWSTR>(u"2008/01/01");
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&date));
    LVITEMW kind{};
    kind.iSubItem = 2;
    kind.pszText = const_cast<LPWSTR>(i % 2 ? u"양력" : u"음력");
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&kind));
  }
}

}  // namespace

int main(int argc, char** argv) {
  KpInitialize(argc, argv);
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&init);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = FixtureProc;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = u"ControlsFixture";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, u"ControlsFixture", u"Controls", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  Add(window, u"STATIC", SS_LEFT, kLabel, 5, 6, 40, 16, u"제목 :");
  Add(window, u"EDIT", WS_BORDER | ES_AUTOHSCROLL, kTitle, 45, 4, 110, 20);
  Add(window, u"EDIT", WS_BORDER | ES_NUMBER | ES_CENTER, kNumber, 160, 4, 75, 20);
  Add(window, u"EDIT", WS_BORDER | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, kMemo, 5, 28, 230, 36);
  HWND kind = Add(window, u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kKind, 5, 68, 105, 20);
  SendMessageW(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"양력"));
  SendMessageW(kind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"음력"));
  SendMessageW(kind, CB_SETCURSEL, 0, 0);
  Add(window, u"BUTTON", BS_AUTOCHECKBOX, kYearly, 120, 68, 115, 20, u"매년 반복");
  Add(window, DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, kDate, 5, 92, 170, 20);
  Add(window, DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_RIGHTALIGN, kTime, 5, 116, 105, 20);
  Add(window, u"BUTTON", BS_DEFPUSHBUTTON, kOk, 120, 115, 115, 22, u"확인");
  FillList(Add(window, WC_LISTVIEWW, LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER, kList, 5, 142, 230, 120));
  // The system font's line height, from which a test works out where rows and items lie.
  HDC dc = GetDC(window);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
  Trace("line-height", std::to_string(metrics.tmHeight));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
