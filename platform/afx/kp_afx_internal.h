#pragma once
// What the framework's files share: temporary wrapper objects, and access to the protected parts
// of CWnd that the window procedure and the dialog procedure need.
#include <unordered_map>
#include <vector>

#include "afxwin.h"

// Registers a function that frees one kind of temporary wrapper; all run when the thread is idle.
void KpAfxRegisterTemporaryCleanup(void (*cleanup)());

// A temporary wrapper of type T around a handle, created on first request and shared until the
// next idle time, when it lets go of the handle (it never deletes what it wraps) and is freed.
template <class T, class Owner, class Handle, Handle Owner::*member>
T* KpAfxTemporary(Handle handle) {
  static std::unordered_map<Handle, T*>* wrappers = [] {
    auto* map = new std::unordered_map<Handle, T*>();
    KpAfxRegisterTemporaryCleanup([] {
      auto* all = wrappers;
      std::unordered_map<Handle, T*> drained;
      drained.swap(*all);
      for (auto& [h, object] : drained) {
        object->*member = nullptr;
        delete object;
      }
    });
    return map;
  }();
  if (!handle) return nullptr;
  T*& slot = (*wrappers)[handle];
  if (!slot) {
    slot = new T();
    slot->*member = handle;
  }
  return slot;
}

// The parts of CWnd the framework's procedures reach into.
struct KpAfxAccess {
  static void SetCurrentMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam) {
    window->m_currentMsg = {message, wParam, lParam};
  }
  static CWnd::CurrentMessage CurrentMessage(CWnd* window) { return window->m_currentMsg; }
  static void RestoreCurrentMessage(CWnd* window, const CWnd::CurrentMessage& saved) { window->m_currentMsg = saved; }
  static WNDPROC& Super(CWnd* window) { return window->m_pfnSuper; }
  static const AFX_MSGMAP* MessageMap(const CWnd* window) { return window->GetMessageMap(); }
};

// The permanent map: the CWnd objects bound to windows.
void KpAfxBind(HWND window, CWnd* object);
void KpAfxUnbind(HWND window);

// The window procedure of windows bound to CWnd objects by SubclassWindow.
LRESULT KpAfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog procedure of CDialog: binds the CDialog passed with WM_INITDIALOG and runs its
// OnInitDialog; every other message reaches the object through its window procedure.
INT_PTR KpAfxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
