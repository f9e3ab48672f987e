// The shell's small services: device-control initialisation, the tap-and-hold recogniser and the
// set-up of full-screen dialogs.
#include "aygshell.h"
#include "platform/ui/wm_internal.h"

using namespace kpwm;

namespace {

constexpr auto kHoldTime = std::chrono::milliseconds(500);
constexpr int kMoveTolerance = 5;   // pixels the stylus may wander and still be "held still"

}  // namespace

// The shell's own controls need no set-up here; the call exists because programs make it.
BOOL SHInitExtraControls() {
  EnsureStarted();
  return TRUE;
}

// A nested loop while the stylus is down: other messages (paints, timers) are dispatched as
// usual; the release is left in the queue for the window that took the press.
DWORD SHRecognizeGesture(SHRGINFO* info) {
  if (!info || !StylusIsDown()) return 0;
  Clock::time_point deadline = Clock::now() + kHoldTime;
  POINT down = info->ptDown;
  ClientToScreen(info->hwndClient, &down);
  QPoint startOnScreen(down.x, down.y);
  for (;;) {
    if (HasPostedMessage(WM_LBUTTONUP) || !StylusIsDown()) return 0;
    if (Clock::now() >= deadline) break;
    MSG msg;
    if (!Fetch(&msg, nullptr, 0, 0, false, true, deadline)) continue;
    if (msg.message == WM_LBUTTONUP || msg.message == WM_QUIT) return 0;
    if (!Fetch(&msg, nullptr, 0, 0, true, false, deadline)) continue;
    if (msg.message == WM_LBUTTONUP) {
      PutBack(msg);
      return 0;
    }
    if (msg.message == WM_MOUSEMOVE) {
      QPoint at(msg.pt.x, msg.pt.y);
      if ((at - startOnScreen).manhattanLength() > 2 * kMoveTolerance) return 0;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (!(info->dwFlags & SHRG_RETURNCMD) && (info->dwFlags & SHRG_NOTIFYPARENT)) {
    NMHDR notify{info->hwndClient, static_cast<UINT_PTR>(GetDlgCtrlID(info->hwndClient)), GN_CONTEXTMENU};
    HWND parent = GetParent(info->hwndClient);
    SendMessageW(parent ? parent : info->hwndClient, WM_NOTIFY, notify.idFrom, reinterpret_cast<LPARAM>(&notify));
  }
  return GN_CONTEXTMENU;
}

BOOL SHInitDialog(PSHINITDLGINFO info) {
  if (!info || !IsWindow(info->hDlg)) return FALSE;
  if (!(info->dwMask & SHIDIM_FLAGS)) return TRUE;
  if (info->dwFlags & SHIDIF_DONEBUTTON)
    SetWindowLongW(info->hDlg, GWL_EXSTYLE, GetWindowLongW(info->hDlg, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CAPTIONOKBTN));
  if (info->dwFlags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIZEDLG | SHIDIF_FULLSCREENNOMENUBAR)) {
    QRect area = WorkArea();
    if (info->dwFlags & SHIDIF_FULLSCREENNOMENUBAR) area.setHeight(area.height() + MenuBarHeight());
    MoveWindow(info->hDlg, area.x(), area.y(), area.width(), area.height(), TRUE);
  }
  return TRUE;
}
