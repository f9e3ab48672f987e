// Running dialogs: modal (a nested message loop with the owner disabled) and modeless, and the
// end of a modal run.
#include <vector>

#include "platform/afx/kp_dialog_internal.h"

namespace {

std::vector<void (*)()>& IdleHandlers() {
  static std::vector<void (*)()> handlers;
  return handlers;
}

bool IsInside(HWND window, HWND ancestor) {
  for (; window; window = GetParent(window)) {
    if (window == ancestor) return true;
  }
  return false;
}

// The control that takes the focus by Tab after `from` (before it, backwards), wrapping around;
// null when none.
HWND NextTabStop(HWND dialog, HWND from, bool backwards) {
  const std::vector<HWND> stops = KpTabStops(dialog);
  if (stops.empty()) return nullptr;
  const size_t count = stops.size();
  for (size_t i = 0; i < count; ++i) {
    if (IsInside(from, stops[i])) return stops[(i + (backwards ? count - 1 : 1)) % count];
  }
  return backwards ? stops.back() : stops.front();
}

// The keys a dialog answers for its controls: Escape cancels; Tab moves to the next tab stop
// (Shift+Tab to the one before); Enter is OK, or presses the push button with the focus (which
// takes the key itself, a click on release); unless the control with the focus takes the key
// itself (a multi-line edit takes Enter for a new line, an open drop-down Escape and Enter).
// Returns true when the key was used.
bool HandleDialogKey(HWND dialog, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !IsInside(msg.hwnd, dialog)) return false;
  if (msg.wParam != VK_ESCAPE && msg.wParam != VK_RETURN && msg.wParam != VK_TAB) return false;
  // The dialog itself with the focus may take a key for its own (DLGC_WANTALLKEYS for that key).
  if (msg.hwnd == dialog &&
      (SendMessageW(dialog, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTALLKEYS))
    return false;
  const LRESULT code =
      msg.hwnd == dialog ? 0 : SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  if (msg.wParam == VK_ESCAPE) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return true;
  }
  if (msg.wParam == VK_TAB) {
    if (HWND next = NextTabStop(dialog, msg.hwnd, (GetKeyState(VK_SHIFT) & 0x8000) != 0)) SetFocus(next);
    return true;
  }
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) return false;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return true;
}

}  // namespace

HWND KpTopLevelOf(HWND window) {
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

void KpAddIdleHandler(void (*handler)()) { IdleHandlers().push_back(handler); }

void KpRunIdleHandlers() {
  for (auto handler : IdleHandlers()) handler();
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  // The owner takes no input while its modal dialog runs, from WM_INITDIALOG on; a dialog owner
  // remembers which of its controls had the focus, to have it back afterwards.
  HWND owner = KpTopLevelOf(parent);
  HWND disabledOwner = nullptr;
  if (owner && IsWindowEnabled(owner)) {
    if (KpDialogState* ownerState = KpDialogStateOf(owner)) {
      HWND focus = GetFocus();
      if (focus && IsInside(focus, owner) && focus != owner) ownerState->savedFocus = focus;
    }
    EnableWindow(owner, FALSE);
    disabledOwner = owner;
  }
  HWND dialog = KpCreateDialogFromTemplate(instance, templateName, parent, proc, param, true);
  if (!dialog) {
    if (disabledOwner) EnableWindow(disabledOwner, TRUE);
    return -1;
  }
  KpDialogState* state = KpDialogStateOf(dialog);
  if (!state->ended) {
    state->disabledOwner = disabledOwner;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
  } else if (disabledOwner) {
    EnableWindow(disabledOwner, TRUE);
    disabledOwner = nullptr;
  }
  // The run ends with EndDialog, with the window's destruction (the result so far, IDCANCEL when
  // nobody ended it), or with WM_QUIT, which is posted again for the loop outside.
  INT_PTR result = IDCANCEL;
  MSG msg{};
  while ((state = KpDialogStateOf(dialog)) != nullptr && !state->ended) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) KpRunIdleHandlers();
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (HandleDialogKey(dialog, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (state) {
    if (state->ended) result = state->result;
    if (!state->ended) EndDialog(dialog, result);
    DestroyWindow(dialog);
  } else if (disabledOwner && IsWindow(disabledOwner) && !IsWindowEnabled(disabledOwner)) {
    // Destroyed without EndDialog: the owner still has to come back.
    EnableWindow(disabledOwner, TRUE);
    SetActiveWindow(disabledOwner);
  }
  return result;
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  HWND dialog = KpCreateDialogFromTemplate(instance, templateName, parent, proc, param, false);
  if (!dialog) return nullptr;
  // A modeless dialog shows itself only when its template asks for it.
  if (KpDialogStateOf(dialog)->visibleInTemplate) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  KpDialogState* state = KpDialogStateOf(dialog);
  if (!state) return FALSE;
  state->ended = true;
  state->result = result;
  // The owner comes back before the dialog goes away, so that it is the window activated next.
  if (state->disabledOwner) {
    HWND owner = state->disabledOwner;
    state->disabledOwner = nullptr;
    if (IsWindow(owner)) {
      EnableWindow(owner, TRUE);
      ShowWindow(dialog, SW_HIDE);
      SetActiveWindow(owner);
    }
  } else {
    ShowWindow(dialog, SW_HIDE);
  }
  // Wakes the modal loop, which may be waiting for a message.
  PostMessageW(dialog, WM_NULL, 0, 0);
  return TRUE;
}
