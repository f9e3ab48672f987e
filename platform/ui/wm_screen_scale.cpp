// How many device pixels the desktop shows for each pixel of the handheld screen: the desktop's
// device pixel ratio (Qt works it out from the screen, QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS
// and Xft.dpi) times the user's zoom. Programs keep drawing in the screen's pixels; the window
// buffers and the composed screen hold device pixels, so text and lines are drawn at the
// desktop's full resolution instead of being enlarged afterwards.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "winreg.h"

namespace kpwm {
namespace {

// The zoom steps, in percent, that Ctrl + and Ctrl - move through.
constexpr int kZoomSteps[] = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
constexpr int kMinZoom = 50, kMaxZoom = 400;
// Each program's zoom, remembered per user: a DWORD of percent, named after the program.
constexpr const char16_t* kZoomKey = u"Software\\Kalmeno\\Zoom";

qreal g_ratio = 0;  // 0: not read from the screen yet
int g_zoom = 0;     // percent; 0: not chosen yet

QScreen* DesktopScreen() { return QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr; }

// The zoom a program opens at when the user has chosen none: the whole factor, 1 to 3, that fills
// at most 85% of the desktop's height. A headless desktop (offscreen) has no one to fit the
// window for: there the screen is shown as it is, so screenshots have the screen's own size.
int FittingZoom() {
  QScreen* screen = DesktopScreen();
  if (!screen || QGuiApplication::platformName() == QLatin1String("offscreen")) return 100;
  return 100 * std::clamp(static_cast<int>(screen->availableGeometry().height() * 0.85 / ScreenHeight()), 1, 3);
}

// The largest zoom whose window still fits on the desktop (never less than the fitting zoom).
int LargestZoom() {
  QScreen* screen = DesktopScreen();
  if (!screen) return kMaxZoom;
  const int fits = static_cast<int>(screen->availableGeometry().height() * 100.0 / ScreenHeight());
  return std::clamp(fits, FittingZoom(), kMaxZoom);
}

std::u16string ZoomValueName() { return KpFromUtf8(KpProgramName()); }

int StoredZoom() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kZoomKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD type = 0, value = 0, size = sizeof value;
  const LONG status = RegQueryValueExW(key, ZoomValueName().c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  // A damaged or foreign value is ignored: the screen opens at its fitting size.
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return value >= DWORD(kMinZoom) && value <= DWORD(kMaxZoom) ? static_cast<int>(value) : 0;
}

void StoreZoom(int percent) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kZoomKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const std::u16string name = ZoomValueName();
  if (percent == 0) {
    RegDeleteValueW(key, name.c_str());
  } else {
    const DWORD value = static_cast<DWORD>(percent);
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  RegCloseKey(key);
}

void RescaleTree(Window* w) {
  ResizeBuffer(w);
  // What the programs paint is drawn again at the new density; what they do not paint keeps
  // its old pixels, enlarged or reduced.
  InvalidateClient(w, QRegion(QRect(QPoint(0, 0), w->rect.size())), false);
  for (Window* c : w->children) RescaleTree(c);
}

void Rescale() {
  for (Window* w : TopLevels()) RescaleTree(w);
  MarkScreenDirty();
  DesktopScaleChanged();
}

}  // namespace

qreal DeviceRatio() {
  if (g_ratio <= 0) {
    QScreen* screen = DesktopScreen();
    g_ratio = screen ? screen->devicePixelRatio() : 1;
    if (!(g_ratio > 0)) g_ratio = 1;
  }
  return g_ratio;
}

int ZoomPercent() {
  if (g_zoom == 0) {
    const int stored = StoredZoom();
    g_zoom = stored ? stored : FittingZoom();
  }
  return g_zoom;
}

qreal ScreenScale() { return DeviceRatio() * ZoomPercent() / 100.0; }

void SetDeviceRatio(qreal ratio) {
  if (!(ratio > 0) || ratio == DeviceRatio()) return;
  g_ratio = ratio;
  Rescale();
}

bool StepZoom(int direction) {
  const int now = ZoomPercent();
  int next = now;
  if (direction == 0) {
    next = FittingZoom();
    StoreZoom(0);
  } else if (direction > 0) {
    for (int step : kZoomSteps)
      if (step > now) {
        next = step;
        break;
      }
    next = std::min(next, std::max(now, LargestZoom()));
  } else {
    for (int step : kZoomSteps)
      if (step < now) next = step;
  }
  if (direction != 0 && next != now) StoreZoom(next);
  if (next == now) return false;
  g_zoom = next;
  Rescale();
  return true;
}

}  // namespace kpwm
