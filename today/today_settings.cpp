#include "today/today_settings.h"

#include "wingdi.h"

namespace {

// The screen's resolution is asked once and kept: it does not change while the shell runs.
// -1 stands for "no screen device context could be had", as the shell's own code does.
void FetchScreenResolution() {
  if (g_item.nDpiX != 0) return;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) {
    g_item.nDpiX = -1;
    g_item.nDpiY = -1;
    return;
  }
  g_item.nDpiX = GetDeviceCaps(screen, LOGPIXELSX);
  g_item.nDpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
}

int Scale(int units, int dpi) {
  long long magnitude = units < 0 ? -(long long)units : units;
  long long scaled = (magnitude * dpi + 48) / 96;
  return (int)(units < 0 ? -scaled : scaled);
}

}  // namespace

void ApplyDefaults(TodaySettings& settings) {
  settings.nReminderUnit = 0;
  settings.nListCount = 0;
  settings.nLunarLine = 0;
  settings.nDdayEntry = 0;
  settings.nDdayLine = 1;
  settings.nReminderValue = 0;
}

void ApplyDefaultSettings() {
  if (g_settings.bConfirmed != 0) return;
  ApplyDefaults(g_settings);
}

int ItemHeightUnits() {
  ApplyDefaultSettings();
  int lines = g_settings.nListCount + 1;
  if (g_settings.nLunarLine == 0) lines += 1;
  if (g_settings.nDdayLine == 0) lines += 1;
  return 20 * lines;
}

int ScaleX(int units) {
  FetchScreenResolution();
  return Scale(units, g_item.nDpiX);
}

int ScaleY(int units) {
  FetchScreenResolution();
  return Scale(units, g_item.nDpiY);
}
