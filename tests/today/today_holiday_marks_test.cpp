// The coming lines with "공휴일·절기 표시" on: public holidays and solar terms among the entries,
// in date order (a day's holidays first, terms by their time among the entries), remembered.
#include "tests/today/today_fixture.h"

using ::testing::ElementsAre;

namespace {

TEST_F(TodayItemTest, HolidaysAndSolarTermsComeAmongTheEntriesInDateOrderWhenChosen) {
  WriteEntries({MakeEntry(2025, 10, 3, 10, 0, u"등산"), MakeEntry(2025, 10, 8, 8, 0, u"출근"),
                MakeEntry(2025, 10, 8, 19, 0, u"저녁")});
  SetNow("2025-10-01T09:00:00");
  CreateItem();
  ChooseOptions(1, 4, 1, 0);  // no lunar line, five coming lines, no D-day line
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("2일뒤(금) 10:00 등산", "7일뒤(수) 08:00 출근", "7일뒤(수) 19:00 저녁",
                                          "더 이상 표시할 일정이 없습니다.", "더 이상 표시할 일정이 없습니다."))
      << "off until chosen";

  ChooseHolidayMarks(true);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("2일뒤(금) 개천절", "2일뒤(금) 10:00 등산", "4일뒤(일) 추석 전날",
                                          "5일뒤(월) 추석", "6일뒤(화) 추석 다음 날"));
  SetNow("2025-10-08T07:00:00");
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("오늘(수) 대체공휴일(추석)", "오늘(수) 08:00 출근", "오늘(수) 09:41 한로",
                                          "오늘(수) 19:00 저녁", "내일(목) 한글날"));
  // Past the last entry the holidays and terms still come; the choice is in the registry.
  SetNow("2025-12-20T07:00:00");
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre("2일뒤(월) 00:03 동지", "5일뒤(목) 기독탄신일", "12일뒤(목) 1월 1일",
                                          "16일뒤(월) 17:23 소한", "31일뒤(화) 10:45 대한"));
  EXPECT_NE(e2e::ReadBytes(TestEnvironment().registry).find("\"TodayHolidayMarks\"=dword:00000001"),
            std::string::npos);

  ChooseHolidayMarks(false);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), ElementsAre()) << "off again: no entries to come";
}

}  // namespace
