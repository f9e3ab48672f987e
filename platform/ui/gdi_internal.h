#pragma once
// Private to the drawing half: what device contexts and GDI objects are made of. The API files
// (gdi_*.cpp) share these; nothing outside platform/ui sees them.
#include <QFont>
#include <QHash>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QStaticText>
#include <memory>
#include <vector>

#include "platform/ui/kp_ui_internal.h"

enum class KpGdiKind { Font, Brush, Pen, Bitmap };

struct KpFont : HFONT__ {
  LOGFONTW logFont{};
  QFont qfont;
  QFontMetrics metrics{QFont()};
  int ascent = 0, descent = 0, height = 0, averageWidth = 0, maxWidth = 0;
  int selected = 0;  // how many DCs hold it; such a font cannot be deleted
  bool stock = false;
  // Widths of texts measured before: a repaint measures the same labels again and again, and
  // shaping is the dearest part of measuring.
  QHash<QString, int> widths;
  int WidthOf(const QString& text);
  // Texts laid out before, ready to draw without shaping again; they draw the same pixels as a
  // fresh layout. Their top edge lies staticAscent above the baseline.
  QHash<QString, QStaticText> texts;
  qreal staticAscent = 0;
  const QStaticText& Prepared(const QString& text);
};

struct KpBrush : HBRUSH__ {
  COLORREF colour = 0;
  bool hollow = false;
  int selected = 0;
  bool stock = false;
};

struct KpPen : HPEN__ {
  int style = PS_SOLID;
  int width = 1;
  COLORREF colour = 0;
  int selected = 0;
  bool stock = false;
};

// A bitmap owns its pixels. A DIB section's pixels live in `dibBits` (the pointer handed to the
// caller stays valid for the bitmap's life); `image` is a view over them.
struct KpBitmap : HBITMAP__ {
  QImage image;
  std::unique_ptr<uint32_t[]> dibBits;
  HDC selectedInto = nullptr;  // a bitmap lives in at most one memory DC at a time
  bool stock = false;
};

// A DC's coordinates are the screen's pixels; its target may hold more pixels than that (a window
// buffer on a high-density screen has devicePixelRatio() device pixels per screen pixel). Fills,
// lines and transfers work on the target's own pixels; QPainter-based drawing (text) is given the
// screen's coordinates and renders at the target's full resolution.
struct HDC__ {
  QImage* target = nullptr;
  QPoint origin;               // where the DC's (0,0) lies in the target, in screen pixels
  QRegion clip;                // in DC coordinates
  HWND window = nullptr;       // for trace lines
  bool memory = false;         // made by CreateCompatibleDC: takes bitmaps
  KpBitmap* bitmap = nullptr;  // memory DC: the selected bitmap
  KpFont* font = nullptr;
  KpBrush* brush = nullptr;
  KpPen* pen = nullptr;
  COLORREF textColour = 0x000000;
  COLORREF backColour = 0xFFFFFF;
  int backMode = OPAQUE;
  QPoint position;             // MoveToEx / LineTo
  std::vector<QRect> clipRects;  // clip in the target's own pixels, inside the target
  QSize targetSize;              // the target's size when clipRects were computed
  qreal scale = 1;               // the target's device pixels per DC pixel
};

// ---- Objects (gdi_objects.cpp) ----
void KpRegisterObject(HGDIOBJ object, KpGdiKind kind);
KpFont* KpAsFont(HGDIOBJ object);
KpBrush* KpAsBrush(HGDIOBJ object);
KpPen* KpAsPen(HGDIOBJ object);
KpBitmap* KpAsBitmap(HGDIOBJ object);
KpFont* KpStockFont();
KpBrush* KpStockBrush(int index);
KpPen* KpStockPen(int index);
// A brush that is never deleted (system colour brushes).
KpBrush* KpMakePermanentBrush(COLORREF colour);
KpBitmap* KpStockBitmapForMemoryDC();

// ---- Fonts (gdi_fonts.cpp) ----
KpFont* KpMakeFont(const LOGFONTW& logFont, bool stock);
// A QGuiApplication must exist before the first QFont; the window manager makes it.
void KpEnsureGuiApplication();

// ---- Device contexts (gdi_dc.cpp) ----
bool KpValidDC(HDC dc);
// Begins `painter` on the DC's target with the origin and the clip applied; false without a
// target. A painter lives only for the call that draws with it: none stays open on an image
// between calls, so the image's owner may read, copy, resize or replace it at any time.
bool KpBeginPainter(HDC dc, QPainter& painter);
// Recomputes the clip when the window manager has resized the target since the last call.
void KpSyncTarget(HDC dc);
// Points a DC at a new target (a bitmap selected into a memory DC).
void KpRetargetDC(HDC dc, QImage* target);

// ---- Images (gdi_images.cpp) ----
// Draws a 32-bit image at (x, y) in DC coordinates: source-over when it has alpha (premultiplied).
// It covers `size` DC pixels (the image's own size when empty); on a target with more pixels the
// image is scaled smoothly to them.
void KpDrawImage(HDC dc, int x, int y, const QImage& image, QSize size = QSize());

// ---- Pixels (gdi_lines.cpp) ----
inline QRgb KpToRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF KpToColorRef(QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); }
// Fills a rectangle in DC coordinates (right and bottom excluded) inside the DC's clip.
void KpFillDCRect(HDC dc, const QRect& rect, QRgb colour);
// The target pixels that a rectangle of DC coordinates covers.
inline QRect KpTargetRect(HDC dc, const QRect& rect) {
  KpSyncTarget(dc);
  return KpDeviceRect(rect.translated(dc->origin), dc->scale);
}
// Calls `span(row, xFrom, xTo, pixels)` for every run of target pixels of a rectangle of target
// pixels that lies inside the clip (xTo excluded, target coordinates).
template <typename Span>
void KpForEachTargetSpan(HDC dc, const QRect& r, Span&& span) {
  for (const QRect& c : dc->clipRects) {
    QRect part = r & c;
    if (part.isEmpty()) continue;
    for (int y = part.top(); y <= part.bottom(); ++y)
      span(y, part.left(), part.right() + 1, reinterpret_cast<QRgb*>(dc->target->scanLine(y)));
  }
}
// The same for a rectangle in DC coordinates.
template <typename Span>
void KpForEachSpan(HDC dc, const QRect& rect, Span&& span) {
  if (!dc->target) return;
  KpForEachTargetSpan(dc, KpTargetRect(dc, rect), span);
}
