// The settable local clock and the file-time conversions.
#include <gtest/gtest.h>

#include <cstdio>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

constexpr unsigned long long kTicksPerDay = 864000000000ULL;

unsigned long long Ticks(const FILETIME& t) {
  return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

SYSTEMTIME Date(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(y), t.wMonth = static_cast<WORD>(m), t.wDay = static_cast<WORD>(d);
  t.wHour = static_cast<WORD>(h), t.wMinute = static_cast<WORD>(mi), t.wSecond = static_cast<WORD>(s);
  t.wMilliseconds = static_cast<WORD>(ms);
  return t;
}

TEST(FileTime, KnownDaysSince1601) {
  struct Row { int y, m, d; unsigned long long day; int weekday; const char* fact; };
  const Row rows[] = {
      {1601, 1, 1, 0, 1, "the epoch, a Monday"},
      {2007, 12, 8, 148629, 6, "a Saturday"},
      {1970, 1, 1, 134774, 4, "the Unix epoch, a Thursday"},
      {2000, 2, 29, 145790, 2, "a leap day of a 400-year leap year"},
      {30827, 12, 31, 10674941, 5, "the last day the platform accepts"},
  };
  for (const Row& row : rows) {
    SYSTEMTIME in = Date(row.y, row.m, row.d);
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&in, &ft)) << row.fact;
    EXPECT_EQ(Ticks(ft), row.day * kTicksPerDay) << row.fact;
    SYSTEMTIME out;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &out)) << row.fact;
    EXPECT_EQ(out.wYear, row.y);
    EXPECT_EQ(out.wMonth, row.m);
    EXPECT_EQ(out.wDay, row.d);
    EXPECT_EQ(out.wDayOfWeek, row.weekday) << row.fact;
  }
}

TEST(FileTime, TimeOfDayRoundTripsToTheMillisecond) {
  SYSTEMTIME in = Date(2007, 5, 5, 9, 30, 59, 999), out;
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&in, &ft));
  EXPECT_EQ(Ticks(ft) % kTicksPerDay, ((9 * 60 + 30) * 60 + 59) * 10000000ULL + 999 * 10000ULL);
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &out));
  EXPECT_EQ(out.wHour, 9);
  EXPECT_EQ(out.wMinute, 30);
  EXPECT_EQ(out.wSecond, 59);
  EXPECT_EQ(out.wMilliseconds, 999);
}

TEST(FileTime, EveryDayFollowsThePreviousOneByOneDay) {
  // Walks day by day through four centuries: each date converts to the day after the last.
  SYSTEMTIME t = Date(1900, 1, 1);
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&t, &ft));
  unsigned long long expected = Ticks(ft);
  int weekday = 1;  // 1900-01-01 was a Monday
  for (int i = 0; i < 146097; ++i) {
    FILETIME current{static_cast<DWORD>(expected), static_cast<DWORD>(expected >> 32)};
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&current, &back));
    ASSERT_EQ(back.wDayOfWeek, weekday);
    FILETIME again;
    ASSERT_TRUE(SystemTimeToFileTime(&back, &again));
    ASSERT_EQ(Ticks(again), expected);
    expected += kTicksPerDay;
    weekday = (weekday + 1) % 7;
  }
}

TEST(FileTime, InvalidDatesAreRefused) {
  const SYSTEMTIME invalid[] = {Date(2007, 2, 29), Date(1900, 2, 29), Date(1600, 12, 31), Date(30828, 1, 1),
                                Date(2007, 13, 1), Date(2007, 0, 1),  Date(2007, 4, 31),  Date(2007, 1, 0),
                                Date(2007, 1, 1, 24), Date(2007, 1, 1, 0, 60), Date(2007, 1, 1, 0, 0, 60),
                                Date(2007, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& t : invalid) {
    FILETIME ft{123, 456};
    EXPECT_FALSE(SystemTimeToFileTime(&t, &ft)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    EXPECT_EQ(ft.dwLowDateTime, 123u) << "nothing written on failure";
  }
  FILETIME beyond{0, 0x80000000u};
  SYSTEMTIME out;
  EXPECT_FALSE(FileTimeToSystemTime(&beyond, &out));
}

std::string RunProbe(const char* now) {
  std::string command = std::string("env KALMENO_NOW=") + now + " " + KP_CLOCK_PROBE;
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  return output;
}

TEST(LocalClock, StartsAtKalmenoNowAndRunsOn) {
  // The probe reads the clock at once and again 2.1 s later. Its start may lag by up to a
  // second on a busy machine, so the readings are checked to the second they must fall in.
  std::string output = RunProbe("2007-12-08T23:59:58");
  ASSERT_EQ(output.size(), 44u) << output;
  EXPECT_EQ(output.substr(0, 18), "2007-12-08T23:59:5") << output;
  EXPECT_EQ(output.substr(19, 3), " 6\n") << "a Saturday";
  // Two seconds later the clock has moved on, across midnight into Sunday.
  EXPECT_EQ(output.substr(22, 18), "2007-12-09T00:00:0") << output;
  EXPECT_EQ(output.substr(41, 3), " 0\n") << "a Sunday";
}

TEST(LocalClock, SettingTheClockMovesLocalTime) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  SYSTEMTIME target = Date(2008, 2, 29, 12, 0, 0);
  KpSetClock(&target);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear, 2008);
  EXPECT_EQ(now.wMonth, 2);
  EXPECT_EQ(now.wDay, 29);
  EXPECT_EQ(now.wDayOfWeek, 5);
  EXPECT_EQ(now.wHour, 12);
  EXPECT_EQ(now.wMinute, 0);
  KpSetClock(&before);
}

}  // namespace
