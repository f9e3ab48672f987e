// Windows: creation, destruction, the window tree and the z-order of top-level windows.
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

std::unordered_set<const Window*>& Live() {
  static std::unordered_set<const Window*> live;
  return live;
}

// Destroyed windows, kept (see FreeTree) and still reachable, so leak checkers do not take them
// for lost memory.
std::vector<const Window*>& Retired() {
  static std::vector<const Window*>* retired = new std::vector<const Window*>;
  return *retired;
}

std::vector<Window*>& MutableTopLevels() {
  static std::vector<Window*> topLevels;
  return topLevels;
}

// Helper windows (popup menus, message boxes) and WS_EX_TOPMOST windows stay above the rest.
bool StaysOnTop(const Window* w) {
  return (w->exStyle & WS_EX_TOPMOST) || w->role == Role::PopupMenu || w->role == Role::MessageBox ||
         w->role == Role::Notification;
}

Window& Desktop() {
  static Window desktop;
  return desktop;
}

void SendDestroyTree(Window* w) {
  SendMessageW(Handle(w), WM_DESTROY, 0, 0);
  std::vector<Window*> children = w->children;
  for (Window* c : children)
    if (IsLive(c)) SendDestroyTree(c);
}

void FreeTree(Window* w) {
  std::vector<Window*> children = w->children;
  for (Window* c : children)
    if (IsLive(c)) FreeTree(c);
  SendMessageW(Handle(w), WM_NCDESTROY, 0, 0);
  KillTimersOf(w);
  DropMessagesFor(w);
  ForgetWindowInInput(w);
  if (w->parent) {
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  } else {
    auto& tops = MutableTopLevels();
    tops.erase(std::remove(tops.begin(), tops.end(), w), tops.end());
  }
  Live().erase(w);
  Retired().push_back(w);
  // The object stays allocated (without its pixels), so its address, which is its handle, is never
  // given to a later window: a stale handle stays invalid instead of naming someone else.
  w->buffer = QImage();
  w->children.clear();
  w->extra.clear();
  w->text.clear();
  w->update = QRegion();
}

QRect DefaultTopLevelRect(int x, int y, int width, int height) {
  QRect work = WorkArea();
  bool defaultSize = width == CW_USEDEFAULT || (width == 0 && height == 0);
  if (defaultSize) {
    width = work.width();
    height = work.height();
  }
  if (x == CW_USEDEFAULT) {
    x = work.left();
    y = work.top();
  }
  return QRect(x, y, std::max(0, width), std::max(0, height));
}

}  // namespace

bool IsLive(const Window* window) { return window && Live().count(window) != 0; }

Window* FromHandle(HWND handle) {
  Window* w = From(handle);
  if (w == &Desktop()) {
    Desktop().rect = QRect(0, 0, ScreenWidth(), ScreenHeight());
    return w;
  }
  return IsLive(w) ? w : nullptr;
}

const std::vector<Window*>& TopLevels() { return MutableTopLevels(); }

void BringToTop(Window* w) {
  if (w->parent) return;
  auto& tops = MutableTopLevels();
  tops.erase(std::remove(tops.begin(), tops.end(), w), tops.end());
  auto at = tops.end();
  if (!StaysOnTop(w))
    while (at != tops.begin() && StaysOnTop(*(at - 1))) --at;
  tops.insert(at, w);
  MarkScreenDirty();
}

bool IsVisibleOnScreen(const Window* w) {
  for (; w; w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

bool IsEnabledForInput(const Window* w) {
  for (; w; w = w->parent) {
    if (w->style & WS_DISABLED) return false;
    // A menu bar belongs to its window: while that window is disabled (under a message box or
    // a modal dialog) its bar takes no taps either.
    if (w->role == Role::MenuBar && w->owner && (w->owner->style & WS_DISABLED)) return false;
  }
  return true;
}

QPoint ClientOriginOnScreen(const Window* w) {
  QPoint origin;
  for (; w; w = w->parent) origin += w->rect.topLeft();
  return origin;
}

QRect ScreenRect(const Window* w) { return QRect(ClientOriginOnScreen(w), w->rect.size()); }

Window* TopLevelOf(Window* w) {
  while (w && w->parent) w = w->parent;
  return w;
}

// A drop-down of a control (WS_EX_NOACTIVATE) never becomes the active window.
static bool CanBeActive(const Window* w) {
  return w->role == Role::Normal && (w->style & WS_VISIBLE) && !(w->exStyle & WS_EX_NOACTIVATE);
}

Window* ActiveTopLevel() {
  const auto& tops = TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    bool candidate = CanBeActive(*it) || ((*it)->role == Role::MessageBox && ((*it)->style & WS_VISIBLE));
    if (candidate && !((*it)->style & WS_DISABLED)) return *it;
  }
  return CaptionWindow();
}

Window* CaptionWindow() {
  const auto& tops = TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (CanBeActive(*it) && !((*it)->style & WS_DISABLED)) return *it;
  // Every window disabled (a message box over the only window): the title bar still shows it.
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (CanBeActive(*it)) return *it;
  return nullptr;
}

static void InvalidateTreeOnScreen(Window* w, const QRegion& screenArea) {
  if (!(w->style & WS_VISIBLE)) return;
  QRect onScreen = ScreenRect(w);
  QRegion part = screenArea.intersected(onScreen);
  if (part.isEmpty()) return;
  InvalidateClient(w, part.translated(-onScreen.topLeft()), true);
  for (Window* c : w->children) InvalidateTreeOnScreen(c, part);
}

void ExposeBelow(const Window* above, const QRegion& screenArea) {
  if (screenArea.isEmpty()) return;
  MarkScreenDirty();
  if (above && above->parent) {
    Window* parent = above->parent;
    QRect parentOnScreen = ScreenRect(parent);
    InvalidateClient(parent, screenArea.intersected(parentOnScreen).translated(-parentOnScreen.topLeft()), true);
    auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), above);
    for (++it; it < siblings.end(); ++it) InvalidateTreeOnScreen(*it, screenArea);
    return;
  }
  const auto& tops = TopLevels();
  auto it = above ? std::find(tops.begin(), tops.end(), above) : tops.end();
  while (it != tops.begin()) InvalidateTreeOnScreen(*--it, screenArea);
}

void RegisterRoleWindow(Window* w, Role role, void* data) {
  w->role = role;
  w->roleData = data;
  BringToTop(w);
}

}  // namespace kpwm

using namespace kpwm;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  EnsureStarted();
  const WindowClass* windowClass = FindClass(className, instance);
  if (!windowClass) {
    SetLastError(1407);   // ERROR_CANNOT_FIND_WND_CLASS
    return nullptr;
  }
  Window* parentWindow = FromHandle(parent);
  if (parentWindow == &Desktop()) parentWindow = nullptr;
  bool child = (style & WS_CHILD) != 0;
  if (child && !parentWindow) {
    SetLastError(1406);   // ERROR_TLW_WITH_WSCHILD
    return nullptr;
  }

  auto* w = new Window;
  w->windowClass = windowClass;
  w->proc = windowClass->info.lpfnWndProc;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->instance = instance;
  w->text = windowName ? std::u16string(windowName) : std::u16string();
  // Room for the dialog manager's DWLP_MSGRESULT and DWLP_USER even when a class asks for none.
  w->extraBytes = std::max(windowClass->info.cbWndExtra, 16);
  if (child) {
    w->parent = parentWindow;
    w->id = reinterpret_cast<LONG_PTR>(menuOrId);
    w->rect = QRect(x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y,
                    width == CW_USEDEFAULT ? 0 : std::max(0, width), height == CW_USEDEFAULT ? 0 : std::max(0, height));
    parentWindow->children.push_back(w);
  } else {
    w->owner = TopLevelOf(parentWindow);
    w->rect = DefaultTopLevelRect(x, y, width, height);
    MutableTopLevels().push_back(w);
    BringToTop(w);
  }
  Live().insert(w);
  ResizeBuffer(w);
  InvalidateClient(w, QRegion(QRect(QPoint(0, 0), w->rect.size())), true);

  HWND handle = Handle(w);
  CREATESTRUCTW create{param, instance, menuOrId, parent, w->rect.height(), w->rect.width(), w->rect.y(),
                       w->rect.x(), static_cast<LONG>(style), windowName, className, exStyle};
  if (!SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
      (IsLive(w) && SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1)) {
    if (IsLive(w)) DestroyWindow(handle);
    return nullptr;
  }
  if (!IsLive(w)) return nullptr;
  SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->rect.width(), w->rect.height()));
  if (IsLive(w)) SendMessageW(handle, WM_MOVE, 0, MAKELPARAM(w->rect.x(), w->rect.y()));
  if (IsLive(w) && (style & WS_VISIBLE)) ShowWindow(handle, SW_SHOW);
  return IsLive(w) ? handle : nullptr;
}

// As on the platform: owned windows go first; then WM_DESTROY reaches the window before its
// children (so its handler can still use them) and WM_NCDESTROY reaches the children first.
BOOL DestroyWindow(HWND window) {
  Window* w = FromHandle(window);
  if (!w || w == &Desktop()) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  std::vector<Window*> owned;
  for (Window* t : TopLevels())
    if (t->owner == w) owned.push_back(t);
  for (Window* t : owned)
    if (IsLive(t)) DestroyWindow(Handle(t));

  bool hadFocus = false;
  for (Window* f = FocusWindow(); f; f = f->parent)
    if (f == w) hadFocus = true;
  if (IsVisibleOnScreen(w)) {
    QRect area = ScreenRect(w);
    w->style &= ~WS_VISIBLE;
    ExposeBelow(w, area);
  }
  SendDestroyTree(w);
  if (!IsLive(w)) return TRUE;
  bool topLevel = !w->parent;
  FreeTree(w);
  if (hadFocus && topLevel) {
    if (Window* next = ActiveTopLevel()) SetFocus(Handle(next));
  }
  MarkScreenDirty();
  return TRUE;
}

BOOL IsWindow(HWND window) { return FromHandle(window) != nullptr; }

HWND GetParent(HWND window) {
  Window* w = FromHandle(window);
  if (!w) return nullptr;
  return Handle(w->parent ? w->parent : w->owner);
}

HWND GetWindow(HWND window, UINT relation) {
  Window* w = FromHandle(window);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : Handle(w->children.front());
  if (w->parent) {
    auto& siblings = w->parent->children;
    if (relation == GW_HWNDFIRST) return Handle(siblings.front());
    if (relation == GW_HWNDNEXT) {
      auto it = std::find(siblings.begin(), siblings.end(), w);
      return (it == siblings.end() || it + 1 == siblings.end()) ? nullptr : Handle(*(it + 1));
    }
    return nullptr;
  }
  // Top-level windows: the z-order from the top down.
  const auto& tops = TopLevels();
  if (relation == GW_HWNDFIRST) return tops.empty() ? nullptr : Handle(tops.back());
  if (relation == GW_HWNDNEXT) {
    auto it = std::find(tops.begin(), tops.end(), w);
    return (it == tops.end() || it == tops.begin()) ? nullptr : Handle(*(it - 1));
  }
  return nullptr;
}

HWND GetDesktopWindow() { return Handle(&Desktop()); }

HWND GetActiveWindow() { return Handle(ActiveTopLevel()); }

HWND SetActiveWindow(HWND window) {
  Window* previous = ActiveTopLevel();
  Window* w = TopLevelOf(FromHandle(window));
  if (w && w != &Desktop()) BringToTop(w);
  return Handle(previous);
}

HWND KpGetActiveTopLevel() { return Handle(ActiveTopLevel()); }

void KpSetWindowTraceName(HWND window, LPCWSTR name) {
  if (Window* w = FromHandle(window)) w->traceName = name ? KpToUtf8(name) : std::string();
}
