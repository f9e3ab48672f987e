// The demo window program driven through KALMENO_SCRIPT: its screenshots and trace show taps
// arriving at the right client coordinates, paints without erasing keeping earlier squares, a
// command reaching the active window and the caption's ok button ending the program.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

namespace {

constexpr long kRed = 0xFF0000, kWhite = 0xFFFFFF, kGreen = 0x00A000;

TEST(DemoWindow, ScriptedTapsCommandsAndOkButtonShowOnScreenAndInTrace) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"),
                  "# two taps, a command, one more tap, then the caption's ok button\n"
                  "tap 50 100\n"
                  "tap 60 120\n"
                  "shot " + dir.file("taps.png") + "\n"
                  "command 100\n"
                  "tap 120 200\n"
                  "shot " + dir.file("green.png") + "\n"
                  "tap 222 12\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")}});
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;

  EXPECT_EQ(e2e::PixelAt(dir.file("taps.png"), 50, 100), kRed);
  EXPECT_EQ(e2e::PixelAt(dir.file("taps.png"), 60, 120), kRed) << "the second paint kept the first square";
  EXPECT_EQ(e2e::PixelAt(dir.file("taps.png"), 100, 200), kWhite);
  EXPECT_EQ(e2e::PixelAt(dir.file("green.png"), 50, 100), kGreen) << "the command's erase cleared the squares";
  EXPECT_EQ(e2e::PixelAt(dir.file("green.png"), 120, 200), kRed);

  auto trace = e2e::ReadTrace(dir.file("trace"));
  auto windows = e2e::Select(trace, "window", "DemoWindow");
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].fields[1], "0,26,240,294");
  auto paints = e2e::Select(trace, "paint", "DemoWindow");
  ASSERT_GE(paints.size(), 4u);
  EXPECT_EQ(paints[0].fields[1], "0,0,240,268");
  // The tap at screen (50, 100) is client (50, 74): the square 45,69,55,79.
  EXPECT_EQ(paints[1].fields[1], "45,69,55,79");
  auto exits = e2e::Select(trace, "exit");
  ASSERT_EQ(exits.size(), 1u);
  EXPECT_EQ(exits[0].fields[0], "0");
}

TEST(DemoWindow, ScriptQuitEndsAtOnceAndBadLinesAreReported) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"), "jump 1 2\ntap 5\nquit\ntap 222 12\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")}});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("line 1 (jump): unknown command"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("line 2 (tap): expected X Y"), std::string::npos) << run.output;
}

}  // namespace

namespace {

int DarkPixels(const std::string& png, int left, int top, int right, int bottom) {
  int dark = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      long p = e2e::PixelAt(png, x, y);
      if (p >= 0 && ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128) ++dark;
    }
  return dark;
}

TEST(DemoWindow, HoldOpensThePopupAtThePressAndMenuBarPopupShowsItsCheckMarks) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"),
                  "hold 100 150\n"                               // tap-and-hold: the popup at the press
                  "shot " + dir.file("menu.png") + "\n"
                  "tap 130 163\n"                                // its first item, 초록
                  "shot " + dir.file("green.png") + "\n"
                  "command 101\n"                                // checks 격자 in the bar's popup
                  "tap 60 307\n"                                 // the bar's 메뉴 button
                  "shot " + dir.file("bar.png") + "\n"
                  "tap 200 150\n"                                // outside: closes it
                  "command 102\n"                                // a message box
                  "shot " + dir.file("box.png") + "\n"
                  "answer\n"
                  "tap 180 307\n");                              // 종료
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")}});
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  auto trace = e2e::ReadTrace(dir.file("trace"));

  // One line per item when a menu opens: first the popup at the press, then the bar's upwards.
  auto menus = e2e::Select(trace, "menu");
  ASSERT_EQ(menus.size(), 8u);
  EXPECT_EQ(menus[0].fields, (std::vector<std::string>{"101,151,195,175", "100", "초록"}));
  EXPECT_EQ(menus[1].fields, (std::vector<std::string>{"101,175,195,199", "101", "격자"}));
  EXPECT_EQ(menus[2].fields, (std::vector<std::string>{"101,199,195,206", "0", ""}));
  EXPECT_EQ(menus[3].fields, (std::vector<std::string>{"101,206,195,230", "102", "인사"}));
  EXPECT_EQ(menus[4].fields[0], "1,214,95,238") << "the bar's popup stands on the bar";

  EXPECT_EQ(e2e::PixelAt(dir.file("menu.png"), 100, 160), 0x5A5A5A) << "the popup's border at the press point";
  EXPECT_EQ(DarkPixels(dir.file("menu.png"), 102, 176, 121, 198), 0) << "격자 not checked yet";
  EXPECT_EQ(e2e::PixelAt(dir.file("green.png"), 150, 163), 0x00A000) << "chosen: the menu is gone, 초록 applied";
  EXPECT_GT(DarkPixels(dir.file("bar.png"), 2, 239, 21, 261), 5) << "the check mark set through the bar's handle";

  auto boxes = e2e::Select(trace, "msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].fields, (std::vector<std::string>{"Demo", "안녕하세요. 이 상자는 확인을 누를 때까지 열려 있습니다."}));
  EXPECT_NE(e2e::PixelAt(dir.file("box.png"), 120, 160), 0x00A000) << "the box covers the middle of the window";
}

}  // namespace

namespace {

TEST(DemoWindow, ScriptSetsAControlByIdAndSaysWhenItCannot) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"),
                  "set 500 blue\n"
                  "shot " + dir.file("blue.png") + "\n"
                  "set 500 purple\n"
                  "set 501 red\n"
                  "quit\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}});
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(e2e::PixelAt(dir.file("blue.png"), 215, 46), 0x0000FF) << "the control at client (200,10) of the window";
  EXPECT_NE(run.output.find("line 3 (set): control 500 refused the value \"purple\""), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("line 4 (set): no control with id 501 in the active window"), std::string::npos)
      << run.output;
}

TEST(DemoWindow, ScriptClockSetsTheLocalTimeTheProgramReads) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"), "clock 2031-02-10T08:15:00\ncommand 103\nanswer\nquit\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")},
                                 {"KALMENO_NOW", "2020-01-01T00:00:00"}});
  ASSERT_FALSE(run.timedOut);
  auto boxes = e2e::Select(e2e::ReadTrace(dir.file("trace")), "msgbox", "Clock");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].fields[1], "2031-02-10 08:15");
}

TEST(DemoWindow, ScreenSizeComesFromTheEnvironment) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("script"), "shot " + dir.file("big.png") + "\nquit\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")},
                                 {"KALMENO_SCREEN", "320x480"}});
  ASSERT_FALSE(run.timedOut);
  auto windows = e2e::Select(e2e::ReadTrace(dir.file("trace")), "window", "DemoWindow");
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].fields[1], "0,26,320,454") << "the work area between title bar and menu bar";
  EXPECT_NE(e2e::PixelAt(dir.file("big.png"), 319, 479), -1);
  EXPECT_EQ(e2e::PixelAt(dir.file("big.png"), 320, 479), -1) << "the shot is the screen at 1:1";
}

}  // namespace

namespace {

TEST(DemoWindow, TypedTextArrivesAsOneCharacterPerUnitAtTheFocusWindow) {
  e2e::TempDir dir;
  // The last letter is outside the basic plane: two UTF-16 units, two WM_CHAR messages.
  e2e::WriteBytes(dir.file("script"), "type 한글 ok\nkey 8\ntype K𝄞\ncommand 104\nanswer\nquit\n");
  e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")}});
  ASSERT_FALSE(run.timedOut);
  auto boxes = e2e::Select(e2e::ReadTrace(dir.file("trace")), "msgbox", "Typed");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].fields[1], "한글 oK𝄞");
}

}  // namespace

namespace {

// On a denser desktop the window's buffer holds device pixels, and still keeps what a paint does
// not redraw; taps arrive in the screen's own coordinates.
TEST(DemoWindow, PaintsKeepTheirPixelsOnDenserScreens) {
  for (const char* factor : {"2", "1.5"}) {
    SCOPED_TRACE(std::string("QT_SCALE_FACTOR=") + factor);
    e2e::TempDir dir;
    e2e::WriteBytes(dir.file("script"), "tap 50 100\ntap 60 120\nshot " + dir.file("taps.png") + "\nquit\n");
    e2e::RunResult run = e2e::Run(e2e::Built("tests/platform_wm/wm_demo_window"), {},
                                  {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")},
                                   {"QT_SCALE_FACTOR", factor}});
    ASSERT_FALSE(run.timedOut) << run.output;
    const double ratio = std::stod(factor);
    auto at = [&](int x, int y) { return e2e::PixelAt(dir.file("taps.png"), int(x * ratio), int(y * ratio)); };
    EXPECT_EQ(at(50, 100), kRed);
    EXPECT_EQ(at(60, 120), kRed) << "the second paint kept the first square";
    EXPECT_EQ(at(100, 200), kWhite);
    auto paints = e2e::Select(e2e::ReadTrace(dir.file("trace")), "paint", "DemoWindow");
    ASSERT_GE(paints.size(), 2u);
    EXPECT_EQ(paints[1].fields[1], "45,69,55,79");
  }
}

}  // namespace
