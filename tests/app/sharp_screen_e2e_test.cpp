// The month view on denser desktops: the program keeps its 240 x 320 coordinates (the same texts
// at the same places in the trace) while the screen is drawn at the desktop's device pixel ratio:
// fills and lines land on whole device pixels where the 1:1 picture has them, and text is drawn at
// the full resolution rather than enlarged.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

struct Density {
  const char* variable;
  const char* value;
  double ratio;
};

// Where a screen pixel's edge lies in device pixels.
int Device(int v, double ratio) { return static_cast<int>(std::floor(v * ratio + 0.5)); }

std::vector<std::vector<std::string>> TextFields(const std::vector<e2e::TraceLine>& lines) {
  std::vector<std::vector<std::string>> fields;
  for (const auto& line : e2e::Select(lines, "text")) fields.push_back(line.fields);
  return fields;
}

// The screen row y of the 1:1 picture, as a denser picture must show it: each screen pixel
// spread over the device pixels it covers. Returns how many device pixels differ.
int RowDifferences(const QImage& one, const QImage& dense, int y, double ratio) {
  int differing = 0;
  for (int x = 0; x < one.width(); ++x)
    for (int dy = Device(y, ratio); dy < Device(y + 1, ratio); ++dy)
      for (int dx = Device(x, ratio); dx < Device(x + 1, ratio); ++dx)
        if (dense.pixel(dx, dy) != one.pixel(x, y)) ++differing;
  return differing;
}

// In an area of screen pixels, the share of the inked screen pixels whose n x n device pixels
// are not all alike: 0 when the picture was drawn at 1:1 and enlarged, well above it when the
// edges were drawn at the device's resolution.
double SharpShare(const QImage& dense, int n, int left, int top, int right, int bottom) {
  int inked = 0, sharp = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      bool any = false, mixed = false;
      const QRgb first = dense.pixel(x * n, y * n);
      for (int dy = 0; dy < n; ++dy)
        for (int dx = 0; dx < n; ++dx) {
          const QRgb p = dense.pixel(x * n + dx, y * n + dy);
          any = any || qGray(p) < 160;
          mixed = mixed || p != first;
        }
      inked += any;
      sharp += any && mixed;
    }
  return inked ? double(sharp) / inked : 0;
}

TEST(SharpScreenE2E, TheMonthViewIsDrawnAtTheDesktopsDensityInItsOwnCoordinates) {
  const std::string now = "2007-04-10T09:00:00";
  Kalmeno one;
  one.Run(now, {"wait 100", Tap(CellX(15), CellY(15)), "wait 100", "shot " + one.Shot("one.png"), "quit"});
  const QImage onePicture(QString::fromStdString(one.Shot("one.png")));
  ASSERT_EQ(onePicture.size(), QSize(240, 320));

  const Density densities[] = {
      {"QT_SCALE_FACTOR", "2", 2},
      {"QT_SCALE_FACTOR", "3", 3},
      {"QT_SCALE_FACTOR", "1.5", 1.5},
      {"QT_SCREEN_SCALE_FACTORS", "2", 2},
  };
  for (const Density& d : densities) {
    SCOPED_TRACE(std::string(d.variable) + "=" + d.value);
    Kalmeno k;
    k.Run(now, {"wait 100", Tap(CellX(15), CellY(15)), "wait 100", "shot " + k.Shot("dense.png"), "quit"},
          {{d.variable, d.value}});
    EXPECT_EQ(TextFields(k.lines), TextFields(one.lines)) << "the same texts at the same screen coordinates";
    const QImage dense(QString::fromStdString(k.Shot("dense.png")));
    ASSERT_EQ(dense.size(), QSize(Device(240, d.ratio), Device(320, d.ratio)));

    // Fills and lines: a row through the cells of the third week (the tapped one framed) and the
    // grid line under it, every device pixel as the 1:1 picture has it.
    for (int y : {kClientTop + CellTop(14) + 30, kClientTop + CellBottom(14) + 1})
      EXPECT_EQ(RowDifferences(onePicture, dense, y, d.ratio), 0) << "row " << y;

    const int n = static_cast<int>(d.ratio);
    if (n != d.ratio) continue;
    // The title "2007년04월" and the day numbers of the first row.
    EXPECT_GT(SharpShare(dense, n, 60, kClientTop, 180, kClientTop + 22), 0.3);
    EXPECT_GT(SharpShare(dense, n, 0, kClientTop + CellTop(0), 240, kClientTop + CellTop(0) + 14), 0.3);
  }
  // The measure itself: the 1:1 picture enlarged has no sharp edge at all.
  const QImage enlarged = onePicture.scaled(480, 640);
  EXPECT_EQ(SharpShare(enlarged, 2, 60, kClientTop, 180, kClientTop + 22), 0);
}

}  // namespace
