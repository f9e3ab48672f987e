#include "host/watermark.h"

#include "host/today_ids.h"

namespace {

HBITMAP g_hWatermark = nullptr;
bool g_bTriedLoad = false;

HBITMAP Watermark() {
  if (!g_bTriedLoad) {
    g_bTriedLoad = true;
    g_hWatermark = (HBITMAP)LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WATERMARK), IMAGE_BITMAP, 0, 0, 0);
  }
  return g_hWatermark;
}

}  // namespace

void DrawWatermark(HWND today, HDC dc, const RECT& rect, HWND window) {
  // White under the picture, should the screen be larger than the picture.
  FillRect(dc, &rect, (HBRUSH)GetStockObject(WHITE_BRUSH));
  HBITMAP picture = Watermark();
  if (picture == nullptr) return;
  // The picture is fixed to the Today screen: an item shows the part of it that lies under it.
  POINT origin = {0, 0};
  if (window != nullptr && window != today) {
    ClientToScreen(window, &origin);
    ScreenToClient(today, &origin);
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, rect.left + origin.x,
         rect.top + origin.y, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void ReleaseWatermark() {
  if (g_hWatermark != nullptr) DeleteObject(g_hWatermark);
  g_hWatermark = nullptr;
  g_bTriedLoad = false;
}
