// Invalidation and painting. Each window keeps its client pixels in its own buffer between
// paints: invalidating without erasing leaves the old pixels under the new drawing, exactly as
// the handheld does; with erasing, BeginPaint first sends WM_ERASEBKGND.
#include <QPainter>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

QRect ToQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QRect ClientRect(const Window* w) { return QRect(QPoint(0, 0), w->rect.size()); }

Window* FirstNeedingPaint(Window* w, HWND filter, bool underFilter) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  underFilter = underFilter || Handle(w) == filter;
  if (!w->update.isEmpty() && (underFilter || !filter)) return w;
  for (Window* c : w->children)
    if (Window* found = FirstNeedingPaint(c, filter, underFilter)) return found;
  return nullptr;
}

}  // namespace

void InvalidateClient(Window* w, const QRegion& region, bool erase) {
  QRegion clipped = region.intersected(ClientRect(w));
  if (clipped.isEmpty()) return;
  w->update += clipped;
  if (erase) w->eraseOnPaint = true;
}

// The buffer holds the screen's device pixels for the window's client area; what it held is kept,
// enlarged or reduced when the screen's density has changed.
void ResizeBuffer(Window* w) {
  const qreal scale = ScreenScale();
  const QSize size = KpDeviceSize(w->rect.size().expandedTo(QSize(1, 1)), scale).expandedTo(QSize(1, 1));
  if (w->buffer.size() == size && w->buffer.devicePixelRatio() == scale) return;
  QImage fresh(size, QImage::Format_RGB32);
  fresh.setDevicePixelRatio(scale);
  fresh.fill(Qt::white);
  if (!w->buffer.isNull()) {
    QPainter painter(&fresh);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, w->buffer.devicePixelRatio() != scale);
    painter.drawImage(QPointF(0, 0), w->buffer);
  }
  w->buffer = std::move(fresh);
}

Window* NextWindowToPaint(HWND filter) {
  const auto& tops = TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (Window* w = FirstNeedingPaint(*it, filter, false)) return w;
  return nullptr;
}

}  // namespace kpwm

using namespace kpwm;

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  if (!window) {
    for (Window* w : TopLevels()) InvalidateRect(Handle(w), nullptr, erase);
    return TRUE;
  }
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  InvalidateClient(w, QRegion(rect ? ToQRect(*rect) : ClientRect(w)), erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  if (rect) w->update -= QRegion(ToQRect(*rect));
  else w->update = QRegion();
  if (w->update.isEmpty()) w->eraseOnPaint = false;
  return TRUE;
}

BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  QRect bounds = w->update.boundingRect();
  if (rect) *rect = RECT{bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
  return !w->update.isEmpty();
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  Window* w = FromHandle(window);
  if (!w || !paint) return nullptr;
  QRegion region = w->update;
  bool erase = w->eraseOnPaint;
  w->update = QRegion();
  w->eraseOnPaint = false;
  ++w->paintCount;
  *paint = PAINTSTRUCT{};
  QRect bounds = region.boundingRect();
  paint->rcPaint = RECT{bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
  paint->hdc = KpCreateDC(&w->buffer, QPoint(0, 0), region, window);
  TracePaint(w, bounds);
  if (erase) paint->fErase = SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) ? FALSE : TRUE;
  return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  if (paint->hdc) KpDestroyDC(paint->hdc);
  MarkScreenDirty();
  return TRUE;
}

HDC GetDC(HWND window) {
  if (!window) {
    static QImage screen;
    screen = ComposeScreen();
    return KpCreateDC(&screen, QPoint(0, 0), QRegion(screen.rect()), nullptr);
  }
  Window* w = FromHandle(window);
  if (!w) return nullptr;
  return KpCreateDC(&w->buffer, QPoint(0, 0), QRegion(ClientRect(w)), window);
}

int ReleaseDC(HWND window, HDC dc) {
  if (!dc) return 0;
  KpDestroyDC(dc);
  MarkScreenDirty();
  return 1;
}

BOOL UpdateWindow(HWND window) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  if (IsVisibleOnScreen(w) && !w->update.isEmpty()) {
    MSG paint{window, WM_PAINT, 0, 0, Now(), {0, 0}};
    DispatchMessageW(&paint);
  }
  if (!IsLive(w)) return TRUE;
  std::vector<Window*> children = w->children;
  for (Window* c : children)
    if (IsLive(c)) UpdateWindow(Handle(c));
  return TRUE;
}
