// DCs over windows: the `text` trace line (one per DrawTextW, with the window's name, the
// rectangle, the flags, the colour and the text; none for measuring or for memory DCs), the
// update region as clip, and a window buffer that changes size under a DC.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "kp_platform.h"
#include "tests/platform_gdi/canvas.h"
#include "tests/support/e2e.h"

namespace {

class WindowDC : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = m_dir.file("trace.txt");
    setenv("KALMENO_TRACE", m_path.c_str(), 1);
    static bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
      wc.lpszClassName = u"GdiTraceWnd";
      return RegisterClassW(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    m_window = CreateWindowExW(0, u"GdiTraceWnd", u"", WS_POPUP, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(m_window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(m_window);
    unsetenv("KALMENO_TRACE");
  }
  std::vector<e2e::TraceLine> TextLines() { return e2e::Select(e2e::ReadTrace(m_path), "text"); }

  e2e::TempDir m_dir;
  std::string m_path;
  HWND m_window = nullptr;
};

TEST_F(WindowDC, TraceHasOneLineWithNameRectangleFlagsColourAndText) {
  HDC dc = GetDC(m_window);
  SetTextColor(dc, RGB(0x12, 0xAB, 0xEF));
  RECT r{1, 2, 100, 40};
  DrawTextW(dc, u"음력 3/15", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER);
  ReleaseDC(m_window, dc);
  const auto lines = TextLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].program, KpProgramName());
  const std::vector<std::string> expected = {"GdiTraceWnd", "1,2,100,40", "0x8024", "#12abef", "음력 3/15"};
  EXPECT_EQ(lines[0].fields, expected);
}

TEST_F(WindowDC, TraceWritesLineBreaksAndTabsAsEscapesAndHonoursTheCount) {
  HDC dc = GetDC(m_window);
  RECT r{-5, 0, 240, 268};
  DrawTextW(dc, u"메모\r\n\t끝", -1, &r, DT_WORDBREAK);
  DrawTextW(dc, u"가나다라", 2, &r, 0);
  ReleaseDC(m_window, dc);
  const auto lines = TextLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].fields.at(1), "-5,0,240,268");
  EXPECT_EQ(lines[0].fields.at(2), "0x0010");
  EXPECT_EQ(lines[0].fields.at(3), "#000000");
  EXPECT_EQ(lines[0].fields.at(4), "메모\\r\\n\\t끝");
  EXPECT_EQ(lines[1].fields.at(4), "가나");
}

TEST_F(WindowDC, TextStartingWithAByteOrderMarkCharacterIsDrawnAsItStands) {
  // A title in a data file may start with U+FFFE or U+FEFF; the units after it must not be
  // taken as byte-swapped, nor the first one dropped.
  HDC dc = GetDC(m_window);
  RECT r{0, 0, 240, 20};
  DrawTextW(dc, u"\uFFFE첫 일정이(가) 오늘입니다.", -1, &r, DT_SINGLELINE);
  DrawTextW(dc, u"\uFEFF첫", -1, &r, DT_SINGLELINE);
  SIZE plain{}, marked{};
  GetTextExtentPoint32W(dc, u"첫", 1, &plain);
  GetTextExtentPoint32W(dc, u"\uFFFE첫", 2, &marked);
  ReleaseDC(m_window, dc);
  const auto lines = TextLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].fields.at(4), "\xEF\xBF\xBE첫 일정이(가) 오늘입니다.");
  EXPECT_EQ(lines[1].fields.at(4), "\xEF\xBB\xBF첫");
  EXPECT_GE(marked.cx, plain.cx);
}

TEST_F(WindowDC, TraceSkipsMeasuringAndMemoryDcs) {
  HDC dc = GetDC(m_window);
  RECT r{0, 0, 100, 20};
  DrawTextW(dc, u"measure", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  ReleaseDC(m_window, dc);
  Canvas memory(50, 20);
  RECT m{0, 0, 50, 20};
  DrawTextW(memory.dc(), u"off screen", -1, &m, DT_SINGLELINE);
  EXPECT_TRUE(TextLines().empty());
}

TEST_F(WindowDC, PaintDcTracesTheWindowAndDrawsIntoItsBuffer) {
  InvalidateRect(m_window, nullptr, TRUE);
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(m_window, &ps);
  ASSERT_NE(dc, nullptr);
  RECT r{10, 10, 200, 30};
  SetTextColor(dc, RGB(255, 0, 0));
  DrawTextW(dc, u"일", -1, &r, DT_SINGLELINE);
  bool red = false;
  for (int y = 10; y < 30 && !red; ++y)
    for (int x = 10; x < 30 && !red; ++x) red = GetPixel(dc, x, y) == RGB(255, 0, 0);
  EndPaint(m_window, &ps);
  EXPECT_TRUE(red);
  const auto lines = TextLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].fields.at(3), "#ff0000");
}

TEST_F(WindowDC, PaintDrawsOnlyInsideTheUpdateRegion) {
  HDC whole = GetDC(m_window);
  RECT client{0, 0, 240, 268};
  FillRect(whole, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(m_window, whole);
  ValidateRect(m_window, nullptr);
  RECT part{0, 0, 50, 50};
  InvalidateRect(m_window, &part, FALSE);
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(m_window, &ps);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  MoveToEx(dc, 0, 100, nullptr);
  LineTo(dc, 240, 100);
  EndPaint(m_window, &ps);
  HDC check = GetDC(m_window);
  EXPECT_EQ(GetPixel(check, 49, 49), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(check, 50, 10), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(check, 10, 100), RGB(255, 255, 255));
  ReleaseDC(m_window, check);
}

TEST_F(WindowDC, DrawingGoesOnAfterTheWindowIsResizedUnderTheDc) {
  HDC dc = GetDC(m_window);
  RECT r{0, 0, 240, 268};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawTextW(dc, u"가", -1, &r, DT_SINGLELINE);
  MoveWindow(m_window, 0, 26, 100, 60, TRUE);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawTextW(dc, u"가", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(GetPixel(dc, 99, 59), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 100, 60), 0xFFFFFFFFu) << "outside the smaller buffer";
  ReleaseDC(m_window, dc);
}

}  // namespace
