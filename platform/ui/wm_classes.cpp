// Window classes. A class registered with a null instance is global (the built-in controls
// register theirs from static initialisers, before KpInitialize); a lookup tries the caller's
// module first and falls back to the global classes.
#include <deque>
#include <memory>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

// Stable addresses: windows keep a pointer to their class.
std::deque<std::unique_ptr<WindowClass>>& Classes() {
  static std::deque<std::unique_ptr<WindowClass>> classes;
  return classes;
}

std::u16string ClassKey(LPCWSTR name) {
  if (!name) return {};
  if (IS_INTRESOURCE(name)) return u"#" + KpFromUtf8(std::to_string(reinterpret_cast<ULONG_PTR>(name)));
  return std::u16string(name);
}

// Class names compare without regard to letter case, as on the platform ("Button" is "BUTTON");
// the class keeps the spelling it was registered with.
bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

}  // namespace

const WindowClass* FindClass(LPCWSTR name, HINSTANCE instance) {
  std::u16string key = ClassKey(name);
  for (auto& c : Classes())
    if (SameName(c->name, key) && c->instance == instance && instance) return c.get();
  for (auto& c : Classes())
    if (SameName(c->name, key) && c->instance == nullptr) return c.get();
  // A class of another module is still usable by name, as the handheld's application classes are.
  for (auto& c : Classes())
    if (SameName(c->name, key)) return c.get();
  return nullptr;
}

}  // namespace kpwm

using namespace kpwm;

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string key = ClassKey(windowClass->lpszClassName);
  for (auto& c : Classes())
    if (SameName(c->name, key) && c->instance == windowClass->hInstance) {
      SetLastError(1410);   // ERROR_CLASS_ALREADY_EXISTS
      return 0;
    }
  auto entry = std::make_unique<WindowClass>();
  entry->name = key;
  entry->instance = windowClass->hInstance;
  entry->info = *windowClass;
  entry->info.lpszClassName = nullptr;   // the caller's string may not outlive the class
  entry->info.lpszMenuName = nullptr;
  Classes().push_back(std::move(entry));
  return static_cast<ATOM>(0xC000 + Classes().size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  std::u16string key = ClassKey(className);
  auto& classes = Classes();
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (!SameName((*it)->name, key) || (*it)->instance != instance) continue;
    // A class still in use by a window stays, as on the platform.
    for (Window* w : TopLevels()) {
      std::vector<Window*> stack{w};
      while (!stack.empty()) {
        Window* x = stack.back();
        stack.pop_back();
        if (x->windowClass == it->get()) return FALSE;
        stack.insert(stack.end(), x->children.begin(), x->children.end());
      }
    }
    classes.erase(it);
    return TRUE;
  }
  return FALSE;
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* windowClass) {
  const WindowClass* found = FindClass(className, instance);
  if (!found || !windowClass) return FALSE;
  *windowClass = found->info;
  windowClass->lpszClassName = className;
  return TRUE;
}

int GetClassNameW(HWND window, LPWSTR buffer, int maxCount) {
  Window* w = FromHandle(window);
  if (!w || !buffer || maxCount <= 0) return 0;
  const std::u16string& name = w->windowClass->name;
  int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
  std::copy(name.begin(), name.begin() + n, buffer);
  buffer[n] = 0;
  return n;
}

HBRUSH KpClassBackground(HWND window) {
  Window* w = FromHandle(window);
  return w ? w->windowClass->info.hbrBackground : nullptr;
}
