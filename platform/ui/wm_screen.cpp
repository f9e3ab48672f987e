// The handheld screen: one image composited from the window buffers (parents under children,
// top-level windows in z-order), the title bar and the active window's menu bar, shown in one
// desktop window. Compositing happens only when something changed, at idle.
#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "kp_platform.h"
#include "kp_ui_internal.h"
#include "wm_internal.h"
#include "wm_look.h"

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
class DesktopWidget;
DesktopWidget* g_desktop = nullptr;

int VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Delete: return VK_DELETE;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  return 0;
}

// The desktop window: shows the screen image (scaled by a whole factor on large displays) and
// feeds the one input path.
class DesktopWidget : public QWidget {
 public:
  DesktopWidget() {
    setWindowTitle(QStringLiteral("Kalmeno"));
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    int scale = 1;
    if (QScreen* screen = QGuiApplication::primaryScreen())
      scale = std::clamp(static_cast<int>(screen->availableGeometry().height() * 0.85 / ScreenHeight()), 1, 3);
    m_scale = scale;
    setFixedSize(ScreenWidth() * scale, ScreenHeight() * scale);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(QRect(0, 0, width(), height()), ComposeScreen());
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) StylusDown(ToScreen(e));
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (e->buttons() & Qt::LeftButton) StylusMove(ToScreen(e));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) StylusUp(ToScreen(e));
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (int vk = VirtualKeyOf(e->key())) KeyDown(vk);
    if (!e->text().isEmpty()) TypeText(e->text().toStdU16String());
  }
  // Input methods (Korean) only commit text to a widget that says it takes it.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
    if (query == Qt::ImEnabled) return true;
    if (query == Qt::ImCursorRectangle) return QRect(0, height() - 1, 1, 1);
    return QWidget::inputMethodQuery(query);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (!e->commitString().isEmpty()) TypeText(e->commitString().toStdU16String());
    e->accept();
  }
  // Closing the desktop window is the "closed from outside" path: the active window gets IDCANCEL.
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (Window* active = ActiveTopLevel()) PostMessageW(Handle(active), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  }

 private:
  QPoint ToScreen(QMouseEvent* e) const {
    QPointF p = e->position() / m_scale;
    return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
  }
  int m_scale = 1;
};

// Showing the screen in the desktop window costs more than composing it, and a person sees no
// difference under 60 frames a second: bursts of paints reach the desktop window at most every
// 15 ms.
void ScheduleDesktopRepaint() {
  if (!g_desktop) return;
  static QTimer* timer = [] {
    auto* t = new QTimer(g_desktop);
    t->setSingleShot(true);
    t->setInterval(15);
    QObject::connect(t, &QTimer::timeout, g_desktop, [] { g_desktop->update(); });
    return t;
  }();
  if (!timer->isActive()) timer->start();
}

void DrawTree(QPainter& painter, const Window* w, const QRect& clip) {
  if (!(w->style & WS_VISIBLE)) return;
  QRect onScreen = ScreenRect(w);
  QRect visible = clip.intersected(onScreen);
  if (visible.isEmpty()) return;
  painter.setClipRect(visible);
  painter.drawImage(onScreen.topLeft(), w->buffer);
  // The first child is the top of the z-order, so it is drawn last.
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) DrawTree(painter, *it, visible);
}

void PaintMenuBarBand(QPainter& painter) {
  painter.setClipping(false);
  painter.fillRect(QRect(0, ScreenHeight() - MenuBarHeight(), ScreenWidth(), MenuBarHeight()), look::kBarBack);
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
  Window* active = ActiveTopLevel();
  if (!active) return;
  bool okButton = (active->exStyle & WS_EX_CAPTIONOKBTN) != 0;
  painter.setPen(look::kTitleText);
  painter.setFont(UiFont(13, true));
  QRect textRect = bar.adjusted(6, 0, okButton ? -40 : -6, 0);
  QString caption = QString::fromStdU16String(active->text);
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
  if (g_screen.size() != ScreenSize()) g_screen = QImage(ScreenSize(), QImage::Format_RGB32);
  g_screen.fill(look::kDesktop);
  {
    QPainter painter(&g_screen);
    QRect all(QPoint(0, 0), ScreenSize());
    Window* active = ActiveTopLevel();
    const auto& tops = TopLevels();
    for (const Window* w : tops)
      if (w->role == Role::Normal) DrawTree(painter, w, all);
    PaintMenuBarBand(painter);
    for (const Window* w : tops)
      if (w->role == Role::MenuBar && w->owner == active) DrawTree(painter, w, all);
    for (const Window* w : tops)
      if (w->role == Role::PopupMenu || w->role == Role::MessageBox) DrawTree(painter, w, all);
  }
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
    new QApplication(qtArgc, qtArgv);
  }
  // A test may have started a bare GUI application; without widgets there is no desktop window,
  // but the screen is still composited (for `shot`).
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    g_desktop = new DesktopWidget;
    g_desktop->show();
  }
  MarkScreenDirty();
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return ScreenWidth();
    case SM_CYSCREEN: return ScreenHeight();
    default: return 0;
  }
}
