// Painting on real pixels: each window keeps its own pixels between paints, BeginPaint clips to
// the update region, and the screen shows windows, children and the title bar where they are.
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "tests/platform_wm/wm_test_support.h"
#include "tests/support/e2e.h"

using namespace wmtest;

namespace {

struct Brushes {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
};

// Takes a screenshot through the script's `shot` and returns the pixel at (x, y) of the screen.
class Screen {
 public:
  long PixelAt(int x, int y) {
    std::string file = m_dir.file("shot" + std::to_string(++m_count) + ".png");
    KpQueueScript(("shot " + file).c_str());
    PumpUntil([&] { return e2e::Exists(file); });
    return e2e::PixelAt(file, x, y);
  }
 private:
  e2e::TempDir m_dir;
  int m_count = 0;
};

class Painting : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    SetHook([this](HWND w, UINT m, WPARAM, LPARAM, LRESULT*) {
      if (m != WM_PAINT) return false;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(w, &paint);
      m_lastPaint = paint.rcPaint;
      if (m_draw) FillRect(dc, &m_drawRect, m_draw);
      EndPaint(w, &paint);
      return true;
    });
  }
  void TearDown() override {
    for (HWND w : m_windows)
      if (IsWindow(w)) DestroyWindow(w);
    SetHook(nullptr);
  }
  HWND Create(DWORD style, HWND parent, int x, int y, int cx, int cy) {
    HWND w = CreateWindowExW(0, u"Recorder", u"Paint", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
    m_windows.push_back(w);
    return w;
  }
  Brushes m_brushes;
  HBRUSH m_draw = nullptr;
  RECT m_drawRect{};
  RECT m_lastPaint{};
  std::vector<HWND> m_windows;
  Screen m_screen;
};

constexpr long kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;

TEST_F(Painting, InvalidatingWithoutEraseKeepsTheOldPixelsAndWithEraseClearsThem) {
  HWND w = Create(WS_VISIBLE, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
  m_draw = m_brushes.blue;
  m_drawRect = RECT{10, 10, 20, 20};
  PumpIdle();
  EXPECT_EQ(m_screen.PixelAt(15, 26 + 15), kBlue);

  m_draw = m_brushes.red;
  m_drawRect = RECT{30, 30, 40, 40};
  InvalidateRect(w, nullptr, FALSE);
  PumpIdle();
  EXPECT_EQ(m_screen.PixelAt(15, 26 + 15), kBlue) << "not erased: the earlier square stays";
  EXPECT_EQ(m_screen.PixelAt(35, 26 + 35), kRed);

  m_draw = nullptr;
  InvalidateRect(w, nullptr, TRUE);
  PumpIdle();
  EXPECT_EQ(m_screen.PixelAt(15, 26 + 15), kWhite) << "erased with the class background";
  EXPECT_EQ(m_screen.PixelAt(35, 26 + 35), kWhite);
}

TEST_F(Painting, APaintOnlyReachesTheUpdateRegion) {
  HWND w = Create(WS_VISIBLE, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
  PumpIdle();
  m_draw = m_brushes.green;
  m_drawRect = RECT{0, 0, 240, 268};
  RECT part{100, 100, 110, 120};
  InvalidateRect(w, &part, FALSE);
  PumpIdle();
  EXPECT_EQ(m_lastPaint.left, 100);
  EXPECT_EQ(m_lastPaint.top, 100);
  EXPECT_EQ(m_lastPaint.right, 110);
  EXPECT_EQ(m_lastPaint.bottom, 120);
  EXPECT_EQ(m_screen.PixelAt(105, 26 + 110), kGreen);
  EXPECT_EQ(m_screen.PixelAt(111, 26 + 110), kWhite) << "outside the update region nothing changes";
  EXPECT_EQ(m_screen.PixelAt(105, 26 + 99), kWhite);
}

TEST_F(Painting, ChildrenShowOverTheirParentAndMoveWithIt) {
  HWND parent = Create(WS_VISIBLE, nullptr, 0, 26, 240, 268);
  m_draw = m_brushes.blue;
  m_drawRect = RECT{0, 0, 240, 268};
  PumpIdle();   // parent and child both paint blue...
  HWND child = Create(WS_CHILD | WS_VISIBLE, parent, 50, 50, 20, 20);
  m_draw = nullptr;
  PumpIdle();   // ...and the new child only erases to white
  EXPECT_EQ(m_screen.PixelAt(60, 26 + 60), kWhite);
  EXPECT_EQ(m_screen.PixelAt(45, 26 + 60), kBlue);
  m_draw = m_brushes.blue;
  MoveWindow(parent, 0, 40, 240, 268, FALSE);
  PumpIdle();
  EXPECT_EQ(m_screen.PixelAt(60, 40 + 60), kWhite) << "the child moved with its parent";
  ShowWindow(child, SW_HIDE);
  PumpIdle();
  EXPECT_EQ(m_screen.PixelAt(60, 40 + 60), kBlue) << "hidden: the parent repaints what the child covered";
}

TEST_F(Painting, ClosingAWindowRepaintsWhatItUncovers) {
  HWND below = Create(WS_VISIBLE, nullptr, 0, 26, 240, 268);
  PumpIdle();
  HWND above = Create(WS_VISIBLE, nullptr, 0, 26, 240, 268);
  PumpIdle();
  std::vector<HWND> painted;
  SetHook([&](HWND w, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m == WM_PAINT) painted.push_back(w);
    return false;
  });
  DestroyWindow(above);
  PumpIdle();
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0], below);
}

TEST_F(Painting, TitleBarShowsTheActiveWindowAndItsOkButton) {
  HWND w = CreateWindowExW(WS_EX_CAPTIONOKBTN, u"Recorder", u"Title", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  m_windows.push_back(w);
  PumpIdle();
  long background = m_screen.PixelAt(150, 2);
  EXPECT_NE(background, kWhite) << "the title bar is not blank";
  // The "ok" button's white outline at its left edge, on the bar's colour.
  int okLeft = GetSystemMetrics(SM_CXSCREEN) - 36;
  bool outlineFound = false;
  for (int x = okLeft - 1; x <= okLeft + 2; ++x)
    if (m_screen.PixelAt(x, 13) == kWhite) outlineFound = true;
  EXPECT_TRUE(outlineFound);
}

}  // namespace
