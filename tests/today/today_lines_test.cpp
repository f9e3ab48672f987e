// What the item draws: the lunar line, the coming entries and the D-day line.
#include "tests/today/today_fixture.h"

#include "kp_platform.h"

using ::testing::ElementsAre;

namespace {

// 2007-12-08 is a Saturday, lunar 2007-10-29.
const char kLunarLine20071208[] = "음력 2007년 10월 29일 평달";
const char kNoMore[] = "더 이상 표시할 일정이 없습니다.";

TEST_F(TodayItemTest, EntryTodayOnSaturdayShowsTodayLineWhateverTheTimeOfDay) {
  SetNow("2007-12-08T23:50:00");
  WriteEntries({MakeEntry(2007, 12, 8, 9, 30, u"주간회의")});
  CreateItem();
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre(kLunarLine20071208, "오늘(토) 09:30 주간회의"));
}

TEST_F(TodayItemTest, TomorrowAndLaterEntriesNameTheirDayAndWeekday) {
  WriteEntries({MakeEntry(2007, 12, 10, 14, 5, u"치과"), MakeEntry(2007, 12, 9, 19, 0, u"저녁")});
  CreateItem();
  ChooseOptions(0, 2, 1, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(),
              ElementsAre(kLunarLine20071208, "내일(일) 19:00 저녁", "2일뒤(월) 14:05 치과", kNoMore));
}

TEST_F(TodayItemTest, OnlyPastEntriesLeaveTheLunarLineAlone) {
  WriteEntries({MakeEntry(2007, 12, 7, 9, 0, u"어제"), MakeEntry(2006, 5, 1, 9, 0, u"작년")});
  CreateItem();
  ChooseOptions(0, 4, 0, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre(kLunarLine20071208));
  EXPECT_EQ(m_record.cyp, 140u) << "the height still counts every line the settings ask for";
}

TEST_F(TodayItemTest, HiddenLunarLineLeavesOnlyScheduleLines) {
  WriteEntries({MakeEntry(2007, 12, 8, 9, 30, u"회의")});
  CreateItem();
  ChooseOptions(1, 0, 1, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("오늘(토) 09:30 회의"));
}

TEST_F(TodayItemTest, ComingLinesAreTheNextEntriesInDateOrderEachOnce) {
  struct Case {
    const char* now;
    std::vector<ScheduleEntry> entries;
    int listCount;
    std::vector<std::string> lines;
  };
  const ScheduleEntry yearlyJanuary = MakeEntry(2005, 1, 10, 9, 0, u"생일", SCHEDULE_YEARLY);
  const Case cases[] = {
      // Next year's 10 January (a Thursday) comes before a one-time entry of 2009.
      {"2007-12-28T10:00:00", {MakeEntry(2009, 3, 1, 9, 0, u"먼훗날"), yearlyJanuary}, 0, {"13일뒤(목) 09:00 생일"}},
      {"2007-12-28T10:00:00",
       {MakeEntry(2009, 3, 1, 9, 0, u"먼훗날"), yearlyJanuary, MakeEntry(2007, 12, 30, 18, 0, u"송년회"),
        MakeEntry(2008, 3, 1, 9, 0, u"입학식")},
       4,
       {"2일뒤(일) 18:00 송년회", "13일뒤(목) 09:00 생일", "64일뒤(토) 09:00 입학식", "429일뒤(일) 09:00 먼훗날",
        kNoMore}},
      // Only yearly entries, all past this year: next year's dates are still coming.
      {"2007-12-28T10:00:00", {yearlyJanuary}, 1, {"13일뒤(목) 09:00 생일", kNoMore}},
      // A yearly entry of today is listed once, not again a year later.
      {"2007-12-28T10:00:00", {MakeEntry(2001, 12, 28, 8, 0, u"기념일", SCHEDULE_YEARLY)}, 1,
       {"오늘(금) 08:00 기념일", kNoMore}},
      // Lunar 11-15 of 2007 (24 December) is past; lunar 2008-11-15 is 2008-12-12, a Friday.
      {"2007-12-28T10:00:00", {MakeEntry(1990, 11, 15, 7, 0, u"음력", SCHEDULE_LUNAR | SCHEDULE_YEARLY)}, 0,
       {"350일뒤(금) 07:00 음력"}},
      // Entries of one day in time order; those of one time keep the order of the file.
      {"2007-12-08T10:00:00",
       {MakeEntry(2007, 12, 9, 18, 0, u"셋째"), MakeEntry(2007, 12, 9, 8, 0, u"넷째"),
        MakeEntry(2001, 12, 9, 12, 0, u"다섯째", SCHEDULE_YEARLY), MakeEntry(2007, 12, 9, 8, 0, u"여섯째")},
       3, {"내일(일) 08:00 넷째", "내일(일) 08:00 여섯째", "내일(일) 12:00 다섯째", "내일(일) 18:00 셋째"}},
      // Lunar 2007-11 has 29 days: a yearly lunar 30th is kept on the 29th, 2008-01-07 (a Monday);
      // a one-time lunar 2007-11-30 does not exist and falls on no day.
      {"2007-12-08T10:00:00",
       {MakeEntry(1990, 11, 30, 7, 0, u"제사", SCHEDULE_LUNAR | SCHEDULE_YEARLY),
        MakeEntry(2007, 11, 30, 7, 0, u"없는날", SCHEDULE_LUNAR)},
       1, {"30일뒤(월) 07:00 제사", kNoMore}},
  };
  CreateItem();
  for (const Case& c : cases) {
    SetNow(c.now);
    WriteEntries(c.entries);
    ChooseOptions(1, c.listCount, 1, 0);
    m_record.cyp = 0;  // the height of this case's lines
    QueryRefresh();
    EXPECT_EQ(PaintedLines(), c.lines) << c.now << ", " << c.lines.front();
  }
}

TEST_F(TodayItemTest, OneTimeEntryOfNextYearIsShownOnce) {
  SetNow("2007-12-28T10:00:00");
  WriteEntries({MakeEntry(2008, 1, 5, 12, 0, u"약속")});
  CreateItem();
  ChooseOptions(1, 2, 1, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("8일뒤(토) 12:00 약속", kNoMore, kNoMore));
}

TEST_F(TodayItemTest, DatesThatDoNotExistAreLeftOutOfTheComingEntries) {
  SetNow("2007-02-20T10:00:00");
  WriteEntries({
      MakeEntry(2004, 2, 29, 9, 0, u"윤일", SCHEDULE_YEARLY),   // no 29 February in 2007
      MakeEntry(2007, 4, 31, 9, 0, u"사월"),                    // April has 30 days
      MakeEntry(2007, 13, 1, 9, 0, u"십삼월"),
      MakeEntry(2060, 1, 1, 9, 0, u"먼음력", SCHEDULE_LUNAR),  // beyond the lunar table
      MakeEntry(2007, 2, 21, 9, 0, u"진짜"),
  });
  CreateItem();
  ChooseOptions(1, 2, 1, 0);
  QueryRefresh();
  // The yearly 29 February has no day this year, but next year's (2008 is a leap year, the 29th a
  // Friday 374 days on) follows the main list.
  EXPECT_THAT(PaintedLines(), ElementsAre("내일(수) 09:00 진짜", "374일뒤(금) 09:00 윤일", kNoMore));
  // Just after a 29 February the next one is three years on, past the following year.
  SetNow("2009-03-01T10:00:00");
  WriteEntries({MakeEntry(2004, 2, 29, 9, 0, u"윤일", SCHEDULE_YEARLY)});
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("1095일뒤(수) 09:00 윤일", kNoMore, kNoMore));
}

TEST_F(TodayItemTest, LunarYearlyEntryFallsOnItsSolarDateOfThisYear) {
  // Lunar 11-15 of 2007 is solar 2007-12-24, a Monday.
  WriteEntries({MakeEntry(1990, 11, 15, 7, 0, u"제사", SCHEDULE_LUNAR | SCHEDULE_YEARLY)});
  CreateItem();
  ChooseOptions(1, 0, 1, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("16일뒤(월) 07:00 제사"));
}

TEST_F(TodayItemTest, DdayOfYearlyEntryStoredThreeYearsAgoCountsFromItsStoredDate) {
  WriteEntries({MakeEntry(2004, 12, 8, 0, 0, u"기념일", SCHEDULE_YEARLY)});
  CreateItem();
  ChooseOptions(0, 0, 0, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre(kLunarLine20071208, "오늘(토) 00:00 기념일",
                                          "기념일(으)로부터 1095일이 지났습니다."));
}

TEST_F(TodayItemTest, DdayCountsDaysLeftAndNamesTheDayItself) {
  WriteEntries({MakeEntry(2007, 12, 31, 0, 0, u"마감"), MakeEntry(2007, 12, 8, 0, 0, u"발표")});
  CreateItem();
  ChooseOptions(1, 0, 0, 0);
  QueryRefresh();
  EXPECT_EQ(PaintedLines().back(), "마감이(가) 23일 남았습니다.");
  ChooseOptions(1, 0, 0, 1);
  EXPECT_EQ(PaintedLines().back(), "발표이(가) 오늘입니다.");
}

// The width of a text in the item's font at 96 dpi (the system font's face, 12 pixels high).
int ItemTextWidth(HWND item, const std::u16string& text) {
  LOGFONTW font = {};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  HDC dc = GetDC(item);
  HFONT itemFont = CreateFontIndirectW(&font);
  HGDIOBJ previous = SelectObject(dc, itemFont);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
  SelectObject(dc, previous);
  DeleteObject(itemFont);
  ReleaseDC(item, dc);
  return size.cx;
}

TEST_F(TodayItemTest, DdayLineTooWideShortensItsTitleAndKeepsItsCount) {
  struct Case { ScheduleEntry entry; const char* line; };
  const Case cases[] = {
      {MakeEntry(2007, 12, 31, 0, 0, u"마감"), "마감이(가) 23일 남았습니다."},
      {MakeEntry(2004, 4, 20, 0, 0, u"가나다라마바사아자차"), "가나…(으)로부터 1327일이 지났습니다."},
      {MakeEntry(2010, 1, 1, 0, 0, u"가나다라마바사아자차"), "가나다라마…이(가) 755일 남았습니다."},
      // A character outside the basic plane is kept whole or left out with what follows it.
      {MakeEntry(2004, 4, 20, 0, 0, u"가😀나다라"), "가😀…(으)로부터 1327일이 지났습니다."},
  };
  CreateItem();
  for (const Case& c : cases) {
    WriteEntries({MakeEntry(2007, 12, 9, 0, 0, u"내일"), c.entry});
    ChooseOptions(1, 0, 0, 1);
    QueryRefresh();
    const std::vector<std::string> lines = PaintedLines();
    ASSERT_EQ(lines.size(), 2u);
    const std::string& line = lines.back();
    EXPECT_EQ(line, c.line);
    EXPECT_LE(ItemTextWidth(m_item, KpFromUtf8(line)), 240 - 38) << line << " fits its row";
  }
}

TEST_F(TodayItemTest, DdayOfADateThatDoesNotExistShowsNoDdayLine) {
  WriteEntries({MakeEntry(2007, 12, 9, 0, 0, u"내일"), MakeEntry(2007, 2, 30, 0, 0, u"없는날")});
  CreateItem();
  ChooseOptions(1, 0, 0, 1);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("내일(일) 00:00 내일"));
}

TEST_F(TodayItemTest, DdayEntryRemovedFromTheFileShowsNoDdayLine) {
  WriteEntries({MakeEntry(2007, 12, 9, 0, 0, u"하나"), MakeEntry(2007, 12, 10, 0, 0, u"둘"),
                MakeEntry(2007, 12, 11, 0, 0, u"셋")});
  CreateItem();
  ChooseOptions(1, 0, 0, 2);
  QueryRefresh();
  EXPECT_EQ(PaintedLines().back(), "셋이(가) 3일 남았습니다.");
  WriteEntries({MakeEntry(2007, 12, 9, 0, 0, u"하나")});
  EXPECT_EQ(QueryRefresh(), TRUE);
  EXPECT_THAT(PaintedLines(), ElementsAre("내일(일) 00:00 하나"));
}

TEST_F(TodayItemTest, DdayChosenWithNoEntriesShowsNoDdayLine) {
  CreateItem();
  ChooseOptions(1, 0, 0, -1);  // combo box 1010 is empty: Done stores -1
  WriteEntries({MakeEntry(2007, 12, 9, 0, 0, u"하나")});
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("내일(일) 00:00 하나"));
}

TEST_F(TodayItemTest, DayInALeapMonthEndsTheLunarLineWithLeapMark) {
  // 2006 had a leap 7th month; solar 2006-09-01 is its 9th day.
  SetNow("2006-09-01T12:00:00");
  CreateItem();
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("음력 2006년 07월 09일 윤달"));
}

TEST_F(TodayItemTest, LinesStandInTwentyPixelRowsFromTheTextColumn) {
  WriteEntries({MakeEntry(2007, 12, 8, 9, 30, u"회의")});
  CreateItem();
  ChooseOptions(0, 1, 0, 0);
  QueryRefresh();
  std::vector<e2e::TraceLine> lines = PaintedTextTrace();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].fields[1], "28,0,240,20");
  EXPECT_EQ(lines[0].fields[2], "0x0004") << "the lunar line is drawn with DT_VCENTER only";
  EXPECT_EQ(lines[1].fields[1], "38,20,240,40");
  EXPECT_EQ(lines[1].fields[2], "0x8004");
  EXPECT_EQ(lines[2].fields[1], "38,40,240,60");
  EXPECT_EQ(lines[3].fields[1], "38,60,240,80");
  EXPECT_EQ(lines[3].fields[3], "#102030") << "the Today screen's text colour";
}

}  // namespace
