// What the month view shows of the entries in the data file: labels, counts, holiday colours and
// lunar dates, on the trace and on the screenshot's pixels. August 2006 starts on a Tuesday, so
// day d of August lies in cell d + 1.
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

std::string AugustData() {
  return Record(2006, 8, 10, 9, 0, 0, u"회의") +                            // one solar entry
         Record(1945, 8, 15, 0, 0, kYearly | kHoliday, u"광복절", u"기념일") +  // solar, yearly
         Record(2006, 8, 15, 13, 5, 0, u"약속", u"친구") +                     // solar, one-time
         Record(2000, 7, 22, 12, 30, kLunar | kYearly | kHoliday, u"제사") +  // lunar 07/22 = 15 August 2006
         Record(2006, 8, 19, 8, 0, kHoliday, u"소풍") +                       // a Saturday holiday
         Record(2006, 9, 1, 8, 0, kHoliday, u"개학") +                        // a holiday outside the month
         Record(1990, 7, 1, 7, 0, kLunar | kYearly, u"생일") +                // lunar 07/01, also the leap 7th
         Record(2005, 8, 12, 7, 0, 0, u"작년");                                // another year: not shown
}

constexpr int kDay10 = 11, kDay15 = 16, kDay19 = 20, kDay23 = 24, kDay24 = 25, kSep1 = 33;

TEST(MonthEntriesE2E, LabelsAndCountsComeFromTheEntriesOfEachDay) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, AugustData());
  k.Run("2006-08-10T10:00:00", {"wait 100", "shot " + k.Shot("aug.png"), "quit"});

  EXPECT_EQ(LabelOf(k.lines, kDay10).text, "회의..");
  EXPECT_EQ(TopCountOf(k.lines, kDay10).text, "(1)");
  EXPECT_EQ(TopCountOf(k.lines, kDay10).colour, "#0000ff");
  EXPECT_FALSE(LowerCountOf(k.lines, kDay10).found);

  // Two solar entries and one lunar: "(2)" blue at the top, "(1)" red 8 pixels lower, and the
  // label of the last match, the lunar one.
  EXPECT_EQ(LabelOf(k.lines, kDay15).text, "제사..");
  EXPECT_EQ(TopCountOf(k.lines, kDay15).text, "(2)");
  EXPECT_EQ(TopCountOf(k.lines, kDay15).colour, "#0000ff");
  EXPECT_EQ(LowerCountOf(k.lines, kDay15).text, "(1)");
  EXPECT_EQ(LowerCountOf(k.lines, kDay15).colour, "#ff0000");
  const std::string shot = k.Shot("aug.png");
  const int right = CellRight(kDay15), top = CellTop(kDay15);
  EXPECT_GT(CountBluish(shot, right - 16, top, right, top + 8), 0);
  EXPECT_EQ(CountReddish(shot, right - 16, top, right, top + 7), 0);
  EXPECT_GT(CountReddish(shot, right - 16, top + 9, right, top + 17), 0);

  // A lunar entry alone: its count stands red at the top.
  EXPECT_EQ(LabelOf(k.lines, kDay24).text, "생일..");
  EXPECT_EQ(TopCountOf(k.lines, kDay24).text, "(1)");
  EXPECT_EQ(TopCountOf(k.lines, kDay24).colour, "#ff0000");

  // The entry of another year, and days without entries, show nothing.
  EXPECT_EQ(LabelOf(k.lines, 13).text, "");
  EXPECT_FALSE(TopCountOf(k.lines, 13).found);
}

TEST(MonthEntriesE2E, SundaysAndHolidaysHaveRedDayNumbersOnTheirOwnBackgrounds) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, AugustData());
  k.Run("2006-08-10T10:00:00", {"wait 100", "shot " + k.Shot("aug.png"), "quit"});
  const std::string shot = k.Shot("aug.png");

  EXPECT_EQ(DayNumberOf(k.lines, 7).colour, "#ff0000");       // Sunday 6 August
  EXPECT_EQ(DayNumberOf(k.lines, 6).colour, "#0000ff");       // Saturday 5 August
  EXPECT_EQ(DayNumberOf(k.lines, 9).colour, "#000000");       // Tuesday 8 August
  EXPECT_EQ(DayNumberOf(k.lines, kDay15).colour, "#ff0000");  // Tuesday with a holiday entry
  EXPECT_EQ(DayNumberOf(k.lines, kDay19).colour, "#ff0000");  // Saturday with a holiday entry
  EXPECT_EQ(DayNumberOf(k.lines, kSep1).colour, "#ff0000");   // holiday outside the month

  EXPECT_EQ(ClientPixel(shot, CellX(7), CellY(7)), 0xFFEBEB);
  EXPECT_EQ(ClientPixel(shot, CellX(kDay19), CellY(kDay19)), 0xEBEBFF);
  EXPECT_GT(CountReddish(shot, CellLeft(kDay19) + 2, CellTop(kDay19), CellLeft(kDay19) + 16, CellTop(kDay19) + 12), 0);
  EXPECT_EQ(ClientPixel(shot, CellX(kSep1), CellY(kSep1)), 0xD4D0C8);
  EXPECT_GT(CountReddish(shot, CellLeft(kSep1) + 2, CellTop(kSep1), CellLeft(kSep1) + 16, CellTop(kSep1) + 12), 0);
  // Saturday's number is blue, a weekday's black.
  EXPECT_GT(CountBluish(shot, CellLeft(6) + 2, CellTop(6), CellLeft(6) + 16, CellTop(6) + 12), 0);
}

TEST(MonthEntriesE2E, LunarViewShowsLunarDatesWithTheLeapMark) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, AugustData());
  k.Run("2006-08-10T10:00:00", {"wait 100", "command 32783", "wait 100", "shot " + k.Shot("lunar.png"), "quit"});
  EXPECT_EQ(LunarLabelOf(k.lines, kDay24).text, "07/01*");
  EXPECT_EQ(LunarLabelOf(k.lines, kDay24).colour, "#808080");
  EXPECT_EQ(LunarLabelOf(k.lines, kDay23).text, "07/30");
  EXPECT_EQ(LunarLabelOf(k.lines, kDay15).text, "07/22");
  EXPECT_EQ(LunarLabelOf(k.lines, 0).text, "07/06");          // 30 July, before the leap month

  Kalmeno off;
  off.Run("2006-08-10T10:00:00", {"wait 100", "quit"});
  for (int i = 0; i < 42; ++i) EXPECT_FALSE(LunarLabelOf(off.lines, i).found) << i;
}


// January 2008 starts on a Tuesday: day d lies in cell d + 1. Lunar 2007-11 has 29 days; its 29th
// is 7 January.
std::string JanuaryData() {
  std::string data;
  for (int n = 0; n < 120; ++n) data += Record(2008, 1, 27, 9, 0, 0, u"회의");  // a Sunday
  return data + Record(1990, 11, 30, 7, 0, kLunar | kYearly, u"제사") +        // kept on the 29th
         Record(2007, 11, 30, 7, 0, kLunar, u"없는날") +                        // one-time: no day
         Record(2008, 1, 10, 9, 0, 0, u"😀생일") + Record(2008, 1, 11, 9, 0, 0, u"가😀");
}

constexpr int kJan7 = 8, kJan8 = 9, kJan10 = 11, kJan11 = 12, kJan27 = 28;

TEST(MonthEntriesE2E, EveryEntryShowsWholeOnTheDayItFallsOn) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, JanuaryData());
  k.Run("2008-01-05T10:00:00", {"wait 100", Tap(CellX(kJan27), CellY(kJan27)), "wait 50",
                                Tap(CellX(kJan27), CellY(kJan27)), "wait 100", "shot " + k.Shot("jan.png"), "quit"});
  struct Case { int cell; const char* label; const char* count; const char* colour; const char* fact; };
  const Case cases[] = {
      {kJan7, "제사..", "(1)", "#ff0000", "a yearly lunar 30th falls on the 29th of a 29-day month"},
      {kJan8, "", "", "", "and not on the next month's first day"},
      {kJan10, "😀생..", "(1)", "#0000ff", "a character outside the basic plane is taken whole"},
      {kJan11, "가😀..", "(1)", "#0000ff", "second, too, where it fits"},
      {kJan27, "회의..", "99+", "#0000ff", "three-digit counts are shortened"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelOf(k.lines, c.cell).text, c.label) << c.fact;
    EXPECT_EQ(TopCountOf(k.lines, c.cell).text, c.count) << c.fact;
    EXPECT_EQ(TopCountOf(k.lines, c.cell).colour, c.colour) << c.fact;
  }
  for (const std::string& text : e2e::Texts(ViewTexts(k.lines)))
    EXPECT_EQ(text.find("없는"), std::string::npos) << "a one-time lunar date that does not exist falls on no day";
  EXPECT_TRUE(e2e::HasText(k.lines, "1/120")) << "the panel counts every entry of the day";

  // The count stands right of the day number: the red "27" and the blue count share no column.
  const std::string shot = k.Shot("jan.png");
  int numberRight = -1, countLeft = 1000;
  for (int x = CellLeft(kJan27); x <= CellRight(kJan27); ++x) {
    if (CountReddish(shot, x, CellTop(kJan27), x, CellTop(kJan27) + 12) > 0) numberRight = x;
    if (countLeft == 1000 && CountBluish(shot, x, CellTop(kJan27), x, CellTop(kJan27) + 8) > 0) countLeft = x;
  }
  EXPECT_GT(numberRight, CellLeft(kJan27)) << "the day number is drawn";
  EXPECT_LT(numberRight, countLeft);
}

TEST(MonthEntriesE2E, YearlyLunarThirtiethOpensInThePanelOfTheTwentyNinth) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, JanuaryData());
  k.Run("2008-01-05T10:00:00", {"wait 100", Tap(CellX(kJan7), CellY(kJan7)), "wait 50",
                                Tap(CellX(kJan7), CellY(kJan7)), "wait 100", "quit"});
  EXPECT_TRUE(e2e::HasText(k.lines, "< 제사 >"));
  EXPECT_TRUE(e2e::HasText(k.lines, "1/1"));
}

}  // namespace
