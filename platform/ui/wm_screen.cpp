// The handheld screen: one image composited from the window buffers (parents under children,
// top-level windows in z-order), the title bar and the active window's menu bar, shown in one
// desktop window. Compositing happens only when something changed, at idle.
#include <QApplication>
#include <QTimer>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <fontconfig/fontconfig.h>

#include "kp_platform.h"
#include "platform/ui/kp_ui_internal.h"
#include "platform/ui/wm_internal.h"
#include "platform/ui/wm_look.h"

namespace kpwm {
namespace {

QSize ParseScreenSize() {
  const char* value = std::getenv("KALMENO_SCREEN");
  if (!value || !*value) return QSize(240, 320);
  int width = 0, height = 0;
  char end = 0;
  if (std::sscanf(value, "%dx%d%c", &width, &height, &end) == 2 && width >= 64 && height >= 96 && width <= 4096 &&
      height <= 4096)
    return QSize(width, height);
  std::fprintf(stderr, "KALMENO_SCREEN=%s is not WxH (at least 64x96); using 240x320\n", value);
  return QSize(240, 320);
}

const QSize& ScreenSize() {
  static const QSize size = ParseScreenSize();
  return size;
}

QImage g_screen;
bool g_dirty = true;

// Composition works in device pixels: each buffer is copied pixel for pixel to where its window
// lies on the screen.
void DrawTree(QPainter& painter, const Window* w, const QRect& clip, qreal scale) {
  if (!(w->style & WS_VISIBLE)) return;
  QRect onScreen = KpDeviceRect(ScreenRect(w), scale);
  QRect visible = clip.intersected(onScreen);
  if (visible.isEmpty()) return;
  painter.setClipRect(visible);
  painter.drawImage(QRect(onScreen.topLeft(), w->buffer.size()), w->buffer, w->buffer.rect());
  // The first child is the top of the z-order, so it is drawn last.
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) DrawTree(painter, *it, visible, scale);
}

void PaintMenuBarBand(QPainter& painter, qreal scale) {
  painter.setClipping(false);
  painter.fillRect(KpDeviceRect(QRect(0, ScreenHeight() - MenuBarHeight(), ScreenWidth(), MenuBarHeight()), scale),
                   look::kBarBack);
}

}  // namespace

int ScreenWidth() { return ScreenSize().width(); }
int ScreenHeight() { return ScreenSize().height(); }

QRect WorkArea() {
  return QRect(0, TitleBarHeight(), ScreenWidth(), ScreenHeight() - TitleBarHeight() - MenuBarHeight());
}

QRect CaptionOkButtonRect() { return QRect(ScreenWidth() - 36, 3, 32, TitleBarHeight() - 6); }

void PaintTitleBar(QImage& screen) {
  QPainter painter(&screen);
  QRect bar(0, 0, ScreenWidth(), TitleBarHeight());
  QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
  gradient.setColorAt(0, look::kTitleTop);
  gradient.setColorAt(1, look::kTitleBottom);
  painter.fillRect(bar, gradient);
  Window* active = CaptionWindow();
  if (!active) return;
  bool okButton = (active->exStyle & WS_EX_CAPTIONOKBTN) != 0;
  painter.setPen(look::kTitleText);
  painter.setFont(UiFont(13, true));
  QRect textRect = bar.adjusted(6, 0, okButton ? -40 : -6, 0);
  QString caption = KpQString(active->text);
  painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                   painter.fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width()));
  if (okButton) {
    QRect ok = CaptionOkButtonRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look::kTitleText, 1.5));
    painter.drawRoundedRect(QRectF(ok).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setFont(UiFont(12, true));
    painter.drawText(ok, Qt::AlignCenter, QStringLiteral("ok"));
  }
}

void MarkScreenDirty() { g_dirty = true; }

const QImage& ComposeScreen() {
  if (!g_dirty && !g_screen.isNull()) return g_screen;
  g_dirty = false;
  const qreal scale = ScreenScale();
  const QSize size = KpDeviceSize(ScreenSize(), scale);
  if (g_screen.size() != size) g_screen = QImage(size, QImage::Format_RGB32);
  g_screen.setDevicePixelRatio(1);
  g_screen.fill(look::kDesktop);
  {
    QPainter painter(&g_screen);
    QRect all(QPoint(0, 0), size);
    Window* active = CaptionWindow();
    const auto& tops = TopLevels();
    for (const Window* w : tops)
      if (w->role == Role::Normal) DrawTree(painter, w, all, scale);
    PaintMenuBarBand(painter, scale);
    for (const Window* w : tops)
      if (w->role == Role::MenuBar && w->owner == active) DrawTree(painter, w, all, scale);
    for (const Window* w : tops)
      if (w->role == Role::Notification) DrawTree(painter, w, all, scale);
    for (const Window* w : tops)
      if (w->role == Role::PopupMenu || w->role == Role::MessageBox) DrawTree(painter, w, all, scale);
  }
  // The title bar is drawn in the screen's pixels, at the full resolution.
  g_screen.setDevicePixelRatio(scale);
  PaintTitleBar(g_screen);
  ScheduleDesktopRepaint();
  return g_screen;
}

void ProcessHostEvents(int waitMs) {
  if (!QCoreApplication::instance()) return;
  if (waitMs == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  QTimer wake;
  wake.setTimerType(Qt::PreciseTimer);
  wake.setSingleShot(true);
  if (waitMs > 0) wake.start(waitMs);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void EnsureStarted() { KpInitialize(0, nullptr); }

}  // namespace kpwm

using namespace kpwm;

void KpInitialize(int argc, char** argv) {
  static bool started = false;
  if (started) return;
  started = true;
  // Reading the system's font configuration (dozens of XML files) is the longest part of a start
  // after the loading of the libraries, and needs nothing of Qt: it runs on a second core while
  // Qt loads its platform and the desktop window is made, and is done before the first font is
  // asked for (fontconfig itself is safe to call from any thread).
  std::thread fontConfiguration;
  if (!QCoreApplication::instance()) {
    // QApplication keeps references to argc and argv for its whole life.
    static int qtArgc = 1;
    static char programName[] = "kalmeno";
    static char* fallbackArgv[] = {programName, nullptr};
    static char** qtArgv = fallbackArgv;
    if (argc > 0 && argv) {
      qtArgc = argc;
      qtArgv = argv;
    }
    PrepareDesktopIdentity();
    fontConfiguration = std::thread([] { FcInit(); });
    new QApplication(qtArgc, qtArgv);
  }
  CreateDesktopWindow();
  InstallSessionEndSignals();
  MarkScreenDirty();
  if (fontConfiguration.joinable()) fontConfiguration.join();
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return ScreenWidth();
    case SM_CYSCREEN: return ScreenHeight();
    default: return 0;
  }
}
