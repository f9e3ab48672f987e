// Sent and posted messages, the queue, and the loop functions. The queue is fed by PostMessageW,
// by the one input path (the desktop window's events and the script's taps) and by timers;
// WM_PAINT and WM_TIMER are made up when the queue is otherwise empty, as on the platform.
#include <algorithm>
#include <deque>

#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

std::deque<MSG>& Queue() {
  static std::deque<MSG> queue;
  return queue;
}
bool g_quitPosted = false;
int g_quitCode = 0;

bool IsSelfOrDescendant(HWND candidate, HWND ancestor) {
  for (Window* w = FromHandle(candidate); w; w = w->parent)
    if (Handle(w) == ancestor) return true;
  return false;
}

bool Matches(const MSG& m, HWND filter, UINT first, UINT last) {
  if (filter && !IsSelfOrDescendant(m.hwnd, filter)) return false;
  if (first == 0 && last == 0) return true;
  return m.message >= first && m.message <= last;
}

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

}  // namespace

DWORD Now() {
  static const Clock::time_point start = Clock::now();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

Clock::time_point Forever() { return Clock::time_point::max(); }

void Post(const MSG& msg) { Queue().push_back(msg); }
void PutBack(const MSG& msg) { Queue().push_front(msg); }

bool HasPostedMessage(UINT message) {
  for (const MSG& m : Queue())
    if (m.message == message) return true;
  return false;
}

void DropMessagesFor(const Window* window) {
  auto& q = Queue();
  q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG& m) { return m.hwnd == Handle(const_cast<Window*>(window)); }),
          q.end());
}

bool Fetch(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait, Clock::time_point deadline) {
  for (;;) {
    ProcessHostEvents(0);
    auto& q = Queue();
    for (auto it = q.begin(); it != q.end(); ++it) {
      if (!Matches(*it, filter, first, last)) continue;
      *msg = *it;
      if (remove) {
        q.erase(it);
        NoteKeyMessage(*msg);
      }
      return true;
    }
    if (g_quitPosted) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0, Now(), {0, 0}};
      if (remove) g_quitPosted = false;
      return true;
    }
    if (InRange(WM_PAINT, first, last)) {
      if (Window* w = NextWindowToPaint(filter)) {
        *msg = MSG{Handle(w), WM_PAINT, 0, 0, Now(), {0, 0}};
        return true;
      }
    }
    if (NextDueTimer(filter, first, last, remove, msg)) return true;

    // Idle: show what was drawn, then let the script act as the user would.
    ComposeScreen();
    if (RunScriptStep() || ContinueClose()) continue;
    Clock::time_point now = Clock::now();
    if (wait && now >= deadline) return false;
    if (KpClockIsStepped()) {
      // A stepped clock moves only while the script waits for a time: on to the next timer, the
      // end of the caller's wait or the end of the script's, whichever comes first.
      if (Clock::time_point scriptEnd = ScriptWaitEnd(); scriptEnd != Forever()) {
        Clock::time_point next = std::min({scriptEnd, EarliestTimer(now), wait ? deadline : Forever()});
        KpAdvanceClock(static_cast<DWORD>(
            std::max<long long>(1, std::chrono::ceil<std::chrono::milliseconds>(next - now).count())));
        continue;
      }
      if (!wait) return false;
      // Otherwise the clock moves at the real pace, in 10 ms steps, while something is timed (what
      // the script waits until, a timer, the caller's deadline), so that nothing waits forever;
      // with nothing timed only the outside world (real input) can change anything.
      if (ScriptDeadline() == Forever() && EarliestTimer(now) == Forever() && deadline == Forever()) {
        ProcessHostEvents(-1);
      } else {
        ProcessHostEvents(10);
        KpAdvanceClock(10);
      }
      continue;
    }
    if (!wait) return false;
    Clock::time_point wake = std::min({deadline, EarliestTimer(), ScriptDeadline()});
    int waitMs = -1;
    if (wake != Forever())
      waitMs = std::max<int>(1, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count()) + 1);
    ProcessHostEvents(waitMs);
  }
}

}  // namespace kpwm

using namespace kpwm;

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(window);
  if (!w || !w->proc) return 0;
  return w->proc(window, message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !FromHandle(window)) {
    SetLastError(1400);   // ERROR_INVALID_WINDOW_HANDLE
    return FALSE;
  }
  Post(MSG{window, message, wParam, lParam, Now(), {0, 0}});
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  g_quitPosted = true;
  g_quitCode = exitCode;
}

BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  EnsureStarted();
  Fetch(msg, window, filterMin, filterMax, true, true, Forever());
  return msg->message != WM_QUIT;
}

BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  if (!msg) return FALSE;
  EnsureStarted();
  return Fetch(msg, window, filterMin, filterMax, (remove & PM_REMOVE) != 0, false, Forever());
}

// Printable characters arrive from the keyboard as WM_CHAR already (one per UTF-16 unit,
// input-method commits included). The keys that type a control character (Enter, Tab, Backspace,
// Escape) are translated here, so that a key a dialog used for itself types nothing.
BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  const WPARAM key = msg->wParam;
  if (key == VK_RETURN || key == VK_TAB || key == VK_BACK || key == VK_ESCAPE)
    PutBack(MSG{msg->hwnd, WM_CHAR, key, msg->lParam, msg->time, msg->pt});
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, Now());
    return 0;
  }
  Window* w = FromHandle(msg->hwnd);
  if (!w) return 0;
  if (msg->message != WM_PAINT) return CallWindowProcW(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
  unsigned paintsBefore = w->paintCount;
  LRESULT result = CallWindowProcW(w->proc, msg->hwnd, WM_PAINT, msg->wParam, msg->lParam);
  // A WM_PAINT handler that never began a paint would otherwise be asked again forever.
  if (IsLive(w) && w->paintCount == paintsBefore) ValidateRect(msg->hwnd, nullptr);
  return result;
}
