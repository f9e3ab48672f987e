// What the item's lines say, from an entry, its day and today, as a table: the texts alone,
// without a window (the plug-in's tests see them drawn).
#include <gtest/gtest.h>

#include <string>

#include "kp_platform.h"
#include "today/item_lines.h"
#include "today/occurrences.h"

namespace {

ScheduleEntry Entry(int year, int month, int day, int hour, int minute, const std::u16string& title, WORD flags = 0) {
  ScheduleEntry entry{};
  entry.wYear = static_cast<WORD>(year);
  entry.wMonth = static_cast<WORD>(month);
  entry.wDay = static_cast<WORD>(day);
  entry.wHour = static_cast<WORD>(hour);
  entry.wMinute = static_cast<WORD>(minute);
  entry.wFlags = flags;
  for (size_t i = 0; i < title.size() && i < SCHEDULE_TITLE_UNITS; ++i) entry.szTitle[i] = title[i];
  return entry;
}

DWORD Day(int year, int month, int day) {
  DWORD days = 0;
  DaysSince1601(year, month, day, &days);
  return days;
}

// 2007-12-08, a Saturday, lunar 2007-10-29.
const DWORD kToday = Day(2007, 12, 8);

TEST(ItemLines, EachLineSaysWhatItsEntryAndTodayGive) {
  struct Case {
    const char* kind;
    ScheduleEntry entry;
    DWORD day;  // the coming line's day; unused by the D-day line
    std::string text;
  };
  const Case cases[] = {
      {"coming", Entry(2007, 12, 8, 9, 30, u"주간회의"), kToday, "오늘(토) 09:30 주간회의"},
      {"coming", Entry(2007, 12, 9, 19, 0, u"저녁"), kToday + 1, "내일(일) 19:00 저녁"},
      {"coming", Entry(2007, 12, 10, 14, 5, u"치과"), kToday + 2, "2일뒤(월) 14:05 치과"},
      {"coming", Entry(2009, 2, 10, 0, 0, u"ABCDEFGHIJK"), Day(2009, 2, 10), "430일뒤(화) 00:00 ABCDEFGHIJ"},
      {"dday", Entry(2007, 12, 8, 9, 0, u"시험"), 0, "시험이(가) 오늘입니다."},
      {"dday", Entry(2007, 12, 11, 9, 0, u"여행"), 0, "여행이(가) 3일 남았습니다."},
      {"dday", Entry(2004, 4, 20, 0, 0, u"입사", SCHEDULE_YEARLY), 0, "입사(으)로부터 1327일이 지났습니다."},
      {"dday", Entry(2007, 10, 29, 0, 0, u"음력", SCHEDULE_LUNAR), 0, "음력이(가) 오늘입니다."},
      {"dday", Entry(2007, 2, 30, 0, 0, u"없는날"), 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::u16string text;
    if (std::string(c.kind) == "coming") {
      WCHAR line[100];
      ComingLineText(c.entry, c.day, kToday, line);
      text = line;
    } else {
      WCHAR title[11], ending[90];
      if (DdayTexts(c.entry, kToday, title, ending)) text = std::u16string(title) + ending;
    }
    EXPECT_EQ(KpToUtf8(text.c_str()), c.text);
  }

  const struct {
    int year, month, day;
    std::string text;
  } lunarLines[] = {
      {2007, 12, 8, "음력 2007년 10월 29일 평달"},
      {2006, 8, 24, "음력 2006년 07월 01일 윤달"},
      {2044, 1, 1, "음력 0000년 00월 00일 평달"},  // outside the table
  };
  for (const auto& c : lunarLines) {
    LunarDate lunar{};
    SolarToLunar(c.year, c.month, c.day, &lunar);
    WCHAR line[100];
    LunarLineText(lunar, line);
    EXPECT_EQ(KpToUtf8(line), c.text);
  }
  WCHAR line[100];
  NoMoreLineText(line);
  EXPECT_EQ(KpToUtf8(line), "더 이상 표시할 일정이 없습니다.");
}

}  // namespace
