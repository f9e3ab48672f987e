// The one input path. Presses and releases on the screen, whether from the desktop window's
// mouse or from the script, become WM_LBUTTONDOWN / WM_LBUTTONUP in the queue of the window under
// the stylus (client coordinates). As with a stylus, the window that took the press also takes
// the release unless another window holds the capture. Keys and typed text go to the focus window.
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

Window* g_focus = nullptr;
Window* g_capture = nullptr;
Window* g_pressTarget = nullptr;
bool g_stylusDown = false;
bool g_okArmed = false;
bool g_shiftDown = false;   // as of the last key message taken from the queue

bool ShownOnScreen(const Window* top) {
  if (!(top->style & WS_VISIBLE)) return false;
  // A menu bar is on the screen only while its window is the active one.
  return top->role != Role::MenuBar || top->owner == CaptionWindow();
}

Window* DeepestAt(Window* w, QPoint screenPoint) {
  for (Window* c : w->children)
    if ((c->style & WS_VISIBLE) && ScreenRect(c).contains(screenPoint)) return DeepestAt(c, screenPoint);
  return w;
}

Window* WindowAt(QPoint screenPoint) {
  const auto& tops = TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (ShownOnScreen(*it) && ScreenRect(*it).contains(screenPoint)) return DeepestAt(*it, screenPoint);
  return nullptr;
}

void PostMouse(Window* target, UINT message, WPARAM keys, QPoint screenPoint) {
  QPoint client = screenPoint - ClientOriginOnScreen(target);
  Post(MSG{Handle(target), message, keys, MAKELPARAM(client.x(), client.y()), Now(), {screenPoint.x(), screenPoint.y()}});
}

Window* CaptionOkOwner() {
  Window* active = CaptionWindow();
  if (active && (active->exStyle & WS_EX_CAPTIONOKBTN) && IsEnabledForInput(active)) return active;
  return nullptr;
}

}  // namespace

bool StylusIsDown() { return g_stylusDown; }
Window* FocusWindow() { return g_focus; }

void StylusDown(QPoint p) {
  if (g_stylusDown) StylusUp(p);   // a lost release: finish the old press first
  g_stylusDown = true;
  g_pressTarget = nullptr;
  Window* target = IsLive(g_capture) ? g_capture : nullptr;
  if (!target && p.y() >= 0 && p.y() < TitleBarHeight()) {
    g_okArmed = CaptionOkOwner() && CaptionOkButtonRect().contains(p);
    return;
  }
  if (!target) target = WindowAt(p);
  if (!target || !IsEnabledForInput(target)) return;
  g_pressTarget = target;
  PostMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, p);
}

void StylusMove(QPoint p) {
  if (!g_stylusDown) return;
  Window* target = IsLive(g_capture) ? g_capture : g_pressTarget;
  if (target && IsEnabledForInput(target)) PostMouse(target, WM_MOUSEMOVE, MK_LBUTTON, p);
}

void StylusUp(QPoint p) {
  if (!g_stylusDown) return;
  g_stylusDown = false;
  if (g_okArmed) {
    g_okArmed = false;
    Window* owner = CaptionOkOwner();
    if (owner && CaptionOkButtonRect().contains(p)) PostMessageW(Handle(owner), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return;
  }
  Window* target = IsLive(g_capture) ? g_capture : g_pressTarget;
  g_pressTarget = nullptr;
  if (target && IsEnabledForInput(target)) PostMouse(target, WM_LBUTTONUP, 0, p);
}

Window* KeyTarget() {
  Window* target = IsLive(g_focus) ? g_focus : ActiveTopLevel();
  return target && IsEnabledForInput(target) ? target : nullptr;
}

// With no window to take it, a key still goes through the queue (to no window), so that the key
// state follows it.
void KeyDown(int virtualKey) {
  Window* target = KeyTarget();
  PostMessageW(target ? Handle(target) : nullptr, WM_KEYDOWN, virtualKey, 1);
}

void KeyUp(int virtualKey) {
  Window* target = KeyTarget();
  PostMessageW(target ? Handle(target) : nullptr, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void NoteKeyMessage(const MSG& msg) {
  if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_SHIFT)
    g_shiftDown = msg.message == WM_KEYDOWN;
}

void TypeText(const std::u16string& text) {
  for (char16_t unit : text)
    if (Window* target = KeyTarget()) PostMessageW(Handle(target), WM_CHAR, unit, 1);
}

void ForgetWindowInInput(const Window* w) {
  if (g_focus == w) g_focus = nullptr;
  if (g_capture == w) g_capture = nullptr;
  if (g_pressTarget == w) g_pressTarget = nullptr;
}

}  // namespace kpwm

using namespace kpwm;

HWND SetFocus(HWND window) {
  Window* w = window ? FromHandle(window) : nullptr;
  if (window && !w) return nullptr;
  Window* previous = g_focus;
  if (w == previous) return Handle(previous);
  CompleteComposition();
  g_focus = w;
  if (IsLive(previous)) SendMessageW(Handle(previous), WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (w && g_focus == w && IsLive(w)) SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(Handle(previous)), 0);
  return IsLive(previous) ? Handle(previous) : nullptr;
}

HWND GetFocus() { return Handle(g_focus); }

SHORT GetKeyState(int virtualKey) {
  return virtualKey == VK_SHIFT && g_shiftDown ? static_cast<SHORT>(0x8000) : 0;
}

HWND SetCapture(HWND window) {
  Window* previous = g_capture;
  g_capture = FromHandle(window);
  return Handle(previous);
}

BOOL ReleaseCapture() {
  g_capture = nullptr;
  return TRUE;
}

HWND GetCapture() { return Handle(g_capture); }
