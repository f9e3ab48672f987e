// Public holidays by the rules of each year, and the solar-term table against a second source.
// The almanac's own lists for 2018..2027 are checked through the converter (lunar_tool tests).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "calendar/lunar_calendar.h"
#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"

namespace {

using calendar::HolidayKind;
using calendar::PublicHolidaysOfYear;

std::string Date(int y, int m, int d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y % 10000, m % 100, d % 100);
  return text;
}

// The names of a day's holidays, joined by "|"; "" when it has none.
std::string NamesOn(const std::string& date) {
  std::string names;
  for (const auto& h : PublicHolidaysOfYear(std::stoi(date.substr(0, 4))))
    if (Date(h.year, h.month, h.day) == date) names += (names.empty() ? "" : "|") + h.name;
  return names;
}

// Each row a fact of the rules as they stood in that year, or of the rule-only years.
TEST(PublicHolidays, FollowTheRulesAsTheyStoodEachYear) {
  struct Row {
    const char* date;
    const char* names;
    const char* fact;
  } rows[] = {
      {"2005-04-05", "식목일", "식목일 was a holiday until 2005"},
      {"2006-04-05", "", "and not from 2006"},
      {"2007-07-17", "제헌절", "제헌절 was a holiday until 2007"},
      {"2008-07-17", "", "and not from 2008"},
      {"2026-07-17", "제헌절", "and again from 2026"},
      {"2025-05-01", "", "노동절 is not a public holiday before 2026"},
      {"2012-10-09", "", "한글날 was not a holiday until 2012"},
      {"2013-10-09", "한글날", "and is from 2013"},
      {"2012-01-22", "설날 전날", "2012's 설날 eve on a Sunday: no substitute yet"},
      {"2012-01-25", "", "(the day after the three days)"},
      {"2014-09-10", "대체공휴일(추석)", "the first substitute: 추석 eve on a Sunday"},
      {"2017-05-03", "석가탄신일", "the old name, before the renaming of 2017-10-17"},
      {"2017-10-06", "대체공휴일(추석)", "추석 eve on 개천절"},
      {"2020-10-03", "개천절", "on a Saturday, before national days were substituted"},
      {"2020-10-05", "", "so no substitute"},
      {"2022-12-26", "", "Christmas on a Sunday before 2023: no substitute"},
      {"2025-05-05", "어린이날|부처님 오신 날", "two holidays on one day, the fixed one first"},
      {"2025-05-06", "대체공휴일(부처님 오신 날)", "one substitute for the pair"},
      {"2028-10-03", "개천절|추석", "rules alone: 추석 on 개천절"},
      {"2028-10-05", "대체공휴일(추석)", "its substitute after the three days"},
      {"2028-04-12", "제23대 국회의원선거", "the election act: first Wednesday from April 9"},
      {"2030-06-12", "전국동시지방선거", "a week later: 현충일 is the day after June 5"},
      {"2043-12-25", "기독탄신일", "the last year"},
  };
  for (const Row& row : rows) EXPECT_EQ(NamesOn(row.date), row.names) << row.date << ": " << row.fact;
  EXPECT_TRUE(PublicHolidaysOfYear(1999).empty());
  EXPECT_TRUE(PublicHolidaysOfYear(2044).empty());
}

// Whole range: no substitute before 2014; each substitute is a weekday on no other holiday; each
// year has 설날 and 추석 as three days in a row; dates in order, one name once a day.
TEST(PublicHolidays, EveryYearHoldsTogether) {
  for (int year = calendar::FIRST_HOLIDAY_YEAR; year <= calendar::LAST_HOLIDAY_YEAR; ++year) {
    SCOPED_TRACE(year);
    const auto holidays = PublicHolidaysOfYear(year);
    std::set<std::string> seen;
    long previous = 0;
    std::multiset<long> days;
    for (const auto& h : holidays) days.insert(DayNumber(h.year, h.month, h.day));
    for (const auto& h : holidays) {
      const long day = DayNumber(h.year, h.month, h.day);
      EXPECT_EQ(h.year, year);
      EXPECT_LE(previous, day);
      previous = day;
      EXPECT_TRUE(seen.insert(Date(h.year, h.month, h.day) + h.name).second) << h.name;
      if (h.kind == HolidayKind::Substitute) {
        EXPECT_GE(year, 2014) << Date(h.year, h.month, h.day);
        EXPECT_NE(WeekdayOfDayNumber(day) % 6, 0) << Date(h.year, h.month, h.day);
        EXPECT_EQ(days.count(day), 1u) << Date(h.year, h.month, h.day);
      }
    }
    EXPECT_EQ(NamesOn(Date(year, 1, 1)), "1월 1일");
    for (const char* middle : {"설날", "추석"}) {
      long found = 0;
      for (const auto& h : holidays)
        if (h.name == middle) found = DayNumber(h.year, h.month, h.day);
      ASSERT_NE(found, 0) << middle;
      for (long offset : {-1L, 1L}) {
        bool there = false;
        for (const auto& h : holidays)
          there = there || (DayNumber(h.year, h.month, h.day) == found + offset && h.name.starts_with(middle));
        EXPECT_TRUE(there) << middle << offset;
      }
    }
  }
}

// The libnova table against lunar-javascript (tests/calendar/solar_terms_second_source.tsv, made
// by calendar/tools/make_solar_term_check.mjs): the same days, the moments within two minutes
// (the two sources differ in their models and in the clock difference of the 19th century).
TEST(SolarTerms, AgreeWithASecondSourceToTheDayAndWithinTwoMinutes) {
  std::ifstream file(KP_SOLAR_TERMS_SECOND_SOURCE);
  int compared = 0;
  for (std::string line; std::getline(file, line);) {
    int y, mo, d, h, mi, s, index;
    char name[32];
    ASSERT_EQ(std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d\t%d\t%31s", &y, &mo, &d, &h, &mi, &s, &index, name), 8)
        << line;
    const auto terms = calendar::SolarTermsOfYear(y);
    ASSERT_EQ(terms.size(), 24u) << line;
    const calendar::SolarTerm& t = terms[index];
    EXPECT_EQ(Date(t.year, t.month, t.day), Date(y, mo, d)) << line;
    EXPECT_STREQ(calendar::SolarTermName(t.index), name);
    const long ours = (DayNumber(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute) * 60;
    const long theirs = (DayNumber(y, mo, d) * 1440 + h * 60 + mi) * 60 + s;
    EXPECT_LE(std::labs(ours - theirs), 120) << line;
    ++compared;
  }
  EXPECT_EQ(compared, 11 * 24);
  EXPECT_EQ(calendar::SolarTermOn(2024, 2, 4), 2);  // 입춘
  EXPECT_EQ(calendar::SolarTermOn(2024, 2, 5), -1);
  EXPECT_TRUE(calendar::SolarTermsOfYear(1840).empty());
  EXPECT_TRUE(calendar::SolarTermsOfYear(2044).empty());
}

}  // namespace
