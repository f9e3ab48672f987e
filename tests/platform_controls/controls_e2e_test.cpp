// The controls in a real program, driven by the script hook the way a person uses them: values set
// through each control's own input path, taps on check boxes, the combo's list and the date
// picker's calendar, and screenshots of the result.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e.h"

namespace {

const std::string kNow = "2007-12-08T09:30:00";

struct FixtureRun {
  e2e::RunResult result;
  std::vector<e2e::TraceLine> trace;
};

FixtureRun RunFixture(const e2e::TempDir& dir, const std::string& script) {
  e2e::WriteBytes(dir.file("script.txt"), script);
  FixtureRun run;
  run.result = e2e::Run(e2e::Built("tests/platform_controls/controls_fixture"), {},
                        {{"KALMENO_NOW", kNow},
                         {"KALMENO_SCRIPT", dir.file("script.txt")},
                         {"KALMENO_TRACE", dir.file("trace.txt")},
                         {"KALMENO_REGISTRY", dir.file("registry.reg")}});
  run.trace = e2e::ReadTrace(dir.file("trace.txt"));
  return run;
}

// The last value the fixture traced for a notification ("edit 101", "combo 103", ...).
std::string LastValue(const std::vector<e2e::TraceLine>& trace, const std::string& what) {
  std::string value = "<none>";
  for (const auto& line : e2e::Select(trace, "fixture", what))
    if (line.fields.size() >= 2) value = line.fields[1];
  return value;
}

int LineHeight(const e2e::TempDir& dir) {
  FixtureRun run = RunFixture(dir, "quit\n");
  std::string value = LastValue(run.trace, "line-height");
  return value == "<none>" ? 0 : std::stoi(value);
}

TEST(ControlsEndToEnd, ScriptValuesGoThroughEachControlsInputPath) {
  e2e::TempDir dir;
  FixtureRun run = RunFixture(dir,
                              "set 101 일정 추가\n"
                              "set 102 첫줄\\n둘째\n"
                              "set 109 2024\n"
                              "set 103 1\n"
                              "set 104 1\n"
                              "set 105 2008-02-29\n"
                              "set 106 23:59:58\n"
                              "set 107 3:1\n"
                              "shot " + dir.file("filled.png") + "\n"
                              "quit\n");
  EXPECT_EQ(LastValue(run.trace, "edit 101"), "일정 추가");
  EXPECT_EQ(LastValue(run.trace, "edit 102"), "첫줄\\r\\n둘째");
  EXPECT_EQ(LastValue(run.trace, "edit 109"), "2024");
  EXPECT_EQ(LastValue(run.trace, "combo 103"), "1");
  EXPECT_EQ(LastValue(run.trace, "button 104"), "1");
  EXPECT_EQ(LastValue(run.trace, "date 105"), "2008-02-29 09:30:00");
  EXPECT_EQ(LastValue(run.trace, "date 106"), "2007-12-08 23:59:58");
  EXPECT_EQ(LastValue(run.trace, "list 3"), "check=2 selected=0");
  EXPECT_TRUE(e2e::HasText(run.trace, "2008년 2월 29일 금요일"));
  EXPECT_TRUE(e2e::HasText(run.trace, "오후 11:59:58"));
  EXPECT_TRUE(e2e::Exists(dir.file("filled.png")));
}

TEST(ControlsEndToEnd, PickersStartAtTheLocalClock) {
  e2e::TempDir dir;
  FixtureRun run = RunFixture(dir, "wait 50\nquit\n");
  EXPECT_TRUE(e2e::HasText(run.trace, "2007년 12월 8일 토요일"));
  EXPECT_TRUE(e2e::HasText(run.trace, "오전 9:30:00"));
}

TEST(ControlsEndToEnd, TapsTickBoxesChooseFromTheListAndPickADay) {
  e2e::TempDir dir;
  int lineHeight = LineHeight(dir);
  ASSERT_GT(lineHeight, 0);
  const int top = 26;  // the window's client area starts below the title bar
  int itemHeight = lineHeight + 4;
  int listHeader = lineHeight + 6;
  int rowHeight = std::max(lineHeight + 4, 17);
  int comboBottom = top + 68 + 20;
  int dateBottom = top + 92 + 20;
  std::string script;
  script += "tap 127 " + std::to_string(top + 78) + "\n";                                  // the check box
  script += "tap 55 " + std::to_string(top + 78) + "\n";                                   // the combo
  script += "shot " + dir.file("combo_open.png") + "\n";
  script += "tap 30 " + std::to_string(comboBottom + 1 + itemHeight + itemHeight / 2) + "\n";  // "음력"
  script += "tap 15 " + std::to_string(top + 142 + 1 + listHeader + rowHeight + rowHeight / 2) + "\n";  // row 1's box
  script += "tap 50 " + std::to_string(top + 102) + "\n";                                  // the date picker
  script += "shot " + dir.file("calendar_open.png") + "\n";
  // The calendar hangs below the picker, right-aligned to it (175 - 170 = 5); December 2007 starts
  // on a Saturday, so the second row's Tuesday is the 4th.
  script += "tap " + std::to_string(5 + 1 + 2 * 24 + 12) + " " + std::to_string(dateBottom + 1 + 22 + 16 + 18 + 9) + "\n";
  script += "shot " + dir.file("after.png") + "\n";
  script += "quit\n";
  FixtureRun run = RunFixture(dir, script);
  EXPECT_EQ(LastValue(run.trace, "button 104"), "1");
  EXPECT_EQ(LastValue(run.trace, "combo 103"), "1");
  EXPECT_EQ(LastValue(run.trace, "list 1"), "check=2 selected=0");
  EXPECT_EQ(LastValue(run.trace, "date 105"), "2007-12-04 09:30:00");
  EXPECT_TRUE(e2e::HasText(run.trace, "2007년 12월"));  // the calendar's title
  // The open list shows its highlighted first item just below the combo.
  EXPECT_EQ(e2e::PixelAt(dir.file("combo_open.png"), 100, comboBottom + 1 + itemHeight / 2), 0x0054E3);
}

}  // namespace
