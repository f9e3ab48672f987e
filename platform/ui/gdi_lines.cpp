// Lines, rectangles and single pixels. One-pixel pens and fills are plotted directly, without
// antialiasing, so that every pixel is where the platform's rules put it: a line leaves out its
// last point, a rectangle leaves out its right column and bottom row.
#include <algorithm>
#include <cstdlib>

#include "platform/ui/gdi_internal.h"

namespace {

bool InClip(HDC dc, int tx, int ty) {
  KpSyncTarget(dc);
  for (const QRect& c : dc->clipRects)
    if (c.contains(tx, ty)) return true;
  return false;
}

// The target pixel at the top left of a DC pixel.
QPoint TargetPoint(HDC dc, int x, int y) {
  KpSyncTarget(dc);
  return QPoint(KpDevice(x + dc->origin.x(), dc->scale), KpDevice(y + dc->origin.y(), dc->scale));
}

// One DC pixel: one target pixel, or the block of them it covers on a denser target.
void PlotPixel(HDC dc, int x, int y, QRgb colour) {
  if (dc->scale != 1) return KpFillDCRect(dc, QRect(x, y, 1, 1), colour);
  const int tx = x + dc->origin.x(), ty = y + dc->origin.y();
  if (!InClip(dc, tx, ty)) return;
  reinterpret_cast<QRgb*>(dc->target->scanLine(ty))[tx] = colour;
}

// The platform's cosmetic dash: 18 pixels drawn, 6 left out.
bool DashOn(int step) { return step % 24 < 18; }

// Bresenham from (x0, y0) towards (x1, y1), leaving out (x1, y1) itself.
void PlotLine(HDC dc, int x0, int y0, int x1, int y1, const KpPen& pen) {
  const QRgb colour = KpToRgb(pen.colour);
  if (x0 == x1 && y0 == y1) return;
  if (pen.style == PS_SOLID && (y0 == y1 || x0 == x1)) {
    // Straight runs go through the span filler, which is much faster.
    QRect run;
    if (y0 == y1)
      run = x1 > x0 ? QRect(x0, y0, x1 - x0, 1) : QRect(x1 + 1, y0, x0 - x1, 1);
    else
      run = y1 > y0 ? QRect(x0, y0, 1, y1 - y0) : QRect(x0, y1 + 1, 1, y0 - y1);
    KpFillDCRect(dc, run, colour);
    return;
  }
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy, step = 0;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    if (pen.style != PS_DASH || DashOn(step)) PlotPixel(dc, x, y, colour);
    ++step;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
}

void DrawSegment(HDC dc, int x0, int y0, int x1, int y1) {
  const KpPen& pen = *dc->pen;
  if (pen.style == PS_NULL || !dc->target) return;
  KpSyncTarget(dc);
  // A slanted solid line on a denser target is drawn at its full resolution rather than as
  // blocks of the screen's pixels.
  const bool slanted = x0 != x1 && y0 != y1;
  if (pen.width <= 1 && !(slanted && pen.style == PS_SOLID && dc->scale != 1)) {
    PlotLine(dc, x0, y0, x1, y1, pen);
    return;
  }
  QPainter p;
  if (!KpBeginPainter(dc, p)) return;
  QPen qpen(QColor(KpToRgb(pen.colour)), pen.width, pen.style == PS_DASH ? Qt::DashLine : Qt::SolidLine,
            Qt::FlatCap, Qt::MiterJoin);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(qpen);
  p.drawLine(x0, y0, x1, y1);
}

QRect Normalized(int left, int top, int right, int bottom) {
  return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
               QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// (HBRUSH)(COLOR_xxx + 1) names a system colour, as window classes use for their background.
const KpBrush* BrushOf(HBRUSH handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value > 0 && value <= 32) return KpAsBrush(GetSysColorBrush(static_cast<int>(value) - 1));
  return KpAsBrush(handle);
}

void FillFrame(HDC dc, const QRect& r, int thickness, QRgb colour) {
  if (r.isEmpty()) return;
  const int t = std::min({thickness, (r.width() + 1) / 2, (r.height() + 1) / 2});
  KpFillDCRect(dc, QRect(r.left(), r.top(), r.width(), t), colour);
  KpFillDCRect(dc, QRect(r.left(), r.bottom() - t + 1, r.width(), t), colour);
  KpFillDCRect(dc, QRect(r.left(), r.top() + t, t, r.height() - 2 * t), colour);
  KpFillDCRect(dc, QRect(r.right() - t + 1, r.top() + t, t, r.height() - 2 * t), colour);
}

}  // namespace

void KpFillDCRect(HDC dc, const QRect& rect, QRgb colour) {
  KpForEachSpan(dc, rect, [colour](int, int from, int to, QRgb* row) { std::fill(row + from, row + to, colour); });
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  if (!KpValidDC(dc)) return FALSE;
  if (previous) *previous = POINT{dc->position.x(), dc->position.y()};
  dc->position = QPoint(x, y);
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  if (!KpValidDC(dc)) return FALSE;
  DrawSegment(dc, dc->position.x(), dc->position.y(), x, y);
  dc->position = QPoint(x, y);
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  if (!KpValidDC(dc) || !points || count < 2) return FALSE;
  for (int i = 1; i < count; ++i)
    DrawSegment(dc, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (!KpValidDC(dc)) return FALSE;
  QRect r = Normalized(left, top, right, bottom);
  const KpPen& pen = *dc->pen;
  if (pen.style == PS_NULL) {
    // Without an outline the platform fills one pixel less in each direction.
    r.setRight(r.right() - 1);
    r.setBottom(r.bottom() - 1);
    if (!dc->brush->hollow) KpFillDCRect(dc, r, KpToRgb(dc->brush->colour));
    return TRUE;
  }
  if (!dc->brush->hollow) KpFillDCRect(dc, r.adjusted(1, 1, -1, -1), KpToRgb(dc->brush->colour));
  if (pen.style == PS_DASH && pen.width <= 1) {
    const POINT ring[] = {{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.bottom()},
                          {r.left(), r.bottom()}, {r.left(), r.top()}};
    for (int i = 1; i < 5; ++i) DrawSegment(dc, ring[i - 1].x, ring[i - 1].y, ring[i].x, ring[i].y);
  } else {
    // Wider pens draw inside the rectangle, so its outer edge stays where it was asked for.
    FillFrame(dc, r, pen.width, KpToRgb(pen.colour));
  }
  return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const KpBrush* b = BrushOf(brush);
  if (!KpValidDC(dc) || !rect || !b) return 0;
  if (!b->hollow && rect->right > rect->left && rect->bottom > rect->top)
    KpFillDCRect(dc, QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top),
                 KpToRgb(b->colour));
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const KpBrush* b = BrushOf(brush);
  if (!KpValidDC(dc) || !rect || !b) return 0;
  if (!b->hollow && rect->right > rect->left && rect->bottom > rect->top)
    FillFrame(dc, QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top), 1,
              KpToRgb(b->colour));
  return 1;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (!KpValidDC(dc) || !dc->target) return 0xFFFFFFFFu;
  const QPoint t = TargetPoint(dc, x, y);
  if (!InClip(dc, t.x(), t.y())) return 0xFFFFFFFFu;
  return KpToColorRef(dc->target->pixel(t));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  if (!KpValidDC(dc) || !dc->target) return 0xFFFFFFFFu;
  const QPoint t = TargetPoint(dc, x, y);
  if (!InClip(dc, t.x(), t.y())) return 0xFFFFFFFFu;
  PlotPixel(dc, x, y, KpToRgb(colour));
  return colour & 0xFFFFFF;
}
