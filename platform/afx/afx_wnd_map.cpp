// Which CWnd object belongs to which window: the permanent map of bound objects, temporary
// wrappers for windows nobody bound, and the window procedure that routes messages to objects.
#include <unordered_map>

#include "platform/afx/kp_afx_internal.h"
#include "platform/afx/kp_dialog_internal.h"

namespace {

std::unordered_map<HWND, CWnd*>& Permanent() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

std::vector<void (*)()>& TemporaryCleanups() {
  static std::vector<void (*)()> cleanups;
  return cleanups;
}

void FreeTemporaries() {
  for (auto cleanup : TemporaryCleanups()) cleanup();
}

// Temporary wrappers live until the thread next waits with nothing to do.
const bool kIdleRegistered = [] {
  KpAddIdleHandler(FreeTemporaries);
  return true;
}();

}  // namespace

void KpAfxRegisterTemporaryCleanup(void (*cleanup)()) { TemporaryCleanups().push_back(cleanup); }

void KpAfxBind(HWND window, CWnd* object) { Permanent()[window] = object; }
void KpAfxUnbind(HWND window) { Permanent().erase(window); }

CWnd* CWnd::FromHandlePermanent(HWND window) {
  auto found = Permanent().find(window);
  return found == Permanent().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* bound = FromHandlePermanent(window)) return bound;
  return KpAfxTemporary<CWnd, CWnd, HWND, &CWnd::m_hWnd>(window);
}

BOOL CWnd::Attach(HWND window) {
  if (!window || m_hWnd || FromHandlePermanent(window)) return FALSE;
  m_hWnd = window;
  KpAfxBind(window, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (!window) return nullptr;
  // Give the window its own procedure back, or it would keep calling into a released object.
  if (m_pfnSuper && IsWindow(window) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == KpAfxWndProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  m_pfnSuper = nullptr;
  if (FromHandlePermanent(window) == this) KpAfxUnbind(window);
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!window || !IsWindow(window) || !Attach(window)) return FALSE;
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KpAfxWndProc)));
  m_pfnSuper = previous != KpAfxWndProc ? previous : nullptr;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

LRESULT KpAfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* object = CWnd::FromHandlePermanent(window);
  if (!object) return DefWindowProcW(window, message, wParam, lParam);
  const CWnd::CurrentMessage saved = object->m_currentMsg;
  object->m_currentMsg = {message, wParam, lParam};
  LRESULT result = object->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: the object lets go of it and may now delete itself.
    if (CWnd::FromHandlePermanent(window) == object) {
      KpAfxUnbind(window);
      object->m_hWnd = nullptr;
      object->m_pfnSuper = nullptr;
      object->m_currentMsg = saved;
      object->PostNcDestroy();
    }
    return result;
  }
  if (CWnd::FromHandlePermanent(window) == object) object->m_currentMsg = saved;
  return result;
}
