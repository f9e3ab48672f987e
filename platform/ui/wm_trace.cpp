// The window manager's trace lines (KALMENO_TRACE): what tests and demos read to see which
// window was shown where, what was painted, which menu items and message boxes appeared.
#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {

std::string NameOf(const Window* w) {
  if (!w) return "";
  if (!w->traceName.empty()) return w->traceName;
  return KpToUtf8(w->windowClass ? w->windowClass->name.c_str() : u"");
}

void TraceWindowPlacement(Window* w) {
  if (!(w->style & WS_VISIBLE)) return;
  std::string name = NameOf(w), rect = RectText(ScreenRect(w));
  KpTrace("window", name.c_str(), rect.c_str());
}

void TracePaint(const Window* w, const QRect& updateBounds) {
  std::string name = NameOf(w), rect = RectText(updateBounds);
  KpTrace("paint", name.c_str(), rect.c_str());
}

void TraceMenuItem(const QRect& onScreen, UINT_PTR id, const std::u16string& text) {
  std::string rect = RectText(onScreen), number = std::to_string(id), utf8 = KpToUtf8(text.c_str());
  KpTrace("menu", rect.c_str(), number.c_str(), utf8.c_str());
}

void TraceMessageBox(const std::u16string& caption, const std::u16string& text) {
  std::string captionUtf8 = KpToUtf8(caption.c_str()), textUtf8 = KpToUtf8(text.c_str());
  KpTrace("msgbox", captionUtf8.c_str(), textUtf8.c_str());
}

}  // namespace kpwm

std::string KpTraceNameOf(HWND window) { return kpwm::NameOf(kpwm::FromHandle(window)); }
