#include "host/today_window.h"

#include <cstdlib>
#include <cstring>

#include "aygshell.h"
#include "host/today_ids.h"
#include "host/today_items.h"
#include "host/watermark.h"

namespace {

const WCHAR kClassName[] = u"DesktopExplorerWindow";
const WCHAR* const kWeekdays[7] = {u"일요일", u"월요일", u"화요일", u"수요일", u"목요일", u"금요일", u"토요일"};
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr int kDateLineHeight = 24;
constexpr UINT_PTR IDT_REFRESH = 1;

HWND g_hToday = nullptr;
HANDLE g_hReadyEvent = nullptr;
std::vector<std::unique_ptr<TodayItem>> g_items;
SYSTEMTIME g_shownDate;

// How often the items are asked whether they must be redrawn: every 2 seconds, as the shell does;
// KALMENO_TODAY_REFRESH_MS shortens it for tests.
UINT RefreshPeriod() {
  const char* text = std::getenv("KALMENO_TODAY_REFRESH_MS");
  int period = text != nullptr ? std::atoi(text) : 0;
  return period > 0 ? (UINT)period : 2000;
}

int ClientWidth() {
  RECT rc;
  GetClientRect(g_hToday, &rc);
  return rc.right;
}

void PaintDateLine(HDC dc) {
  GetLocalTime(&g_shownDate);
  WCHAR line[100];
  wsprintfW(line, u"%d년 %d월 %d일 %s", g_shownDate.wYear, g_shownDate.wMonth, g_shownDate.wDay,
            kWeekdays[g_shownDate.wDayOfWeek % 7]);
  LOGFONTW font;
  std::memset(&font, 0, sizeof(font));
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
  font.lfWeight = FW_BOLD;
  font.lfHeight = -13;
  HFONT bold = CreateFontIndirectW(&font);
  HGDIOBJ previous = SelectObject(dc, bold);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  RECT rc = {6, 0, ClientWidth(), kDateLineHeight};
  DrawTextW(dc, line, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  SelectObject(dc, previous);
  DeleteObject(bold);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(150, 170, 200));
  previous = SelectObject(dc, pen);
  MoveToEx(dc, 4, kDateLineHeight - 1, nullptr);
  LineTo(dc, ClientWidth() - 4, kDateLineHeight - 1);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// An item that could not be loaded keeps its place with a line saying so.
void PaintProblemLines(HDC dc) {
  SetTextColor(dc, RGB(160, 0, 0));
  for (auto& item : g_items) {
    if (item->record.hwndCustom != nullptr) continue;
    RECT rc = {6, item->nTop, ClientWidth(), item->nTop + item->nHeight};
    DrawTextW(dc, item->szProblem, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PaintDateLine(dc);
  PaintProblemLines(dc);
  EndPaint(window, &paint);
}

void Refresh() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wDay != g_shownDate.wDay || now.wMonth != g_shownDate.wMonth || now.wYear != g_shownDate.wYear) {
    RECT dateLine = {0, 0, ClientWidth(), kDateLineHeight};
    InvalidateRect(g_hToday, &dateLine, TRUE);
  }
  if (RefreshTodayItems(g_items)) {
    LayOutTodayItems(g_items, kDateLineHeight, ClientWidth());
    InvalidateRect(g_hToday, nullptr, TRUE);
  }
}

LRESULT TodayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(window, &rc);
      DrawWatermark(window, (HDC)wParam, rc, window);
      return 1;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      if (wParam == IDT_REFRESH) Refresh();
      return 0;
    case TODAYM_GETCOLOR:
      return wParam == TODAYCOLOR_TEXT ? kTextColour : RGB(0, 84, 227);
    case TODAYM_DRAWWATERMARK: {
      auto* info = (TODAYDRAWWATERMARKINFO*)lParam;
      if (info == nullptr) return FALSE;
      DrawWatermark(window, info->hdc, info->rc, info->hwnd);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_OPTIONS) {
        ShowItemOptions(g_items, window);
        Refresh();
      } else if (LOWORD(wParam) == IDM_EXIT || LOWORD(wParam) == IDOK) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      KillTimer(window, IDT_REFRESH);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateTodayScreen() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = TodayWndProc;
  windowClass.hInstance = module;
  windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  WCHAR title[32];
  LoadStringW(module, IDS_TODAY_TITLE, title, 32);
  g_hToday = CreateWindowExW(0, kClassName, title, WS_VISIBLE | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, module, nullptr);
  if (g_hToday == nullptr) return nullptr;
  SHMENUBARINFO menuBar = {};
  menuBar.cbSize = sizeof(menuBar);
  menuBar.hwndParent = g_hToday;
  menuBar.dwFlags = SHCMBF_HMENU;
  menuBar.nToolBarId = IDR_TODAY_MENU;
  menuBar.hInstRes = module;
  SHCreateMenuBar(&menuBar);

  g_items = LoadTodayItems(g_hToday);
  LayOutTodayItems(g_items, kDateLineHeight, ClientWidth());
  // The items wait for this event before they report their height.
  g_hReadyEvent = CreateEventW(nullptr, TRUE, FALSE, u"SYSTEM/ShellAPIReady");
  SetEvent(g_hReadyEvent);
  // The timer runs before the first refresh: a message box that an item shows in it must not
  // keep the screen from refreshing while it is open.
  SetTimer(g_hToday, IDT_REFRESH, RefreshPeriod(), nullptr);
  Refresh();
  InvalidateRect(g_hToday, nullptr, TRUE);
  return g_hToday;
}

void CloseTodayScreen() {
  UnloadTodayItems(g_items);
  ReleaseWatermark();
  if (g_hReadyEvent != nullptr) {
    ResetEvent(g_hReadyEvent);
    CloseHandle(g_hReadyEvent);
  }
  g_hReadyEvent = nullptr;
}
