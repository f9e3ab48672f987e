#include <gtest/gtest.h>

#include "tests/platform_wm/wm_test_support.h"

#include <chrono>
#include <sstream>

#include "kp_platform.h"

namespace wmtest {
namespace {

// Every test here runs on the stepped clock: timers, waits and the tap-and-hold time move only as
// the tests let time pass, so what they observe does not depend on the machine's load.
const bool g_steppedClock = (KpUseSteppedClock(), true);

Hook g_hook;

LRESULT RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Seen{window, message, wParam, lParam});
  LRESULT result = 0;
  if (g_hook && g_hook(window, message, wParam, lParam, &result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

std::string Row(UINT message, LONG_PTR wParam, LONG_PTR lParam) {
  std::ostringstream out;
  out << MessageName(message) << "(" << (wParam == kAny ? std::string("*") : std::to_string(wParam)) << ", "
      << (lParam == kAny ? std::string("*") : std::to_string(lParam)) << ")";
  return out.str();
}

}  // namespace

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}

void SetHook(Hook hook) { g_hook = std::move(hook); }

void RegisterRecorderClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.lpszClassName = u"Recorder";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassW(&windowClass);
}

std::vector<Seen> Relevant(const std::vector<Seen>& log) {
  std::vector<Seen> out;
  for (const Seen& s : log)
    if (s.message != WM_GETTEXT && s.message != WM_GETTEXTLENGTH) out.push_back(s);
  return out;
}

::testing::AssertionResult SameSequence(const std::vector<Seen>& actual, const std::vector<Expected>& expected) {
  bool same = actual.size() == expected.size();
  for (size_t i = 0; same && i < actual.size(); ++i) {
    const Expected& e = expected[i];
    const Seen& a = actual[i];
    same = a.message == e.message && (e.wParam == kAny || static_cast<LONG_PTR>(a.wParam) == e.wParam) &&
           (e.lParam == kAny || a.lParam == e.lParam) && (!e.window || e.window == a.window);
  }
  if (same) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << "\n  actual:";
  for (const Seen& a : actual) out << " " << Row(a.message, static_cast<LONG_PTR>(a.wParam), a.lParam);
  out << "\n  expected:";
  for (const Expected& e : expected) out << " " << Row(e.message, e.wParam, e.lParam);
  return ::testing::AssertionFailure() << out.str();
}

bool PumpUntil(const std::function<bool()>& done, int patienceMs) {
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
  while (!done() && std::chrono::steady_clock::now() < giveUp) {
    PumpIdle();
    if (!done()) Sleep(1);
  }
  return done();
}

void PumpIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::string MessageName(UINT message) {
  switch (message) {
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_MOVE: return "WM_MOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_ENABLE: return "WM_ENABLE";
    case WM_PAINT: return "WM_PAINT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_TIMER: return "WM_TIMER";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_CHAR: return "WM_CHAR";
  }
  if (message >= WM_USER) return "WM_USER+" + std::to_string(message - WM_USER);
  return "0x" + std::to_string(message);
}

}  // namespace wmtest
