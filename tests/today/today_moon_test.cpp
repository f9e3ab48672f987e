// Taps: the moon plays its phases; anywhere else the application is started.
#include "tests/today/today_fixture.h"

namespace {

const char kMoonRect[] = "201,3,237,39";

int MoonPaints(const std::vector<e2e::TraceLine>& trace) {
  int count = 0;
  for (const e2e::TraceLine& line : e2e::Select(trace, "paint", "Kalmeno Today Plugin"))
    if (line.fields.size() > 1 && line.fields[1] == kMoonRect) ++count;
  return count;
}

bool IsLit(COLORREF rgb) { return ((rgb >> 16) & 0xFF) > 200 && (rgb & 0xFF) < 190; }
bool IsDark(COLORREF rgb) { return ((rgb >> 16) & 0xFF) < 110 && (rgb & 0xFF) > ((rgb >> 16) & 0xFF); }

TEST_F(TodayItemTest, TapOnTheMoonsCornersPlaysThePhasesOnceAndStartsNothing) {
  for (auto [x, y] : {std::pair{201, 3}, std::pair{237, 39}}) {
    SCOPED_TRACE(testing::Message() << "tap at " << x << "," << y);
    CreateItem();
    QueryRefresh();
    ClearTrace();
    Tap(x, y);
    Tap(x, y);  // ignored while the animation runs
    Pump(2000);
    std::vector<e2e::TraceLine> trace = Trace();
    EXPECT_TRUE(e2e::Select(trace, "spawn").empty());
    // Thirty phases 40 ms apart, from the one after today's round to today's, and then it stops.
    EXPECT_EQ(MoonPaints(trace), 30);
    ClearTrace();
    Pump(200);
    EXPECT_EQ(MoonPaints(Trace()), 0);
    TearDown();
    SetUp();
  }
}

TEST_F(TodayItemTest, TapBesideTheMoonStartsTheApplication) {
  CreateItem();
  QueryRefresh();
  Tap(200, 3);
  Pump(50);
  std::vector<e2e::TraceLine> spawns = e2e::Select(Trace(), "spawn");
  ASSERT_EQ(spawns.size(), 1u);
  EXPECT_NE(spawns[0].fields[0].find("true"), std::string::npos);
  EXPECT_EQ(MoonPaints(Trace()), 0);
}

TEST_F(TodayItemTest, WithTheLunarLineHiddenTheMoonSpotStartsTheApplication) {
  CreateItem();
  ChooseOptions(1, 0, 1, 0);
  QueryRefresh();
  Tap(220, 20);
  Pump(50);
  EXPECT_EQ(e2e::Select(Trace(), "spawn").size(), 1u);
}

TEST_F(TodayItemTest, MoonShowsTodaysPhase) {
  SetNow("2007-12-24T12:00:00");  // lunar 11-15: full
  CreateItem();
  QueryRefresh();
  PaintedLines();
  EXPECT_TRUE(IsLit(ItemPixel(219, 21))) << std::hex << ItemPixel(219, 21);
  TearDown();
  SetUp();
  SetNow("2007-12-10T12:00:00");  // lunar 11-01: new moon
  CreateItem();
  QueryRefresh();
  PaintedLines();
  EXPECT_TRUE(IsDark(ItemPixel(219, 21))) << std::hex << ItemPixel(219, 21);
}

TEST_F(TodayItemTest, DayOutsideTheCalendarShowsZerosNoMoonAndIgnoresMoonTaps) {
  SetNow("2050-06-01T12:00:00");
  CreateItem();
  QueryRefresh();
  EXPECT_EQ(PaintedLines().front(), "음력 0000년 00월 00일 평달");
  EXPECT_EQ(ItemPixel(219, 21), 0xFFFFFFu) << "no moon over the white background";
  ClearTrace();
  Tap(219, 21);
  Pump(300);
  EXPECT_TRUE(e2e::Select(Trace(), "spawn").empty());
  EXPECT_EQ(MoonPaints(Trace()), 0);
}

}  // namespace
