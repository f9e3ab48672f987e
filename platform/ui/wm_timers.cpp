// Window timers. A due timer becomes one WM_TIMER when the queue is otherwise empty; a timer that
// fell behind does not pile up messages, it is simply due again one interval after it was taken.
#include <algorithm>

#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  Clock::time_point due;
};

std::vector<Timer>& Timers() {
  static std::vector<Timer> timers;
  return timers;
}

bool BelongsTo(HWND window, HWND filter) {
  if (!filter) return true;
  for (Window* w = FromHandle(window); w; w = w->parent)
    if (Handle(w) == filter) return true;
  return false;
}

}  // namespace

bool NextDueTimer(HWND filter, UINT first, UINT last, bool remove, MSG* msg) {
  if (!(first == 0 && last == 0) && !(WM_TIMER >= first && WM_TIMER <= last)) return false;
  Clock::time_point now = Clock::now();
  Timer* best = nullptr;
  for (Timer& t : Timers())
    if (t.due <= now && BelongsTo(t.window, filter) && (!best || t.due < best->due)) best = &t;
  if (!best) return false;
  *msg = MSG{best->window, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), Now(), {0, 0}};
  if (remove) best->due = now + std::chrono::milliseconds(best->elapse);
  return true;
}

Clock::time_point EarliestTimer(Clock::time_point after) {
  Clock::time_point earliest = Forever();
  for (const Timer& t : Timers())
    if (t.due > after) earliest = std::min(earliest, t.due);
  return earliest;
}

void KillTimersOf(const Window* window) {
  auto& timers = Timers();
  HWND handle = Handle(const_cast<Window*>(window));
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == handle; }),
               timers.end());
}

}  // namespace kpwm

using namespace kpwm;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (window && !FromHandle(window)) return 0;
  // As on the platform, intervals below 10 ms are raised to 10 ms.
  elapse = std::max<UINT>(elapse, 10);
  if (!window) {
    static UINT_PTR nextId = 0x7F00;
    id = ++nextId;
  }
  Clock::time_point due = Clock::now() + std::chrono::milliseconds(elapse);
  for (Timer& t : Timers())
    if (t.window == window && t.id == id) {
      t = Timer{window, id, elapse, proc, due};
      return window ? (id ? id : 1) : id;
    }
  Timers().push_back(Timer{window, id, elapse, proc, due});
  return window ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  auto& timers = Timers();
  auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}
