// The default handling every window procedure falls back on.
#include <algorithm>

#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

using namespace kpwm;

namespace {

HBRUSH ControlColourBrush(UINT message) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: return GetSysColorBrush(COLOR_WINDOW);
    case WM_CTLCOLORSTATIC: return GetSysColorBrush(COLOR_STATIC);
    default: return GetSysColorBrush(COLOR_BTNFACE);
  }
}

}  // namespace

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_ERASEBKGND: {
      HBRUSH brush = KpClassBackground(window);
      if (!brush) return 0;
      RECT client{0, 0, w->rect.width(), w->rect.height()};
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SETTEXT:
      w->text = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string();
      if (!w->parent) MarkScreenDirty();   // the title bar shows it
      return TRUE;
    case WM_GETTEXT: {
      if (!lParam || wParam == 0) return 0;
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      size_t n = std::min<size_t>(w->text.size(), wParam - 1);
      std::copy(w->text.begin(), w->text.begin() + n, buffer);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE: DestroyWindow(window); return 0;
    // A window that shows no composition gets the committed text as typed characters.
    case WM_IME_COMPOSITION:
      if (lParam & GCS_RESULTSTR) {
        HIMC context = ImmGetContext(window);
        std::u16string result(static_cast<size_t>(std::max<LONG>(0, ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0))) / 2, u'\0');
        ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(result.size() * 2));
        ImmReleaseContext(window, context);
        TypeText(result);
      }
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(message == WM_CTLCOLORSTATIC ? COLOR_STATICTEXT : COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW
                                 : message == WM_CTLCOLORSTATIC                              ? COLOR_STATIC
                                                                                             : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(ControlColourBrush(message));
    }
    default: return 0;
  }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}
