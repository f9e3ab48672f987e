// Inputs outside the table or outside the calendar are refused, and a refusal writes nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "calendar/lunar_calendar.h"

namespace {

struct Date {
  int year, month, day;
  const char* why;
};

const Date kRejectedSolarDates[] = {
    {1840, 12, 31, "before the supported years"},
    {1841, 1, 1, "1841-01-01..22 belong to lunar 1840, which the table lacks"},
    {1841, 1, 22, "the day before the table's first day"},
    {2044, 1, 1, "after the supported years"},
    {2000, 0, 1, "month 0"},
    {2000, 13, 1, "month 13"},
    {2000, 1, 0, "day 0"},
    {2000, 1, -5, "negative day"},
    {2000, 4, 31, "31 April"},
    {1900, 2, 29, "29 February of a century that is no leap year"},
    {2023, 2, 29, "29 February of a common year"},
    {-2000, 1, 1, "negative year"},
};

TEST(SolarToLunar, RejectedDatesLeaveTheOutputUntouched) {
  for (const auto& d : kRejectedSolarDates) {
    SCOPED_TRACE(testing::Message() << d.year << "-" << d.month << "-" << d.day << ": " << d.why);
    LunarDate out;
    std::memset(&out, 0xA5, sizeof out);
    LunarDate before = out;
    EXPECT_EQ(SolarToLunar(d.year, d.month, d.day, &out), 0);
    EXPECT_EQ(std::memcmp(&out, &before, sizeof out), 0);
  }
}

struct LunarInput {
  int year, month, day, leap;
  const char* why;
};

const LunarInput kRejectedLunarDates[] = {
    {1840, 12, 1, 0, "before the table"},
    {2044, 1, 1, 0, "after the table"},
    {2010, 13, 1, 0, "month 13"},
    {2010, 0, 1, 0, "month 0"},
    {2010, 1, 0, 0, "day 0"},
    {2010, 2, 30, 0, "the 2nd month of 2010 has 29 days"},
    {1999, 12, 30, 0, "the 12th month of 1999 has 29 days"},
    {2006, 7, 30, 1, "the leap 7th month of 2006 has 29 days"},
    {2006, 7, 31, 0, "no lunar month has 31 days"},
};

TEST(LunarToSolar, RejectedDatesLeaveTheOutputUntouched) {
  for (const auto& d : kRejectedLunarDates) {
    SCOPED_TRACE(testing::Message() << "lunar " << d.year << "-" << d.month << "-" << d.day << " leap "
                                    << d.leap << ": " << d.why);
    SolarDate out;
    std::memset(&out, 0xA5, sizeof out);
    SolarDate before = out;
    EXPECT_EQ(LunarToSolar(d.year, d.month, d.day, d.leap, &out), 0);
    EXPECT_EQ(std::memcmp(&out, &before, sizeof out), 0);
  }
}

}  // namespace
