// Which entries fall on a day: counts, label, holiday and positions, as the month view uses them.
#include <gtest/gtest.h>

#include <cstring>

#include "kp_platform.h"
#include "schedule/schedule_store.h"
#include "tests/schedule/schedule_test_support.h"

namespace {

class DayQuery : public ::testing::Test {
 protected:
  DaySummary Query(int sy, int sm, int sd, int ly = 2007, int lm = 1, int ld = 1) {
    DaySummary summary;
    std::memset(&summary, 0x5A, sizeof summary);  // every field must be set by the query
    indices.assign({99, 98});
    EXPECT_EQ(store.QueryDay(sy, sm, sd, ly, lm, ld, &summary, &indices), 0);
    return summary;
  }
  static std::string Label(const DaySummary& summary) { return KpToUtf8(summary.szLabel); }

  ScratchFolder folder;
  ScheduleStore store{folder.handheld().c_str()};
  std::vector<unsigned long> indices;
};

TEST_F(DayQuery, AnEmptyStoreReportsNothing) {
  DaySummary summary = Query(2007, 12, 8, 2007, 10, 29);
  EXPECT_EQ(summary.nSolarCount, 0);
  EXPECT_EQ(summary.nLunarCount, 0);
  EXPECT_EQ(summary.bHoliday, 0);
  EXPECT_EQ(Label(summary), "");
  EXPECT_TRUE(indices.empty()) << "the list given is emptied";
}

TEST_F(DayQuery, TheLabelComesFromTheLastMatch) {
  store.Add(MakeEntry(2007, 12, 8, 0, u"기말시험"));
  store.Add(MakeEntry(2007, 12, 9, 0, u"다른날"));
  store.Add(MakeEntry(2007, 12, 8, 0, u"약"));
  DaySummary summary = Query(2007, 12, 8);
  EXPECT_EQ(summary.nSolarCount, 2);
  EXPECT_EQ(Label(summary), "약..");
  EXPECT_EQ(indices, (std::vector<unsigned long>{0, 2}));
  EXPECT_EQ(Label(Query(2007, 12, 9)), "다른..") << "two characters of a longer title";
}

TEST_F(DayQuery, ALunarMatchFollowsTheSolarOnesInCountsLabelAndPositions) {
  store.Add(MakeEntry(2007, 10, 29, SCHEDULE_LUNAR, u"제사"));  // lunar 2007-10-29 is solar 2007-12-08
  store.Add(MakeEntry(2007, 12, 8, 0, u"생일파티"));
  DaySummary summary = Query(2007, 12, 8, 2007, 10, 29);
  EXPECT_EQ(summary.nSolarCount, 1);
  EXPECT_EQ(summary.nLunarCount, 1);
  EXPECT_EQ(Label(summary), "제사..");
  EXPECT_EQ(indices, (std::vector<unsigned long>{1, 0}));
}

TEST_F(DayQuery, EntriesMatchOnlyByTheirOwnCalendar) {
  store.Add(MakeEntry(2007, 5, 5, SCHEDULE_LUNAR, u"음력"));
  DaySummary summary = Query(2007, 5, 5, 2007, 3, 19);
  EXPECT_EQ(summary.nSolarCount + summary.nLunarCount, 0) << "a lunar entry never matches a solar date";
  store.Add(MakeEntry(2007, 3, 19, 0, u"양력"));
  summary = Query(2007, 4, 30, 2007, 3, 19);
  EXPECT_EQ(summary.nSolarCount + summary.nLunarCount, 0) << "a solar entry never matches a lunar date";
}

TEST_F(DayQuery, AHolidayFromAnyMatchMarksTheDay) {
  store.Add(MakeEntry(2007, 5, 5, SCHEDULE_HOLIDAY, u"휴일"));
  store.Add(MakeEntry(2007, 5, 5, 0, u"평일"));
  EXPECT_EQ(Query(2007, 5, 5).bHoliday, 1) << "a later non-holiday match does not clear it";
  store.Add(MakeEntry(2007, 5, 6, 0, u"평일"));
  store.Add(MakeEntry(2007, 5, 6, SCHEDULE_HOLIDAY | SCHEDULE_LUNAR, u"휴일"));
  EXPECT_EQ(Query(2007, 5, 6, 2007, 5, 6).bHoliday, 1) << "a lunar holiday marks the day too";
  EXPECT_EQ(Query(2007, 5, 7).bHoliday, 0);
}

TEST_F(DayQuery, YearlyEntriesRecurAndOthersFallOnTheirYearOnly) {
  store.Add(MakeEntry(2004, 2, 29, SCHEDULE_YEARLY, u"윤일"));
  store.Add(MakeEntry(2007, 3, 1, 0, u"한번"));
  EXPECT_EQ(Query(2008, 2, 29).nSolarCount, 1);
  EXPECT_EQ(Query(2000, 2, 29).nSolarCount, 1) << "every year, also before the one it was entered in";
  EXPECT_EQ(Query(2007, 2, 28).nSolarCount, 0) << "never moved to 28 February";
  EXPECT_EQ(Query(2007, 3, 1).nSolarCount, 1) << "nor to 1 March";
  EXPECT_EQ(Query(2008, 3, 1).nSolarCount, 0) << "a one-off entry falls in its year only";
}

TEST_F(DayQuery, ALunarMonthNumberMatchesTheLeapMonthToo) {
  // Day 5 of lunar month 4 falls twice in a year with a leap fourth month; the query is given
  // month numbers only.
  store.Add(MakeEntry(2006, 4, 5, SCHEDULE_LUNAR | SCHEDULE_YEARLY, u"기일"));
  EXPECT_EQ(Query(2009, 4, 29, 2009, 4, 5).nLunarCount, 1);
  EXPECT_EQ(Query(2009, 5, 29, 2009, 4, 5).nLunarCount, 1);
}

TEST_F(DayQuery, AYearlyLunarThirtiethIsKeptOnTheLastDayOfA29DayMonth) {
  store.Add(MakeEntry(1990, 4, 30, SCHEDULE_LUNAR | SCHEDULE_YEARLY, u"기일"));
  store.Add(MakeEntry(2001, 4, 30, SCHEDULE_LUNAR, u"한번"));  // a one-time date that does not exist
  struct Case { int sy, sm, sd, ly, lm, ld, count; const char* fact; };
  // Lunar 2001 has a 29-day 4th month followed by a 29-day leap 4th month; lunar 1999's 4th month
  // has 30 days.
  const Case cases[] = {
      {2001, 5, 22, 2001, 4, 29, 1, "the 29th of a 29-day regular month holds the 30th"},
      {2001, 6, 20, 2001, 4, 29, 0, "the leap month's 29th does not"},
      {1999, 6, 12, 1999, 4, 29, 0, "in a 30-day month the 29th is only the 29th"},
      {1999, 6, 13, 1999, 4, 30, 1, "and the 30th is the 30th"},
  };
  for (const Case& c : cases) {
    DaySummary summary = Query(c.sy, c.sm, c.sd, c.ly, c.lm, c.ld);
    EXPECT_EQ(summary.nLunarCount, c.count) << c.fact;
    if (c.count == 1) {
      EXPECT_EQ(Label(summary), "기일..") << c.fact;
    }
  }
}

TEST_F(DayQuery, RemovedAndAddedEntriesShowAtOnce) {
  store.Add(MakeEntry(2007, 8, 15, 0, u"광복절"));
  EXPECT_EQ(Query(2007, 8, 15).nSolarCount, 1) << "found before any save";
  store.RemoveAt(0);
  DaySummary summary = Query(2007, 8, 15);
  EXPECT_EQ(summary.nSolarCount, 0);
  EXPECT_EQ(Label(summary), "");
}

TEST_F(DayQuery, OddTitlesGiveSafeLabels) {
  store.Add(MakeEntry(2007, 1, 2, 0, u"ABCDEFGHIJK"));  // no terminator in the field
  EXPECT_EQ(Label(Query(2007, 1, 2)), "AB..");
  store.Add(MakeEntry(2007, 1, 3, 0, u""));
  DaySummary summary = Query(2007, 1, 3);
  EXPECT_EQ(summary.nSolarCount, 1);
  EXPECT_EQ(Label(summary), "..") << "an empty title still shows that something falls here";
  // Surrogates without their partner (a file written by other software) show as U+FFFD.
  const struct { int day; std::u16string title; const char* label; } broken[] = {
      {4, u"\xDB57", "\uFFFD.."},
      {5, u"\xDC00" u"A", "\uFFFDA.."},
      {6, u"A\xDC00", "A\uFFFD.."},
      {7, u"\xD83D\xD83D\xDE00", "\uFFFD😀.."},
      {8, u"\xD83D\xDE00\xD83D\xDE00", "😀.."},  // two such characters do not fit
  };
  for (const auto& c : broken) {
    store.Add(MakeEntry(2007, 1, c.day, 0, c.title));
    EXPECT_EQ(Label(Query(2007, 1, c.day)), c.label) << "day " << c.day;
  }
}

TEST_F(DayQuery, MoreThan65535EntriesOfOneMonthAreStillFound) {
  // The per-month counters are 16 bits: they must stop at the top, never wrap to "none".
  for (int i = 0; i < 65536; ++i) store.Add(MakeEntry(2007, 1, 2 + i % 2, 0, u"x"));
  EXPECT_EQ(Query(2007, 1, 2).nSolarCount, 32768);
  EXPECT_EQ(indices.size(), 32768u);
}

TEST_F(DayQuery, NoIndexListIsNeeded) {
  store.Add(MakeEntry(2007, 1, 2, 0, u"a"));
  DaySummary summary;
  store.QueryDay(2007, 1, 2, 2006, 11, 14, &summary, nullptr);
  EXPECT_EQ(summary.nSolarCount, 1);
}

}  // namespace
