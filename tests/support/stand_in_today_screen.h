#pragma once
// The part of the Today screen that a Today item talks to, for running the plug-in in a test, a
// benchmark or a fuzz check: the text colour (0x102030, so that a test can tell it from the
// default black) and a white picture under the items.
#include "todaycmn.h"
#include "windows.h"

inline LRESULT StandInTodayScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TODAYM_GETCOLOR) return wParam == TODAYCOLOR_TEXT ? RGB(0x10, 0x20, 0x30) : 0;
  if (message == TODAYM_DRAWWATERMARK) {
    auto* info = (TODAYDRAWWATERMARKINFO*)lParam;
    FillRect(info->hdc, &info->rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
