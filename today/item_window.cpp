#include "today/item_window.h"

#include "today/item_cache.h"
#include "today/reminders.h"
#include "today/today_settings.h"

namespace {

// The item never paints a background of its own: the Today screen draws its picture under it.
void EraseBackground(HWND window, HDC dc) {
  TODAYDRAWWATERMARKINFO info;
  info.hdc = dc;
  GetClientRect(window, &info.rc);
  info.hwnd = window;
  SendMessageW(GetParent(window), TODAYM_DRAWWATERMARK, 0, (LPARAM)&info);
}

}  // namespace

BOOL QueryRefreshCache(TODAYLISTITEM* item) {
  if (item == nullptr) return FALSE;
  // Until the shell says it is ready, the item has nothing to report.
  HANDLE ready = OpenEventW(SYNCHRONIZE, FALSE, u"SYSTEM/ShellAPIReady");
  if (ready != nullptr) {
    DWORD wait = WaitForSingleObject(ready, 0);
    CloseHandle(ready);
    if (wait == WAIT_TIMEOUT) return FALSE;
  }
  BOOL reply = FALSE;
  if (item->cyp == 0) {
    item->cyp = (DWORD)ScaleY(ItemHeightUnits());
    reply = TRUE;
  }
  bool rebuilt = RefreshItemCache();
  AnnounceDueReminders();
  return rebuilt ? TRUE : reply;
}

LRESULT TodayItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      RebuildItemCache();
      break;
    case WM_DESTROY:
      return 0;
    case WM_PAINT:
      PaintItem(window);
      return 0;
    case WM_ERASEBKGND:
      EraseBackground(window, (HDC)wParam);
      return 1;
    case WM_TIMER:
      StepMoonAnimation(window);
      break;
    case WM_LBUTTONUP:
      if (HandleTap(window, LOWORD(lParam), HIWORD(lParam)) == -1) return -1;
      break;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
      return QueryRefreshCache((TODAYLISTITEM*)wParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
