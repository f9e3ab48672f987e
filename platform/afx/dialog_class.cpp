// The window class "Dialog": every dialog window runs this procedure. It hands each message to
// the dialog procedure first and does the platform's default dialog processing for what the
// procedure leaves (returns FALSE for).
#include <memory>
#include <unordered_map>

#include "platform/afx/kp_dialog_class.h"
#include "platform/afx/kp_dialog_internal.h"

namespace {

std::unordered_map<HWND, std::unique_ptr<KpDialogState>>& States() {
  static std::unordered_map<HWND, std::unique_ptr<KpDialogState>> states;
  return states;
}

// Messages whose answer is the dialog procedure's return value itself rather than
// DWLP_MSGRESULT, as the platform defines them.
bool ReturnsValueDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_INITDIALOG;
}

LRESULT DefaultDialogProcessing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // Controls stand on the dialog's white background with black text.
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (dc) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      }
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_CLOSE:
      // Closing from outside means cancel: the dialog decides what cancel does.
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case WM_SETFOCUS: {
      // The dialog hands the focus on to a control: the one that had it before a dialog above
      // took it, else the first tab stop.
      KpDialogState* state = KpDialogStateOf(dialog);
      HWND target = state && state->savedFocus && IsWindow(state->savedFocus) && GetParent(state->savedFocus)
                        ? state->savedFocus
                        : KpFirstTabStop(dialog);
      if (state) state->savedFocus = nullptr;
      if (target) SetFocus(target);
      return 0;
    }
    case WM_GETFONT: {
      KpDialogState* state = KpDialogStateOf(dialog);
      return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
    }
    case WM_INITDIALOG:
      return TRUE;
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

LRESULT Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  KpDialogState* state = KpDialogStateOf(dialog);
  if (state && state->proc) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
    INT_PTR handled = state->proc(dialog, message, wParam, lParam);
    if (handled) {
      if (ReturnsValueDirectly(message)) return handled;
      // The procedure may have destroyed its own window while handling the message.
      return IsWindow(dialog) ? GetWindowLongPtrW(dialog, DWLP_MSGRESULT) : 0;
    }
    if (!IsWindow(dialog) && message != WM_NCDESTROY) return 0;
    // FALSE from WM_INITDIALOG means "I placed the focus myself".
    if (message == WM_INITDIALOG) return FALSE;
  }
  return DefaultDialogProcessing(dialog, message, wParam, lParam);
}

LRESULT CALLBACK DialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* pending = create ? static_cast<KpDialogState*>(create->lpCreateParams) : nullptr;
    auto state = std::make_unique<KpDialogState>();
    if (pending) *state = *pending;
    state->proc = nullptr;  // set once creation is over
    States()[dialog] = std::move(state);
    return DefWindowProcW(dialog, message, wParam, lParam);
  }
  LRESULT result = Dispatch(dialog, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The last message of the window: its children are gone, so the font can go too.
    auto found = States().find(dialog);
    if (found != States().end()) {
      if (found->second->ownsFont) DeleteObject(found->second->font);
      States().erase(found);
    }
  }
  return result;
}

}  // namespace

KpDialogState* KpDialogStateOf(HWND dialog) {
  auto found = States().find(dialog);
  return found == States().end() ? nullptr : found->second.get();
}

LPCWSTR KpDialogClassName() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DialogWindowProc;
    // Room for DWLP_MSGRESULT and DWLP_USER.
    windowClass.cbWndExtra = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = u"Dialog";
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
  return u"Dialog";
}
