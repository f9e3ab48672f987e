// The smallest Qt program that shows a window: the yardstick for Kalmeno's start. It writes one
// line to its standard output when its window is first painted, and ends there.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>

class FirstPaint : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::white);
    std::puts("painted");
    std::fflush(stdout);
    QApplication::quit();
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FirstPaint window;
  window.resize(240, 320);
  window.show();
  return app.exec();
}
