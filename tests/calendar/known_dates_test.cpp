// Known facts in both directions, at the table's ends, around lunar new years, Gregorian leap
// days and leap months. Each row says where its fact comes from.
#include <gtest/gtest.h>

#include "calendar/lunar_calendar.h"

namespace {

struct SolarToLunarFact {
  int year, month, day;
  int lunarYear, lunarMonth, lunarDay, leap, weekday;
  const char* fact;
};

const SolarToLunarFact kSolarToLunarFacts[] = {
    {1841, 1, 23, 1841, 1, 1, 0, 6, "the table's first day, a Saturday"},
    {1841, 1, 24, 1841, 1, 2, 0, 0, "the day after counts on"},
    {1841, 4, 21, 1841, 3, 1, 1, 3, "the table's first leap month: the 3rd of 1841 (code 4), after 29+30+29 days"},
    {1900, 3, 1, 1900, 2, 1, 0, 4, "the day after 1900-02-28 (1900 is no leap year)"},
    {1966, 1, 21, 1965, 12, 30, 0, 5, "lunar 1965-12 has 30 days in the national standard (KASI)"},
    {1966, 1, 22, 1966, 1, 1, 0, 6, "so Seollal 1966 is a day after the Chinese new year"},
    {1984, 2, 2, 1984, 1, 1, 0, 4, "lunar new year 1984 (gapja)"},
    {2000, 2, 29, 2000, 1, 25, 0, 2, "Gregorian leap day of a 400-year"},
    {2000, 3, 1, 2000, 1, 26, 0, 3, "the day after it"},
    {2006, 8, 23, 2006, 7, 30, 0, 3, "last day of the regular 7th month of 2006"},
    {2006, 8, 24, 2006, 7, 1, 1, 4, "first day of the leap 7th month of 2006"},
    {2006, 9, 21, 2006, 7, 29, 1, 4, "last day of that 29-day leap month"},
    {2006, 9, 22, 2006, 8, 1, 0, 5, "the month after a leap month takes the next number"},
    {2007, 1, 1, 2006, 11, 13, 0, 1, "a January day before the lunar new year is in the previous lunar year"},
    {2010, 2, 13, 2009, 12, 30, 0, 6, "lunar new year's eve 2010"},
    {2010, 2, 14, 2010, 1, 1, 0, 0, "lunar new year 2010, a Sunday"},
    {2017, 6, 24, 2017, 5, 1, 1, 6, "first day of the leap 5th month of 2017"},
    {2020, 5, 23, 2020, 4, 1, 1, 6, "first day of the leap 4th month of 2020"},
    {2023, 1, 22, 2023, 1, 1, 0, 0, "Seollal 2023"},
    {2023, 3, 22, 2023, 2, 1, 1, 3, "first day of the leap 2nd month of 2023"},
    {2023, 9, 29, 2023, 8, 15, 0, 5, "Chuseok 2023"},
    {2024, 2, 10, 2024, 1, 1, 0, 6, "Seollal 2024"},
    {2025, 1, 29, 2025, 1, 1, 0, 3, "Seollal 2025"},
    {2025, 10, 6, 2025, 8, 15, 0, 1, "Chuseok 2025"},
    {2026, 2, 17, 2026, 1, 1, 0, 2, "Seollal 2026"},
    {2043, 2, 9, 2042, 12, 30, 0, 1, "last day of lunar 2042"},
    {2043, 2, 10, 2043, 1, 1, 0, 2, "lunar new year 2043"},
    {2043, 12, 31, 2043, 12, 1, 0, 4, "the last solar day accepted"},
};

TEST(SolarToLunar, KnownDatesConvertToTheirLunarDates) {
  for (const auto& f : kSolarToLunarFacts) {
    SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << ": " << f.fact);
    LunarDate out{};
    ASSERT_EQ(SolarToLunar(f.year, f.month, f.day, &out), 1);
    EXPECT_EQ(out.wLunarYear, f.lunarYear);
    EXPECT_EQ(out.byMonth, f.lunarMonth);
    EXPECT_EQ(out.byDay, f.lunarDay);
    EXPECT_EQ(out.byLeap, f.leap);
    EXPECT_EQ(out.byWeekday, f.weekday);
    EXPECT_EQ(out.wDangunYear, f.year + 2333);
  }
}

TEST(SolarToLunar, DangunYearFollowsTheSolarYearEvenInThePreviousLunarYear) {
  LunarDate out{};
  ASSERT_EQ(SolarToLunar(2007, 1, 1, &out), 1);
  EXPECT_EQ(out.wLunarYear, 2006);
  EXPECT_EQ(out.wDangunYear, 4340);
}

struct LunarToSolarFact {
  int lunarYear, lunarMonth, lunarDay, leap;
  int year, month, day, weekday;
  const char* fact;
};

const LunarToSolarFact kLunarToSolarFacts[] = {
    {1841, 1, 1, 0, 1841, 1, 23, 6, "the table's first day"},
    {2000, 1, 1, 0, 2000, 2, 5, 6, "lunar new year 2000"},
    {2010, 1, 1, 0, 2010, 2, 14, 0, "lunar new year 2010"},
    {2006, 7, 1, 0, 2006, 7, 25, 2, "regular 7th month of 2006"},
    {2006, 7, 1, 1, 2006, 8, 24, 4, "its leap month"},
    {2006, 7, 30, 0, 2006, 8, 23, 3, "the regular month has 30 days"},
    {2006, 7, 29, 1, 2006, 9, 21, 4, "the leap month's last day"},
    {2007, 1, 1, 1, 2007, 2, 18, 0, "no leap 1st month in 2007: the regular month is meant"},
    {2007, 1, 1, 0, 2007, 2, 18, 0, "the same date asked for without leap"},
    {2006, 7, 1, 2, 2006, 7, 25, 2, "only leap == 1 asks for the leap month"},
    {2023, 8, 15, 0, 2023, 9, 29, 5, "Chuseok 2023"},
    {2026, 1, 1, 0, 2026, 2, 17, 2, "Seollal 2026"},
    {2043, 12, 30, 0, 2044, 1, 29, 5, "the table's last day lies in 2044"},
};

TEST(LunarToSolar, KnownLunarDatesConvertToTheirSolarDates) {
  for (const auto& f : kLunarToSolarFacts) {
    SCOPED_TRACE(testing::Message() << "lunar " << f.lunarYear << "-" << f.lunarMonth << "-" << f.lunarDay
                                    << " leap " << f.leap << ": " << f.fact);
    SolarDate out{};
    ASSERT_EQ(LunarToSolar(f.lunarYear, f.lunarMonth, f.lunarDay, f.leap, &out), 1);
    EXPECT_EQ(out.wYear, f.year);
    EXPECT_EQ(out.byMonth, f.month);
    EXPECT_EQ(out.byDay, f.day);
    EXPECT_EQ(out.byWeekday, f.weekday);
  }
}

TEST(DayNumber, CountsFromTheFirstDayOfTheProlepticGregorianCalendar) {
  EXPECT_EQ(DayNumber(1, 1, 1), 1);
  EXPECT_EQ(DayNumber(1, 12, 31), 365);
  EXPECT_EQ(DayNumber(1841, 1, 22), LUNAR_EPOCH_DAY);
  EXPECT_EQ(DayNumber(2000, 1, 1), 730120);
  EXPECT_EQ(DayNumber(2044, 1, 29), 746219);
  EXPECT_EQ(DayNumber(2000, 1, 1) % 7, 6);  // a Saturday
}

TEST(DayNumber, GregorianLeapYearsFollowTheFourHundredYearRule) {
  EXPECT_TRUE(IsGregorianLeapYear(2000));
  EXPECT_TRUE(IsGregorianLeapYear(2004));
  EXPECT_FALSE(IsGregorianLeapYear(1900));
  EXPECT_FALSE(IsGregorianLeapYear(2100));
  EXPECT_FALSE(IsGregorianLeapYear(2023));
  EXPECT_EQ(DaysInSolarMonth(2000, 2), 29);
  EXPECT_EQ(DaysInSolarMonth(1900, 2), 28);
  EXPECT_EQ(DaysInSolarMonth(2023, 4), 30);
  EXPECT_EQ(DaysInSolarMonth(2023, 12), 31);
}

}  // namespace

TEST(LunarMonthLength, RegularAndLeapMonthsHaveTheirLengths) {
  EXPECT_EQ(LunarMonthLength(2006, 7, 0), 30);
  EXPECT_EQ(LunarMonthLength(2006, 7, 1), 29);
  EXPECT_EQ(LunarMonthLength(2006, 8, 1), 0);
  EXPECT_EQ(LunarMonthLength(2044, 1, 0), 0);
}
