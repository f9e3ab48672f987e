// When entries fall: known facts at month and year boundaries, in leap years and leap months, for
// the 30th of a 29-day month and for damaged dates. Each row is checked twice: the days listed for
// its range, and day by day whether the entry falls there, so the two answers cannot drift apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calendar/lunar_calendar.h"
#include "calendar/solar_from_day_number.h"
#include "schedule/entry_occurrences.h"

namespace {

constexpr WORD L = SCHEDULE_LUNAR, Y = SCHEDULE_YEARLY;

ScheduleEntry Entry(int year, int month, int day, WORD flags) {
  ScheduleEntry entry{};
  entry.wYear = static_cast<WORD>(year);
  entry.wMonth = static_cast<WORD>(month);
  entry.wDay = static_cast<WORD>(day);
  entry.wFlags = flags;
  return entry;
}

long Day(const char* date) {
  int y = 0, m = 0, d = 0;
  std::sscanf(date, "%d-%d-%d", &y, &m, &d);
  return DayNumber(y, m, d);
}

std::string Date(long day) {
  int y = 0, m = 0, d = 0;
  lunar::SolarFromDayNumber(day, &y, &m, &d);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  return text;
}

// The day as the month grid sees it, with the leap mark the lunar conversion gives.
CalendarDay GridDay(long day) {
  int y = 0, m = 0, d = 0;
  lunar::SolarFromDayNumber(day, &y, &m, &d);
  LunarDate lunar{};
  SolarToLunar(y, m, d, &lunar);
  return {y, m, d, lunar.wLunarYear, lunar.byMonth, lunar.byDay, lunar.byLeap == 1};
}

struct RangeFact {
  int year, month, day;
  WORD flags;
  LeapMonths leapMonths;
  const char *from, *to;
  std::vector<std::string> days;
  const char* fact;
};

const LeapMonths S = LeapMonths::Skipped, A = LeapMonths::AlsoMatched, P = LeapMonths::Preferred;

const RangeFact kRangeFacts[] = {
    {2007, 12, 8, 0, S, "2007-11-25", "2008-01-05", {"2007-12-08"}, "a one-time solar date"},
    {2007, 12, 8, 0, S, "2008-01-01", "2008-12-31", {}, "the same, not a year later"},
    {1990, 12, 31, Y, S, "2005-12-30", "2008-01-01", {"2005-12-31", "2006-12-31", "2007-12-31"},
     "a yearly solar date in every year of the range, the stored year playing no part"},
    {2000, 1, 1, Y, S, "2007-12-31", "2008-01-01", {"2008-01-01"}, "the range's ends are included"},
    {2024, 2, 29, Y, S, "2023-01-01", "2028-12-31", {"2024-02-29", "2028-02-29"}, "29 February in leap years only"},
    {1896, 2, 29, Y, S, "1896-01-01", "1904-12-31", {"1896-02-29", "1904-02-29"}, "1900 is no leap year"},
    {2000, 2, 29, 0, S, "2000-01-01", "2000-12-31", {"2000-02-29"}, "2000 is one"},
    {2023, 2, 29, 0, S, "2023-01-01", "2023-12-31", {}, "a one-time 29 February of a common year falls on no day"},
    {2007, 4, 31, Y, S, "2006-01-01", "2008-12-31", {}, "31 April falls on no day"},
    {2007, 13, 1, Y, S, "2007-01-01", "2008-12-31", {}, "month 13 falls on no day"},
    {2007, 0, 1, 0, S, "2007-01-01", "2007-12-31", {}, "month 0 falls on no day"},
    {2007, 12, 0, Y, S, "2007-01-01", "2007-12-31", {}, "day 0 falls on no day"},
    {0, 1, 1, 0, S, "0001-01-01", "0001-12-31", {}, "year 0 falls on no day"},
    {2000, 8, 15, L | Y, S, "2023-01-01", "2025-12-31", {"2023-09-29", "2024-09-17", "2025-10-06"},
     "Chuseok 2023-2025 (KASI)"},
    {2000, 1, 1, L | Y, S, "2010-01-01", "2010-12-31", {"2010-02-14"}, "Seollal 2010"},
    {2000, 12, 30, L | Y, S, "2010-01-01", "2010-12-31", {"2010-02-13"},
     "lunar new year's eve of lunar 2009 falls in solar 2010; lunar 2010's in 2011"},
    {2000, 2, 30, L | Y, S, "2007-01-01", "2007-12-31", {"2007-04-16"},
     "a yearly 30th kept on the 29th of a 29-day month (lunar 2007-02 has 29 days)"},
    {2007, 2, 30, L, S, "2007-01-01", "2007-12-31", {}, "a one-time 30th the month lacks falls on no day"},
    {2000, 1, 30, L | Y, S, "2023-01-01", "2024-12-31", {"2023-02-19", "2024-03-09"},
     "lunar 2023-01 (01-22..02-19) and 2024-01 (02-10..03-09) have 29 days"},
    {2000, 1, 29, L | Y, S, "2023-01-01", "2023-12-31", {"2023-02-19"}, "the 29th itself is unchanged"},
    {2000, 8, 1, L | Y, S, "2006-09-01", "2006-09-30", {"2006-09-22"}, "the 8th month follows the leap 7th"},
    {1965, 12, 30, L, S, "1966-01-01", "1966-12-31", {"1966-01-21"},
     "lunar 1965-12 has 30 days in the national standard"},
    {2006, 7, 15, L | Y, S, "2006-07-01", "2006-10-31", {"2006-08-08"}, "lunar 2006 has a leap 7th month: skipped"},
    {2006, 7, 15, L | Y, A, "2006-07-01", "2006-10-31", {"2006-08-08", "2006-09-07"},
     "the month view matches the leap month's 15th as well"},
    {2006, 7, 15, L | Y, P, "2006-07-01", "2006-10-31", {"2006-09-07"}, "asked for the leap month: that one only"},
    {2006, 7, 15, L | Y, P, "2007-01-01", "2007-12-31", {"2007-08-27"},
     "in a year without that leap month, the regular one"},
    {2006, 7, 15, L, A, "2006-01-01", "2006-12-31", {"2006-08-08", "2006-09-07"},
     "a one-time date in both months of its number in the month view"},
    {2006, 7, 30, L | Y, S, "2006-07-01", "2006-10-31", {"2006-08-23"}, "regular 7th month of 2006 has 30 days"},
    {2006, 7, 30, L | Y, A, "2006-07-01", "2006-10-31", {"2006-08-23"},
     "the 29-day leap month has no 30th, and the 30th is not moved there"},
    {2006, 7, 30, L | Y, P, "2006-07-01", "2006-10-31", {"2006-09-21"}, "asked for the leap month: its last day"},
    {2000, 1, 1, L | Y, S, "1840-01-01", "1841-12-31", {"1841-01-23"}, "the table's first day"},
    {2000, 8, 31, L | Y, S, "2023-01-01", "2025-12-31", {}, "lunar day 31 falls on no day"},
    {2000, 0, 15, L | Y, S, "2023-01-01", "2025-12-31", {}, "lunar month 0 falls on no day"},
    {65535, 8, 15, L, S, "2023-01-01", "2025-12-31", {}, "a one-time lunar year outside the table"},
};

TEST(EntryOccurrences, KnownEntriesFallOnTheirKnownDays) {
  for (const RangeFact& f : kRangeFacts) {
    SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " flags " << f.flags << " rule "
                                    << static_cast<int>(f.leapMonths) << ", " << f.from << ".." << f.to << ": "
                                    << f.fact);
    const ScheduleEntry entry = Entry(f.year, f.month, f.day, f.flags);
    std::vector<long> days;
    EntrySolarDays(entry, Day(f.from), Day(f.to), f.leapMonths, days);
    std::vector<std::string> listed;
    for (long day : days) listed.push_back(Date(day));
    EXPECT_EQ(listed, f.days);
    std::vector<std::string> matched;
    for (long day = Day(f.from); day <= Day(f.to); ++day)
      if (EntryFallsOn(entry, GridDay(day), f.leapMonths)) matched.push_back(Date(day));
    EXPECT_EQ(matched, f.days) << "day by day";
  }
}

struct YearFact {
  int year, month, day;
  WORD flags;
  LeapMonths leapMonths;
  int askedYear;
  bool exists;
  EntryDate date;
  const char* fact;
};

const YearFact kYearFacts[] = {
    {2000, 2, 30, L | Y, S, 2007, true, {2007, 2, 29, false}, "the 30th on the 29th of a 29-day month"},
    {2000, 2, 30, L | Y, A, 2007, true, {2007, 2, 29, false}, "the month view's rule gives the regular month"},
    {2000, 7, 30, L | Y, P, 2006, true, {2006, 7, 29, true}, "the leap month's last day"},
    {2000, 7, 15, L | Y, P, 2007, true, {2007, 7, 15, false}, "no leap 7th month in 2007"},
    {2006, 7, 15, L, S, 2006, true, {2006, 7, 15, false}, "a one-time lunar date in its year"},
    {2006, 7, 15, L, S, 2007, false, {}, "and in no other"},
    {2000, 12, 30, L | Y, S, 2043, true, {2043, 12, 30, false}, "the table's last day (solar 2044-01-29)"},
    {2000, 1, 1, L | Y, S, 2044, false, {}, "past the table"},
    {2024, 2, 29, Y, S, 2023, false, {}, "no 29 February in 2023"},
    {2023, 2, 28, Y, S, 2024, true, {2024, 2, 28, false}, "a yearly solar date"},
};

TEST(EntryOccurrences, TheDateAnEntryStandsForInAYear) {
  for (const YearFact& f : kYearFacts) {
    SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " in " << f.askedYear << ": "
                                    << f.fact);
    EntryDate date{-1, -1, -1, false};
    const bool exists = EntryDateInYear(Entry(f.year, f.month, f.day, f.flags), f.askedYear, f.leapMonths, &date);
    ASSERT_EQ(exists, f.exists);
    if (!exists) {
      EXPECT_EQ(date.year, -1) << "left untouched";
      continue;
    }
    EXPECT_EQ(date.year, f.date.year);
    EXPECT_EQ(date.month, f.date.month);
    EXPECT_EQ(date.day, f.date.day);
    EXPECT_EQ(date.leapMonth, f.date.leapMonth);
  }
}

}  // namespace
