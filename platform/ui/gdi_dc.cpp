// Device contexts: over a window's buffer (made by the window manager), or in memory over a bitmap.
#include <cstdlib>
#include <cstdio>
#include <unordered_set>

#include "platform/ui/gdi_internal.h"

namespace {

// Never destroyed: DCs may be released by other static destructors at exit.
std::unordered_set<HDC>& LiveDCs() {
  static auto* dcs = new std::unordered_set<HDC>;
  return *dcs;
}

void ComputeClipRects(HDC dc) {
  dc->clipRects.clear();
  if (!dc->target || dc->target->isNull()) return;
  dc->targetSize = dc->target->size();
  dc->scale = dc->target->devicePixelRatio();
  const QRect bounds = dc->target->rect();
  if (dc->memory) {
    dc->clipRects.push_back(bounds);
    return;
  }
  for (const QRect& r : dc->clip.translated(dc->origin)) {
    QRect part = KpDeviceRect(r, dc->scale) & bounds;
    if (!part.isEmpty()) dc->clipRects.push_back(part);
  }
}

HDC NewDC() {
  auto* dc = new HDC__;
  dc->font = KpStockFont();
  dc->brush = KpStockBrush(WHITE_BRUSH);
  dc->pen = KpStockPen(BLACK_PEN);
  dc->font->selected++;
  dc->brush->selected++;
  dc->pen->selected++;
  LiveDCs().insert(dc);
  return dc;
}

void FreeDC(HDC dc) {
  dc->font->selected--;
  dc->brush->selected--;
  dc->pen->selected--;
  if (dc->bitmap) dc->bitmap->selectedInto = nullptr;
  LiveDCs().erase(dc);
  delete dc;
}

// "WxH" from KALMENO_SCREEN; the handheld's 240 x 320 when unset or unreadable.
QSize ScreenSize() {
  int w = 0, h = 0;
  const char* value = std::getenv("KALMENO_SCREEN");
  if (value && std::sscanf(value, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) return {w, h};
  return {240, 320};
}

}  // namespace

bool KpValidDC(HDC dc) { return dc && LiveDCs().count(dc) != 0; }

HDC KpCreateDC(QImage* target, const QPoint& origin, const QRegion& clip, HWND window) {
  KpEnsureGuiApplication();
  if (target && !target->isNull() && target->format() != QImage::Format_RGB32 &&
      target->format() != QImage::Format_ARGB32_Premultiplied && target->format() != QImage::Format_ARGB32)
    *target = target->convertToFormat(QImage::Format_RGB32);
  HDC dc = NewDC();
  dc->target = target;
  dc->origin = origin;
  dc->clip = clip;
  dc->window = window;
  ComputeClipRects(dc);
  return dc;
}

void KpDestroyDC(HDC dc) {
  if (KpValidDC(dc)) FreeDC(dc);
}

QImage* KpDCImage(HDC dc) {
  return KpValidDC(dc) ? dc->target : nullptr;
}

bool KpBeginPainter(HDC dc, QPainter& painter) {
  if (!dc->target || dc->target->isNull()) return false;
  KpSyncTarget(dc);
  if (!painter.begin(dc->target)) return false;
  painter.translate(dc->origin);
  if (!dc->memory) painter.setClipRegion(dc->clip);
  return true;
}

void KpSyncTarget(HDC dc) {
  if (dc->target && (dc->target->size() != dc->targetSize || dc->target->devicePixelRatio() != dc->scale))
    ComputeClipRects(dc);
}

void KpRetargetDC(HDC dc, QImage* target) {
  dc->target = target;
  ComputeClipRects(dc);
}

HDC CreateCompatibleDC(HDC) {
  KpEnsureGuiApplication();
  HDC dc = NewDC();
  dc->memory = true;
  dc->bitmap = KpStockBitmapForMemoryDC();
  dc->target = &dc->bitmap->image;
  ComputeClipRects(dc);
  return dc;
}

BOOL DeleteDC(HDC dc) {
  if (!KpValidDC(dc)) return FALSE;
  FreeDC(dc);
  return TRUE;
}

#define KP_CLR_INVALID 0xFFFFFFFFu

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  if (!KpValidDC(dc)) return KP_CLR_INVALID;
  COLORREF old = dc->textColour;
  dc->textColour = colour & 0xFFFFFF;
  return old;
}

COLORREF GetTextColor(HDC dc) { return KpValidDC(dc) ? dc->textColour : KP_CLR_INVALID; }

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  if (!KpValidDC(dc)) return KP_CLR_INVALID;
  COLORREF old = dc->backColour;
  dc->backColour = colour & 0xFFFFFF;
  return old;
}

int SetBkMode(HDC dc, int mode) {
  if (!KpValidDC(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = dc->backMode;
  dc->backMode = mode;
  return old;
}

int GetBkMode(HDC dc) { return KpValidDC(dc) ? dc->backMode : 0; }

int KpScreenDpi() {
  const char* value = std::getenv("KALMENO_DPI");
  int dpi = value ? std::atoi(value) : 0;
  return dpi >= 24 && dpi <= 960 ? dpi : 96;
}

int GetDeviceCaps(HDC, int index) {
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return KpScreenDpi();
    case HORZRES: return ScreenSize().width();
    case VERTRES: return ScreenSize().height();
    case BITSPIXEL: return 32;
  }
  return 0;
}
