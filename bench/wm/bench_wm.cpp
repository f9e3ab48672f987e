// The window manager's own costs around a repaint: invalidating a 240 x 268 window, dispatching
// its WM_PAINT (BeginPaint, one FillRect, EndPaint) and compositing the screen at idle; and a
// posted message's trip through the queue to its window procedure.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "kp_platform.h"
#include "windows.h"

namespace {

HBRUSH g_fill;
int g_received;

LRESULT BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, g_fill);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_USER) {
    ++g_received;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND BenchWindow() {
  static HWND window = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    KpInitialize(0, nullptr);
    g_fill = CreateSolidBrush(RGB(240, 240, 255));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BenchProc;
    windowClass.lpszClassName = u"BenchWindow";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, u"BenchWindow", u"Bench", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  }();
  return window;
}

void DrainQueue() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void BM_InvalidatePaintAndCompose(benchmark::State& state) {
  HWND window = BenchWindow();
  DrainQueue();
  for (auto _ : state) {
    InvalidateRect(window, nullptr, FALSE);
    DrainQueue();   // dispatches WM_PAINT, then composites the screen when the queue is idle
  }
}
BENCHMARK(BM_InvalidatePaintAndCompose)->Unit(benchmark::kMicrosecond);

void BM_PostedMessageRoundTrip(benchmark::State& state) {
  HWND window = BenchWindow();
  DrainQueue();
  for (auto _ : state) {
    PostMessageW(window, WM_USER, 0, 0);
    DrainQueue();
  }
  benchmark::DoNotOptimize(g_received);
}
BENCHMARK(BM_PostedMessageRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
