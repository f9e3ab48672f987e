// Showing, moving and sizing windows, and the coordinate questions about them.
#include "kp_platform.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

void InvalidateWholeTree(Window* w) {
  InvalidateClient(w, QRegion(QRect(QPoint(0, 0), w->rect.size())), true);
  for (Window* c : w->children) InvalidateWholeTree(c);
}

bool FocusIsInside(Window* w) {
  for (Window* f = FocusWindow(); f; f = f->parent)
    if (f == w) return true;
  return false;
}

BOOL Place(Window* w, const QRect& placement, bool repaint) {
  QRect oldOnScreen = ScreenRect(w);
  QRect old = w->rect;
  QRect wanted(placement.topLeft(), QSize(std::max(0, placement.width()), std::max(0, placement.height())));
  if (wanted == old) {
    if (repaint) InvalidateClient(w, QRegion(QRect(QPoint(0, 0), old.size())), true);
    return TRUE;
  }
  w->rect = wanted;
  bool sized = wanted.size() != old.size();
  if (sized) {
    // What was invalid beyond the new edges no longer exists.
    w->update &= QRect(QPoint(0, 0), wanted.size());
    ResizeBuffer(w);
    InvalidateClient(w, QRegion(QRect(QPoint(0, 0), wanted.size())), true);
  } else if (repaint) {
    InvalidateClient(w, QRegion(QRect(QPoint(0, 0), wanted.size())), true);
  }
  if (IsVisibleOnScreen(w)) ExposeBelow(w, QRegion(oldOnScreen).subtracted(QRegion(ScreenRect(w))));
  MarkScreenDirty();
  HWND handle = Handle(w);
  if (wanted.topLeft() != old.topLeft()) SendMessageW(handle, WM_MOVE, 0, MAKELPARAM(wanted.x(), wanted.y()));
  if (sized && IsLive(w)) SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(wanted.width(), wanted.height()));
  if (IsLive(w)) TraceWindowPlacement(w);
  return TRUE;
}

}  // namespace
}  // namespace kpwm

using namespace kpwm;

BOOL ShowWindow(HWND window, int command) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  if (command == SW_HIDE) {
    if (!wasVisible) return FALSE;
    SendMessageW(window, WM_SHOWWINDOW, FALSE, 0);
    if (!IsLive(w)) return TRUE;
    bool onScreen = IsVisibleOnScreen(w);
    QRect area = ScreenRect(w);
    bool hadFocus = FocusIsInside(w);
    w->style &= ~WS_VISIBLE;
    if (onScreen) ExposeBelow(w, area);
    if (hadFocus) {
      Window* next = w->parent ? w->parent : ActiveTopLevel();
      SetFocus(Handle(next));
    }
    MarkScreenDirty();
    return TRUE;
  }
  bool activate = command != SW_SHOWNA && !w->parent && w->role == Role::Normal && !(w->exStyle & WS_EX_NOACTIVATE);
  if (wasVisible) {
    if (activate) BringToTop(w);
    return TRUE;
  }
  SendMessageW(window, WM_SHOWWINDOW, TRUE, 0);
  if (!IsLive(w)) return FALSE;
  w->style |= WS_VISIBLE;
  if (activate) BringToTop(w);
  InvalidateWholeTree(w);
  MarkScreenDirty();
  TraceWindowPlacement(w);
  if (activate && !FocusIsInside(w) && !(w->style & WS_DISABLED)) SetFocus(window);
  if (!w->parent) StartScriptOnce();
  return FALSE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  return Place(w, QRect(x, y, width, height), repaint != FALSE);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  QRect placement = w->rect;
  if (!(flags & SWP_NOMOVE)) placement.moveTo(x, y);
  if (!(flags & SWP_NOSIZE)) placement.setSize(QSize(cx, cy));
  Place(w, placement, false);
  if (!IsLive(w)) return TRUE;
  // Only "to the top" (a null insertAfter) is a z-order this layer needs.
  if (!(flags & SWP_NOZORDER) && !insertAfter && !(flags & SWP_NOACTIVATE)) BringToTop(w);
  if (flags & SWP_SHOWWINDOW) ShowWindow(window, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  return TRUE;
}

BOOL IsWindowVisible(HWND window) {
  Window* w = FromHandle(window);
  return w && IsVisibleOnScreen(w);
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  Window* w = FromHandle(window);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->rect.width(), w->rect.height()};
  return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  Window* w = FromHandle(window);
  if (!w || !rect) return FALSE;
  QRect r = ScreenRect(w);
  *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  Window* w = FromHandle(window);
  if (!w || !point) return FALSE;
  QPoint origin = ClientOriginOnScreen(w);
  point->x += origin.x();
  point->y += origin.y();
  return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  Window* w = FromHandle(window);
  if (!w || !point) return FALSE;
  QPoint origin = ClientOriginOnScreen(w);
  point->x -= origin.x();
  point->y -= origin.y();
  return TRUE;
}
