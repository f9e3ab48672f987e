// The add dialog by keyboard alone, in the real program: the focus starts in the title, Tab and
// Shift+Tab go through the controls as they stand (row by row, left to right), the focus shows on
// each, Space and Enter press the focused button, Tab leaves the memo while Enter makes a new line
// there, and digits typed into the pickers set them. The dialog is opened with "일정 추가" (32794);
// the exit command (1) then saves what was added.
#include <gtest/gtest.h>

#include <iterator>

#include "tests/app/kalmeno_run.h"
#include "tests/dialogs/saved_entries.h"

using namespace kalmeno_test;

namespace {

const std::string kTab = "key 9", kBackTab = "key shift 9", kEnter = "key 13", kSpace = "key 32";

struct Expected {
  std::u16string title, memo;
  int year, month, day, hour, minute, flags;
};

TEST(KeyboardE2E, TheAddDialogIsFilledAndConfirmedByKeysAlone) {
  struct Case {
    const char* what;
    std::vector<std::string> keys;
    std::vector<Expected> saved;
  };
  const Case cases[] = {
      {"typing starts in the title; Enter there is 일정추가",
       {"type 장보기", kEnter, "wait 50", "answer"},
       {{u"장보기", u"", 2007, 12, 8, 10, 0, 0}}},
      {"Tab visits every control top to bottom; digits set the pickers; Space ticks and presses",
       {"type 제사", kTab, "type 20080105", kTab, "key 40", kTab, "type 1930", kTab, kSpace, kTab, kTab,
        "type 큰집", kTab, kSpace, "wait 50", "answer"},
       {{u"제사", u"큰집", 2008, 1, 5, 19, 30, 0x0011}}},
      {"Shift+Tab goes back round to the memo; Enter there is a new line, Tab leaves it, Enter presses 일정추가",
       {"type 메모", kBackTab, kBackTab, kBackTab, "type 가", kEnter, "type 나", kTab, kEnter, "wait 50", "answer"},
       {{u"메모", u"가\r\n나", 2007, 12, 8, 10, 0, 0}}},
      {"Shift+Tab from the title is 취소; Space there cancels", {"type 취소됨", kBackTab, kSpace, "wait 50"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Kalmeno k;
    std::vector<std::string> script{"wait 100", "command 32794", "wait 100"};
    script.insert(script.end(), c.keys.begin(), c.keys.end());
    script.insert(script.end(), {"wait 100", "command 1", "wait 200", "quit"});
    k.Run("2007-12-08T10:00:00", script);
    const std::vector<SavedEntry> entries = ReadSavedEntries(k.dataFile);
    ASSERT_EQ(entries.size(), c.saved.size()) << k.result.output;
    for (size_t i = 0; i < entries.size(); ++i) {
      const Expected& e = c.saved[i];
      EXPECT_EQ(entries[i].Title(), e.title);
      EXPECT_EQ(entries[i].Memo(), e.memo);
      EXPECT_EQ(std::vector<int>({entries[i].year, entries[i].month, entries[i].day, entries[i].hour,
                                  entries[i].minute, entries[i].flags}),
                std::vector<int>({e.year, e.month, e.day, e.hour, e.minute, e.flags}));
    }
    EXPECT_EQ(MessageBoxTexts(k.lines).size(), c.saved.size()) << "one confirmation per entry, none for 취소";
  }
}

// Each Tab moves the focus to the next control in the order the dialog shows them, and both the
// control it leaves and the one it reaches look different: every control shows its focus.
TEST(KeyboardE2E, EveryControlShowsTheFocusAsTabMovesIt) {
  struct Rect {
    int left, top, right, bottom;
  };
  struct Control {
    const char* name;
    Rect rect;  // client pixels of the add dialog
  };
  const Control order[] = {
      {"title", {58, 13, 220, 30}},   {"date", {21, 42, 140, 60}},    {"kind", {150, 41, 220, 60}},
      {"time", {120, 71, 220, 90}},   {"yearly", {40, 100, 55, 115}}, {"holiday", {120, 100, 135, 115}},
      {"memo", {20, 125, 220, 160}},  {"일정추가", {20, 170, 115, 192}}, {"취소", {125, 170, 220, 192}},
  };
  const size_t count = std::size(order);
  Kalmeno k;
  std::vector<std::string> script{"wait 100", "command 32794", "wait 100", "shot " + k.Shot("focus-0.png")};
  for (size_t i = 1; i <= count; ++i) script.insert(script.end(), {kTab, "shot " + k.Shot("focus-" + std::to_string(i) + ".png")});
  script.insert(script.end(), {"key 27", "wait 100", "quit"});
  k.Run("2007-12-08T10:00:00", script);
  for (size_t i = 0; i < count; ++i) {
    const std::string before = k.Shot("focus-" + std::to_string(i) + ".png");
    const std::string after = k.Shot("focus-" + std::to_string(i + 1) + ".png");
    const Rect& left = order[i].rect;
    const Rect& reached = order[(i + 1) % count].rect;
    EXPECT_GT(DifferingPixels(before, after, left.left, left.top, left.right - 1, left.bottom - 1), 0)
        << order[i].name << " looks the same with and without the focus";
    EXPECT_GT(DifferingPixels(before, after, reached.left, reached.top, reached.right - 1, reached.bottom - 1), 0)
        << "Tab after " << order[i].name << " did not bring the focus to " << order[(i + 1) % count].name;
  }
}

}  // namespace
