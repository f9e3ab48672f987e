// The date and time picker's texts and field steps.
#include <gtest/gtest.h>

#include "platform/controls/date_time_text.h"

namespace {

SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(y); t.wMonth = static_cast<WORD>(mo); t.wDay = static_cast<WORD>(d);
  t.wHour = static_cast<WORD>(h); t.wMinute = static_cast<WORD>(mi); t.wSecond = static_cast<WORD>(s);
  return t;
}

TEST(DateTimeText, LongDateIsKoreanWithTheWeekday) {
  EXPECT_EQ(KpJoinPieces(KpLongDatePieces(At(2007, 12, 8))), u"2007년 12월 8일 토요일");
  EXPECT_EQ(KpJoinPieces(KpLongDatePieces(At(2024, 2, 29))), u"2024년 2월 29일 목요일");
}

TEST(DateTimeText, ShortDateHasLeadingZeros) {
  EXPECT_EQ(KpJoinPieces(KpShortDatePieces(At(2008, 1, 1))), u"2008-01-01");
}

TEST(DateTimeText, TimeUsesTheKoreanTwelveHourClock) {
  EXPECT_EQ(KpJoinPieces(KpTimePieces(At(2007, 1, 1, 9, 30, 0))), u"오전 9:30:00");
  EXPECT_EQ(KpJoinPieces(KpTimePieces(At(2007, 1, 1, 0, 5, 7))), u"오전 12:05:07");
  EXPECT_EQ(KpJoinPieces(KpTimePieces(At(2007, 1, 1, 12, 0, 0))), u"오후 12:00:00");
  EXPECT_EQ(KpJoinPieces(KpTimePieces(At(2007, 1, 1, 23, 59, 59))), u"오후 11:59:59");
}

TEST(DateTimeText, WeekdaysAcrossCenturyRules) {
  EXPECT_EQ(KpDayOfWeek(2000, 1, 1), 6);   // Saturday
  EXPECT_EQ(KpDayOfWeek(1900, 3, 1), 4);   // Thursday (1900 is no leap year)
  EXPECT_EQ(KpDayOfWeek(1841, 1, 22), 5);  // Friday
}

TEST(DateTimeFieldStep, WrapsInsideTheFieldWithoutCarrying) {
  SYSTEMTIME t = At(2007, 12, 31, 23, 59, 59);
  KpStepField(t, KpDateField::Minute, 1);
  EXPECT_EQ(t.wMinute, 0);
  EXPECT_EQ(t.wHour, 23);
  KpStepField(t, KpDateField::Hour, 1);
  EXPECT_EQ(t.wHour, 0);
  EXPECT_EQ(t.wDay, 31);
  KpStepField(t, KpDateField::Second, -60);
  EXPECT_EQ(t.wSecond, 59);
}

TEST(DateTimeFieldStep, AMonthStepKeepsTheDayInsideTheMonth) {
  SYSTEMTIME t = At(2007, 1, 31);
  KpStepField(t, KpDateField::Month, 1);
  EXPECT_EQ(t.wMonth, 2);
  EXPECT_EQ(t.wDay, 28);
  EXPECT_EQ(t.wDayOfWeek, 3);  // 2007-02-28 was a Wednesday
}

TEST(DateTimeFieldStep, AmPmMovesTwelveHours) {
  SYSTEMTIME t = At(2007, 1, 1, 9);
  KpStepField(t, KpDateField::AmPm, 1);
  EXPECT_EQ(t.wHour, 21);
}

TEST(DateTimeScriptValues, AcceptOnlyRealDatesAndTimesInTheFixedForm) {
  int a, b, c;
  EXPECT_TRUE(KpParseScriptDate(u"2008-02-29", a, b, c));
  EXPECT_EQ(a * 10000 + b * 100 + c, 20080229);
  EXPECT_FALSE(KpParseScriptDate(u"2007-02-29", a, b, c));
  EXPECT_FALSE(KpParseScriptDate(u"2007-2-28", a, b, c));
  EXPECT_FALSE(KpParseScriptDate(u"2007-13-01", a, b, c));
  EXPECT_TRUE(KpParseScriptTime(u"23:59:59", a, b, c));
  EXPECT_FALSE(KpParseScriptTime(u"24:00:00", a, b, c));
  EXPECT_FALSE(KpParseScriptTime(u"9:30:00", a, b, c));
}

}  // namespace
