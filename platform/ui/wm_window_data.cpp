// What a window carries: its longs (style, id, user data, the class's extra bytes), its text and
// whether it takes input.
#include "platform/ui/wm_internal.h"

using namespace kpwm;

namespace {

bool ExtraIndexValid(const Window* w, int index) { return index >= 0 && index + 4 <= w->extraBytes; }

}  // namespace

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  Window* w = FromHandle(window);
  if (!w) {
    SetLastError(1400);   // ERROR_INVALID_WINDOW_HANDLE
    return 0;
  }
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_USERDATA: return w->userData;
  }
  if (!ExtraIndexValid(w, index)) {
    SetLastError(1413);   // ERROR_INVALID_INDEX
    return 0;
  }
  auto it = w->extra.find(index);
  return it == w->extra.end() ? 0 : it->second;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  Window* w = FromHandle(window);
  if (!w) {
    SetLastError(1400);
    return 0;
  }
  LONG_PTR previous = GetWindowLongPtrW(window, index);
  switch (index) {
    case GWL_WNDPROC:
      if (value) w->proc = reinterpret_cast<WNDPROC>(value);
      return previous;
    case GWL_ID: w->id = value; return previous;
    case GWL_STYLE: w->style = static_cast<DWORD>(value); MarkScreenDirty(); return previous;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); MarkScreenDirty(); return previous;
    case GWL_USERDATA: w->userData = value; return previous;
  }
  if (!ExtraIndexValid(w, index)) {
    SetLastError(1413);
    return 0;
  }
  w->extra[index] = value;
  return previous;
}

// The 32-bit forms share the slots of the pointer-sized ones, so a value written with one form
// reads back with the other (the dialog manager and its callers may mix them).
LONG GetWindowLongW(HWND window, int index) { return static_cast<LONG>(GetWindowLongPtrW(window, index)); }
LONG SetWindowLongW(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrW(window, index, value));
}

int GetDlgCtrlID(HWND window) { return static_cast<int>(GetWindowLongPtrW(window, GWL_ID)); }

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  if (!FromHandle(window)) return FALSE;
  return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int maxCount) {
  if (!FromHandle(window) || !buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(SendMessageW(window, WM_GETTEXT, maxCount, reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) {
  if (!FromHandle(window)) return 0;
  return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL EnableWindow(HWND window, BOOL enable) {
  Window* w = FromHandle(window);
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    // A disabled window neither keeps the keyboard nor the stylus.
    for (Window* f = FocusWindow(); f; f = f->parent)
      if (f == w) {
        SetFocus(nullptr);
        break;
      }
    if (FromHandle(GetCapture()) == w) ReleaseCapture();
  }
  SendMessageW(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  MarkScreenDirty();
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND window) {
  Window* w = FromHandle(window);
  return w && !(w->style & WS_DISABLED);
}
