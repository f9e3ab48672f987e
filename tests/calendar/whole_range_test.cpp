// Properties of every day the table holds, in both directions: each converts and converts back,
// days follow one another without gaps, and months and years have possible lengths.
#include <gtest/gtest.h>

#include "calendar/lunar_calendar.h"

namespace {

struct Solar {
  int year, month, day;
};
Solar Next(Solar d) {
  if (d.day < DaysInSolarMonth(d.year, d.month)) return {d.year, d.month, d.day + 1};
  if (d.month < 12) return {d.year, d.month + 1, 1};
  return {d.year + 1, 1, 1};
}

TEST(WholeRange, DayNumberGrowsByOneFromDayToDay) {
  long expected = DayNumber(1841, 1, 1);
  for (Solar d{1841, 1, 1}; d.year <= 2044; d = Next(d)) ASSERT_EQ(DayNumber(d.year, d.month, d.day), expected++);
}

// Walks every accepted solar day; each lunar date is the previous one plus a day, and it
// converts back to the same solar day and weekday.
TEST(WholeRange, EverySolarDayConvertsToTheNextLunarDayAndBack) {
  LunarDate previous{};
  int days = 0, monthLength = 0;
  for (Solar d{1841, 1, 23}; d.year <= 2043; d = Next(d), ++days) {
    SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day);
    LunarDate lunar{};
    ASSERT_EQ(SolarToLunar(d.year, d.month, d.day, &lunar), 1);
    ASSERT_EQ(lunar.byWeekday, DayNumber(d.year, d.month, d.day) % 7);
    if (days == 0) {
      ASSERT_EQ(lunar.byDay, 1);
    } else if (lunar.byDay == previous.byDay + 1) {
      ASSERT_EQ(lunar.byMonth, previous.byMonth);
      ASSERT_EQ(lunar.byLeap, previous.byLeap);
    } else {
      // A new month: the one that ended had 29 or 30 days.
      ASSERT_EQ(lunar.byDay, 1);
      ASSERT_TRUE(previous.byDay == 29 || previous.byDay == 30) << "month ended on day " << int(previous.byDay);
      const bool leapFollows = lunar.byLeap && !previous.byLeap && lunar.byMonth == previous.byMonth;
      const bool nextMonth = !lunar.byLeap && lunar.byMonth == previous.byMonth + 1;
      const bool newYear = !lunar.byLeap && lunar.byMonth == 1 && previous.byMonth == 12 &&
                           lunar.wLunarYear == previous.wLunarYear + 1;
      ASSERT_TRUE(leapFollows || nextMonth || newYear);
      monthLength = 0;
    }
    ++monthLength;
    ASSERT_LE(monthLength, 30);

    SolarDate back{};
    ASSERT_EQ(LunarToSolar(lunar.wLunarYear, lunar.byMonth, lunar.byDay, lunar.byLeap, &back), 1);
    ASSERT_EQ(back.wYear, d.year);
    ASSERT_EQ(back.byMonth, d.month);
    ASSERT_EQ(back.byDay, d.day);
    ASSERT_EQ(back.byWeekday, lunar.byWeekday);
    previous = lunar;
  }
  EXPECT_EQ(days, DayNumber(2043, 12, 31) - LUNAR_EPOCH_DAY);
}

// Walks every lunar date the table holds, months and leap months by the table's own codes;
// each solar result is the day after the previous one and converts back.
TEST(WholeRange, EveryLunarDayConvertsToTheNextSolarDayAndBack) {
  long expectedDayNumber = LUNAR_EPOCH_DAY + 1;
  for (int year = 1841; year <= 2043; ++year) {
    const long yearStart = expectedDayNumber;
    int months = 0;
    for (int month = 1; month <= 12; ++month) {
      const int code = LunarMonthTable[year - 1841][month - 1];
      for (int leap = 0; leap <= (code >= 3 ? 1 : 0); ++leap) {
        ++months;
        int day = 1;
        for (;; ++day) {
          SolarDate solar{};
          if (!LunarToSolar(year, month, day, leap, &solar)) break;
          SCOPED_TRACE(testing::Message() << "lunar " << year << "-" << month << "-" << day << " leap " << leap);
          ASSERT_EQ(DayNumber(solar.wYear, solar.byMonth, solar.byDay), expectedDayNumber);
          ASSERT_EQ(solar.byWeekday, expectedDayNumber % 7);
          ++expectedDayNumber;
          if (solar.wYear > 2043) continue;  // past the solar years SolarToLunar accepts
          LunarDate back{};
          ASSERT_EQ(SolarToLunar(solar.wYear, solar.byMonth, solar.byDay, &back), 1);
          ASSERT_EQ(back.wLunarYear, year);
          ASSERT_EQ(back.byMonth, month);
          ASSERT_EQ(back.byDay, day);
          ASSERT_EQ(back.byLeap, leap);
        }
        const int length = day - 1;
        EXPECT_TRUE(length == 29 || length == 30) << "lunar " << year << "-" << month << " leap " << leap;
      }
    }
    EXPECT_TRUE(months == 12 || months == 13) << year;
    const long yearLength = expectedDayNumber - yearStart;
    EXPECT_GE(yearLength, 353) << year;
    EXPECT_LE(yearLength, 385) << year;
  }
  EXPECT_EQ(expectedDayNumber - 1, DayNumber(2044, 1, 29));  // the table's last day
}

}  // namespace
