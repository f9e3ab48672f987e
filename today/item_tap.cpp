// A tap on the item: the moon plays its phases, anywhere else starts the application.
#include <cstring>

#include "today/item_window.h"
#include "today/load_entries.h"
#include "today/today_settings.h"

namespace {

bool IsOnMoon(int x, int y) {
  return x >= g_rcMoon.left && x <= g_rcMoon.right && y >= g_rcMoon.top && y <= g_rcMoon.bottom;
}

// Starts the application by the path the installation stored; the item neither waits for it
// nor looks at it again.
LRESULT StartApplication() {
  WCHAR szExe[MAX_PATH];
  int status = ReadItemValue(u"EXE", szExe);
  if (status == -1) {
    ShowItemMessage(u"레지스트리 오픈 에러", u"Kalmeno");
    return -1;
  }
  if (status == -2) {
    ShowItemMessage(u"EXE 파일의 경로정보가 존재하지 않습니다. 다시 설치하시기 바랍니다.", u"");
    return -1;
  }
  STARTUPINFOW startup;
  std::memset(&startup, 0, sizeof(startup));
  startup.cb = 68;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof(process));
  if (!CreateProcessW(szExe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    ShowItemMessage(u"Kalmeno를 실행할 수 없습니다. 다시 설치하시기 바랍니다.", u"런칭 에러");
  return 0;
}

}  // namespace

LRESULT HandleTap(HWND window, int x, int y) {
  if (IsOnMoon(x, y) && g_settings.nLunarLine == 0) {
    int day = g_lunarToday.byDay;
    // Outside the calendar's years there is no phase to start from or stop on: the tap is spent.
    if (g_bAnimating || day < 1 || day > MOON_PHASES) return 0;
    g_nFrame = day % MOON_PHASES;  // the phase after today's
    g_bAnimating = 1;
    SetTimer(window, IDT_MOON, 40, nullptr);
    return 0;
  }
  return StartApplication();
}

void StepMoonAnimation(HWND window) {
  if (!g_bAnimating) {
    KillTimer(window, IDT_MOON);
    return;
  }
  // A new day outside the calendar's years (after midnight) leaves no phase to stop on.
  int day = g_lunarToday.byDay;
  if (g_nFrame == day - 1 || day < 1 || day > MOON_PHASES) {
    KillTimer(window, IDT_MOON);
    g_bAnimating = 0;
    InvalidateRect(window, &g_rcMoon, FALSE);
    return;
  }
  InvalidateRect(window, &g_rcMoon, FALSE);
  g_nFrame += 1;
  if (g_nFrame == MOON_PHASES) g_nFrame = 0;
}
