// The month view as the user first sees it and as the arrows move it: titles and the day numbers
// drawn in each cell, read back from the trace of the real program.
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

const int kNextArrowX = 200, kPrevArrowX = 30, kArrowY = 10;

// Expects the day numbers of cells [first, first + count) to run from `day` upwards.
void ExpectDays(const Kalmeno& k, int first, int count, int day) {
  for (int i = first; i < first + count; ++i)
    EXPECT_EQ(DayNumberOf(k.lines, i).text, std::to_string(day + i - first)) << "cell " << i;
}

TEST(MonthViewE2E, StartsOnTodaysMonthAndStepsForwardAcrossTheYear) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "shot " + k.Shot("dec.png"), Tap(kNextArrowX, kArrowY), "wait 100",
                                "shot " + k.Shot("jan.png"), "quit"});
  Kalmeno probe;
  probe.Run("2007-12-08T10:00:00", {"wait 100", "quit"});
  EXPECT_EQ(LastTitle(probe.lines), "2007년12월");
  ExpectDays(probe, 0, 6, 25);    // 25..30 November
  ExpectDays(probe, 6, 31, 1);    // December
  ExpectDays(probe, 37, 5, 1);    // 1..5 January 2008
  for (int i : {0, 5, 37, 41}) EXPECT_EQ(ClientPixel(k.Shot("dec.png"), CellX(i), CellY(i)), 0xD4D0C8) << i;

  EXPECT_EQ(LastTitle(k.lines), "2008년01월");
  ExpectDays(k, 0, 2, 30);        // 30, 31 December: 1 January 2008 is a Tuesday
  ExpectDays(k, 2, 31, 1);
}

TEST(MonthViewE2E, MonthsThatStartOnSundayOrHaveALeapDayFillTheGrid) {
  {
    Kalmeno k;
    k.Run("2007-04-15T09:00:00", {"wait 100", "quit"});
    EXPECT_EQ(LastTitle(k.lines), "2007년04월");
    ExpectDays(k, 0, 30, 1);      // no March cells
    ExpectDays(k, 30, 12, 1);     // 1..12 May
  }
  {
    Kalmeno k;
    k.Run("2008-02-10T09:00:00", {"wait 100", "quit"});
    ExpectDays(k, 0, 5, 27);      // 27..31 January
    ExpectDays(k, 5, 29, 1);      // 29 days of February
    ExpectDays(k, 34, 8, 1);      // 1..8 March
  }
  {
    Kalmeno k;
    k.Run("2009-02-10T09:00:00", {"wait 100", "quit"});
    ExpectDays(k, 0, 28, 1);
    ExpectDays(k, 28, 14, 1);     // 1..14 March
  }
}

TEST(MonthViewE2E, StepsBackFromJanuaryToDecemberOfTheYearBefore) {
  Kalmeno k;
  k.Run("2008-01-20T09:00:00", {"wait 100", Tap(kPrevArrowX, kArrowY), "wait 100", "quit"});
  EXPECT_EQ(LastTitle(k.lines), "2007년12월");
  ExpectDays(k, 0, 6, 25);
}

TEST(MonthViewE2E, ArrowsDoNothingPastTheMonthsTheLunarTableCovers) {
  {
    Kalmeno k;
    k.Run("1841-01-10T09:00:00", {"wait 100", Tap(CellX(12), CellY(12)), Tap(kPrevArrowX, kArrowY), "wait 100",
                                  "shot " + k.Shot("first.png"), "quit"});
    EXPECT_EQ(LastTitle(k.lines), "1841년01월");
    // The selection stays too: the arrow did nothing at all.
    EXPECT_EQ(ClientPixel(k.Shot("first.png"), CellLeft(12) - 1, CellTop(12) + 5), 0xFF0000);
  }
  {
    Kalmeno k;
    k.Run("2043-12-10T09:00:00", {"wait 100", Tap(kNextArrowX, kArrowY), "wait 100", "quit"});
    EXPECT_EQ(LastTitle(k.lines), "2043년12월");
  }
  {
    // A today outside the table starts on the nearest month the view can show.
    Kalmeno k;
    k.Run("2050-06-10T09:00:00", {"wait 100", "quit"});
    EXPECT_EQ(LastTitle(k.lines), "2043년12월");
  }
}

TEST(MonthViewE2E, DaysOutsideTheLunarTableShowNoLunarDate) {
  Kalmeno k;
  k.Run("1841-01-10T09:00:00", {"wait 100", "command 32783", "wait 100", "quit"});
  // Cells 0..26 are 27 December 1840 to 22 January 1841; cell 27 is lunar 1841-01-01.
  for (int i = 0; i < 27; ++i) EXPECT_FALSE(LunarLabelOf(k.lines, i).found) << "cell " << i;
  EXPECT_EQ(LunarLabelOf(k.lines, 27).text, "01/01");
}

// Lunar labels on days where the Korean national standard (KASI) differs from the Chinese
// calendar: a month's first day must sit on the standard's day.
TEST(MonthViewE2E, LunarViewPutsMonthStartsOnTheNationalStandardsDays) {
  struct Label {
    int cell;
    const char* text;
  };
  struct Month {
    const char* now;
    std::vector<Label> labels;
  };
  const Month months[] = {
      // 21 January 1966 ends lunar 1965-12, a 30-day month; the 22nd is Seollal 1966.
      {"1966-01-10T09:00:00", {{26, "12/30"}, {27, "01/01"}}},
      // 17 December 2036 ends lunar 2036-10, a 30-day month.
      {"2036-12-10T09:00:00", {{17, "10/30"}, {18, "11/01"}}},
  };
  for (const Month& month : months) {
    Kalmeno k;
    k.Run(month.now, {"wait 100", "command 32783", "wait 100", "quit"});
    for (const Label& label : month.labels)
      EXPECT_EQ(LunarLabelOf(k.lines, label.cell).text, label.text) << month.now << " cell " << label.cell;
  }
}

TEST(MonthViewE2E, ALandscapeScreenGetsTheMessageAndTheWindowKeepsItsSize) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"answer", "wait 100", "quit"}, {{"KALMENO_SCREEN", "320x240"}});
  const std::vector<std::string> boxes = MessageBoxTexts(k.lines);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            "본 프로그램은 세로보기에 최적화되어 있어요. 화면이 가로보기인 경우 달력이 제대로 나오지 않아요. ㅠ_ㅠ");
  const auto windows = e2e::Select(k.lines, "window", "102");
  ASSERT_FALSE(windows.empty());
  int l = 0, t = 0, r = 0, b = 0;
  std::sscanf(windows.back().fields[1].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b);
  EXPECT_EQ(r - l, 240);
  EXPECT_EQ(b - t, 268);

  Kalmeno portrait;
  portrait.Run("2007-12-08T10:00:00", {"wait 100", "quit"});
  EXPECT_TRUE(MessageBoxTexts(portrait.lines).empty());
}

}  // namespace
