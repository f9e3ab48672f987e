// The desktop window: a Qt widget that shows the composited handheld screen (composed at the
// desktop's density and the user's zoom, wm_screen_scale.cpp) and feeds the one input path with
// its mouse, keyboard and input-method events. Its close button closes the handheld's windows top
// first (wm_close.cpp). It carries the program's name and icon (wm_desktop_identity.cpp).
#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

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

// Ctrl + (or Ctrl =), Ctrl - and Ctrl 0, on the main keys or the keypad: -1, 1 or 0 for StepZoom;
// anything else: 2.
int ZoomKey(const QKeyEvent* e) {
  if (!(e->modifiers() & Qt::ControlModifier)) return 2;
  switch (e->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: return 1;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return -1;
    case Qt::Key_0: return 0;
  }
  return 2;
}

// The desktop window: shows the screen image and feeds the one input path.
class DesktopWidget : public QWidget {
 public:
  DesktopWidget() {
    ApplyDesktopIdentity(this);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    FitToZoom();
  }
  // The screen's size in the desktop's pixels at the current zoom.
  void FitToZoom() {
    m_zoom = ZoomPercent() / 100.0;
    setFixedSize(std::lround(ScreenWidth() * m_zoom), std::lround(ScreenHeight() * m_zoom));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, width(), height()), ComposeScreen());
  }
  bool event(QEvent* e) override {
    // Moved to a screen of another density (or the desktop's scale was changed): compose anew.
    bool densityChanged = e->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    densityChanged = densityChanged || e->type() == QEvent::DevicePixelRatioChange;
#endif
    if (densityChanged) SetDeviceRatio(devicePixelRatioF());
    return QWidget::event(e);
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
    if (int zoom = ZoomKey(e); zoom != 2) {
      StepZoom(zoom);
      return;
    }
    if (int vk = VirtualKeyOf(e->key())) KeyDown(vk);
    if (!e->text().isEmpty()) TypeText(e->text().toStdU16String());
  }
  // Input methods (Korean) only compose and commit text in a widget that says it takes it, and
  // open their candidate window at the rectangle it gives.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
    if (query == Qt::ImEnabled) return true;
    if (query == Qt::ImCursorRectangle) {
      // The caret the focus window reported, in this window's (scaled) pixels.
      QRect caret = InputMethodCaretOnScreen();
      if (caret.isEmpty()) return QRect(0, height() - 1, 1, 1);
      return QRect((QPointF(caret.topLeft()) * m_zoom).toPoint(), (QSizeF(caret.size()) * m_zoom).toSize());
    }
    return QWidget::inputMethodQuery(query);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    InputMethodText(e->preeditString().toStdU16String(), e->commitString().toStdU16String());
    e->accept();
  }
  // The close button closes the handheld's windows as a person would (see RequestClose); the
  // desktop window goes when the program ends.
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    RequestClose();
  }

 private:
  QPoint ToScreen(QMouseEvent* e) const {
    QPointF p = e->position() / m_zoom;
    return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
  }
  qreal m_zoom = 1;
};

// Showing the screen in the desktop window costs more than composing it, and a person sees no
// difference under 60 frames a second: bursts of paints reach the desktop window at most every
// 15 ms.
}  // namespace

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

void DesktopScaleChanged() {
  if (g_desktop) g_desktop->FitToZoom();
}

void CreateDesktopWindow() {
  // A test may have started a bare GUI application; without widgets there is no desktop window,
  // but the screen is still composited (for `shot`).
  if (g_desktop || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  g_desktop = new DesktopWidget;
  g_desktop->show();
}

}  // namespace kpwm
