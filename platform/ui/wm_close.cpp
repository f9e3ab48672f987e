// Ending from outside the handheld's windows: the desktop window's close button, a request to
// bring the program forward, and the end of the desktop session (SIGTERM, SIGHUP, and SIGINT: a
// Ctrl+C in the terminal that started the program ends it as a session end does, saving first).
//
// The close button closes the windows top first, each as a person would: a message box with its
// button, a secondary dialog as its cancel button would, and last the bottom window with its
// title bar's "ok" (or cancel, when it has no such button). A window that stays open after its
// turn, or a window that opens meanwhile, ends the request there.
//
// A session-end signal only writes its number into a pipe (all a signal handler may safely do);
// the loop reads it like any other event, sends WM_ENDSESSION to every top-level window, bottom
// first, and then ends the process with 128 + the signal's number.
#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "kp_platform.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

HWND g_closing = nullptr;  // the window the close request waits to see go, or null

Window* BottomWindow() {
  for (Window* w : TopLevels())
    if (w->role == Role::Normal && (w->style & WS_VISIBLE)) return w;
  return nullptr;
}

void CloseStep() {
  g_closing = nullptr;
  Window* active = ActiveTopLevel();
  if (!active) return;
  if (active == BottomWindow()) {
    const UINT id = (active->exStyle & WS_EX_CAPTIONOKBTN) ? IDOK : IDCANCEL;
    PostMessageW(Handle(active), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return;
  }
  PostMessageW(Handle(active), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  g_closing = Handle(active);
}

int g_signalPipe[2] = {-1, -1};

void OnSessionEndSignal(int signal) {
  const int saved = errno;
  const unsigned char number = static_cast<unsigned char>(signal);
  (void)!write(g_signalPipe[1], &number, 1);
  errno = saved;
}

void EndSession(int signal) {
  std::vector<HWND> windows;
  for (Window* w : TopLevels())
    if (w->role == Role::Normal) windows.push_back(Handle(w));
  for (HWND window : windows)
    if (IsWindow(window)) SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  KpQuitNow(128 + signal);
}

}  // namespace

void RequestClose() {
  if (!g_closing) CloseStep();
}

bool ContinueClose() {
  if (!g_closing) return false;
  Window* waited = FromHandle(g_closing);
  if (waited && (waited->style & WS_VISIBLE)) {
    g_closing = nullptr;  // it stayed open: the request ends here
    return false;
  }
  CloseStep();
  return true;
}

void InstallSessionEndSignals() {
  if (g_signalPipe[0] >= 0 || pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    unsigned char number = 0;
    if (read(g_signalPipe[0], &number, 1) == 1) EndSession(number);
  });
  struct sigaction action {};
  action.sa_handler = OnSessionEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace kpwm

BOOL SetForegroundWindow(HWND window) {
  kpwm::Window* w = kpwm::FromHandle(window);
  if (!w) return FALSE;
  SetActiveWindow(window);
  for (QWidget* desktop : QApplication::topLevelWidgets()) {
    if (!desktop->isVisible()) continue;
    desktop->showNormal();
    desktop->raise();
    desktop->activateWindow();
  }
  kpwm::TraceWindowPlacement(w);
  return TRUE;
}
