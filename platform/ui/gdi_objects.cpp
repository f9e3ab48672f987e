// GDI objects: brushes, pens, the stock objects, selecting into DCs and deleting.
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/ui/gdi_internal.h"

namespace {

// Every live object by handle, so that a stale or foreign handle is refused instead of trusted.
// Never destroyed: objects may be deleted by other static destructors at exit.
std::unordered_map<const HGDIOBJ__*, KpGdiKind>& Registry() {
  static auto* registry = new std::unordered_map<const HGDIOBJ__*, KpGdiKind>;
  return *registry;
}

bool IsKind(HGDIOBJ object, KpGdiKind kind) {
  if (!object) return false;
  auto it = Registry().find(object);
  return it != Registry().end() && it->second == kind;
}

KpBrush* MakeBrush(COLORREF colour, bool hollow, bool stock) {
  auto* brush = new KpBrush;
  brush->colour = colour & 0xFFFFFF;
  brush->hollow = hollow;
  brush->stock = stock;
  KpRegisterObject(brush, KpGdiKind::Brush);
  return brush;
}

KpPen* MakePen(int style, int width, COLORREF colour, bool stock) {
  auto* pen = new KpPen;
  pen->style = style;
  pen->width = width < 1 ? 1 : width;  // width 0 means one pixel, as the platform has it
  pen->colour = colour & 0xFFFFFF;
  pen->stock = stock;
  KpRegisterObject(pen, KpGdiKind::Pen);
  return pen;
}

// The stock bitmap of a fresh memory DC: one black pixel, as the platform's 1 x 1 default.
KpBitmap* StockBitmap() {
  static KpBitmap* bitmap = [] {
    auto* b = new KpBitmap;
    b->image = QImage(1, 1, QImage::Format_RGB32);
    b->image.fill(Qt::black);
    b->stock = true;
    KpRegisterObject(b, KpGdiKind::Bitmap);
    return b;
  }();
  return bitmap;
}

}  // namespace

void KpRegisterObject(HGDIOBJ object, KpGdiKind kind) { Registry()[object] = kind; }

KpFont* KpAsFont(HGDIOBJ o) { return IsKind(o, KpGdiKind::Font) ? static_cast<KpFont*>(static_cast<HFONT>(o)) : nullptr; }
KpBrush* KpAsBrush(HGDIOBJ o) { return IsKind(o, KpGdiKind::Brush) ? static_cast<KpBrush*>(static_cast<HBRUSH>(o)) : nullptr; }
KpPen* KpAsPen(HGDIOBJ o) { return IsKind(o, KpGdiKind::Pen) ? static_cast<KpPen*>(static_cast<HPEN>(o)) : nullptr; }
KpBitmap* KpAsBitmap(HGDIOBJ o) {
  return IsKind(o, KpGdiKind::Bitmap) ? static_cast<KpBitmap*>(static_cast<HBITMAP>(o)) : nullptr;
}

KpBrush* KpMakePermanentBrush(COLORREF colour) { return MakeBrush(colour, false, true); }

KpBrush* KpStockBrush(int index) {
  static KpBrush* brushes[] = {
      MakeBrush(RGB(255, 255, 255), false, true), MakeBrush(RGB(192, 192, 192), false, true),
      MakeBrush(RGB(128, 128, 128), false, true), MakeBrush(RGB(64, 64, 64), false, true),
      MakeBrush(RGB(0, 0, 0), false, true),       MakeBrush(0, true, true)};
  return index >= WHITE_BRUSH && index <= NULL_BRUSH ? brushes[index] : nullptr;
}

KpPen* KpStockPen(int index) {
  static KpPen* pens[] = {MakePen(PS_SOLID, 1, RGB(255, 255, 255), true), MakePen(PS_SOLID, 1, 0, true),
                          MakePen(PS_NULL, 1, 0, true)};
  return index >= WHITE_PEN && index <= NULL_PEN ? pens[index - WHITE_PEN] : nullptr;
}

KpFont* KpStockFont() {
  static KpFont* font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const char16_t face[] = u"NanumGothic";
    std::memcpy(lf.lfFaceName, face, sizeof face);
    return KpMakeFont(lf, true);
  }();
  return font;
}

HFONT KpSystemFont() { return KpStockFont(); }

HGDIOBJ GetStockObject(int index) {
  if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) return KpStockFont();
  if (KpBrush* brush = KpStockBrush(index)) return brush;
  if (index >= WHITE_PEN && index <= NULL_PEN) return KpStockPen(index);
  return nullptr;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return MakeBrush(colour, false, false); }

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (style != PS_SOLID && style != PS_DASH && style != PS_NULL) return nullptr;
  return MakePen(style, width, colour, false);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!KpValidDC(dc)) return nullptr;
  if (KpFont* font = KpAsFont(object)) {
    KpFont* old = dc->font;
    old->selected--;
    font->selected++;
    dc->font = font;
    return old;
  }
  if (KpBrush* brush = KpAsBrush(object)) {
    KpBrush* old = dc->brush;
    old->selected--;
    brush->selected++;
    dc->brush = brush;
    return old;
  }
  if (KpPen* pen = KpAsPen(object)) {
    KpPen* old = dc->pen;
    old->selected--;
    pen->selected++;
    dc->pen = pen;
    return old;
  }
  if (KpBitmap* bitmap = KpAsBitmap(object)) {
    // Only memory DCs take bitmaps, and a bitmap is in one DC at a time (the stock one excepted).
    if (!dc->memory) return nullptr;
    if (bitmap == dc->bitmap) return bitmap;
    if (bitmap->selectedInto && !bitmap->stock) return nullptr;
    KpBitmap* old = dc->bitmap;
    old->selectedInto = nullptr;
    bitmap->selectedInto = bitmap->stock ? nullptr : dc;
    dc->bitmap = bitmap;
    KpRetargetDC(dc, &bitmap->image);
    return old;
  }
  return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!object) return FALSE;
  auto it = Registry().find(object);
  if (it == Registry().end()) return FALSE;
  // Stock objects outlive every caller; deleting one does nothing, as on the platform. An object
  // still selected into a DC stays alive (FALSE): the DC would otherwise draw with freed memory.
  switch (it->second) {
    case KpGdiKind::Font: {
      auto* f = KpAsFont(object);
      if (f->stock) return TRUE;
      if (f->selected > 0) return FALSE;
      Registry().erase(it);
      delete f;
      return TRUE;
    }
    case KpGdiKind::Brush: {
      auto* b = KpAsBrush(object);
      if (b->stock) return TRUE;
      if (b->selected > 0) return FALSE;
      Registry().erase(it);
      delete b;
      return TRUE;
    }
    case KpGdiKind::Pen: {
      auto* p = KpAsPen(object);
      if (p->stock) return TRUE;
      if (p->selected > 0) return FALSE;
      Registry().erase(it);
      delete p;
      return TRUE;
    }
    case KpGdiKind::Bitmap: {
      auto* b = KpAsBitmap(object);
      if (b->stock) return TRUE;
      if (b->selectedInto) return FALSE;
      Registry().erase(it);
      delete b;
      return TRUE;
    }
  }
  return FALSE;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID out) {
  if (KpFont* font = KpAsFont(object)) {
    if (!out) return sizeof(LOGFONTW);
    if (size < static_cast<int>(sizeof(LOGFONTW))) return 0;
    std::memcpy(out, &font->logFont, sizeof(LOGFONTW));
    return sizeof(LOGFONTW);
  }
  if (KpBitmap* bitmap = KpAsBitmap(object)) {
    if (!out) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    // In DC pixels: a bitmap made for a denser window holds more pixels than it measures.
    const QSizeF size = bitmap->image.deviceIndependentSize();
    bm.bmWidth = static_cast<LONG>(std::lround(size.width()));
    bm.bmHeight = static_cast<LONG>(std::lround(size.height()));
    bm.bmWidthBytes = static_cast<LONG>(bitmap->image.bytesPerLine());
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    bm.bmBits = bitmap->dibBits.get();  // only DIB sections expose their pixels
    std::memcpy(out, &bm, sizeof bm);
    return sizeof bm;
  }
  return 0;
}

KpBitmap* KpStockBitmapForMemoryDC() { return StockBitmap(); }
