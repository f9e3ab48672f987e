// The stylus on the month view: selecting a day, paging the schedule panel, the arrows, the
// tap-and-hold popup and going to today. August 2006: day d of August lies in cell d + 1.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

constexpr int kDay10 = 11, kDay15 = 16;

// Three entries on 15 August 2006, in the order the panel shows them (solar ones first).
std::string ThreeEntriesOn15August() {
  return Record(1945, 8, 15, 0, 0, kYearly | kHoliday, u"광복절", u"기념일") +
         Record(2006, 8, 15, 13, 5, 0, u"약속", u"친구") +
         Record(2000, 7, 22, 12, 30, kLunar | kYearly | kHoliday, u"제사");
}

void ExpectFrameAround(const std::string& shot, int i, long colour) {
  EXPECT_EQ(ClientPixel(shot, CellLeft(i) - 1, CellTop(i) + 5), colour) << "left of cell " << i;
  EXPECT_EQ(ClientPixel(shot, CellRight(i) + 1, CellTop(i) + 5), colour) << "right of cell " << i;
  EXPECT_EQ(ClientPixel(shot, CellLeft(i) + 5, CellTop(i) - 1), colour) << "top of cell " << i;
  EXPECT_EQ(ClientPixel(shot, CellLeft(i) + 5, CellBottom(i) + 1), colour) << "bottom of cell " << i;
}

int CountText(const Kalmeno& k, const std::string& text) {
  const std::vector<std::string> texts = e2e::Texts(ViewTexts(k.lines));
  return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

TEST(MonthInputE2E, TappingADaySelectsItWithARedFrameOnTheGridLines) {
  Kalmeno k;
  k.Run("2006-08-10T10:00:00", {"wait 100", Tap(CellX(kDay10), CellY(kDay10)), "wait 50", "shot " + k.Shot("a.png"),
                                Tap(CellX(30), CellY(30)), "wait 50", "shot " + k.Shot("b.png"), "quit"});
  ExpectFrameAround(k.Shot("a.png"), kDay10, 0xFF0000);
  EXPECT_EQ(ClientPixel(k.Shot("a.png"), CellX(kDay10), CellY(kDay10)), 0xFFE1E1);
  // Another day takes the selection; the old frame goes back to black grid lines.
  ExpectFrameAround(k.Shot("b.png"), 30, 0xFF0000);
  ExpectFrameAround(k.Shot("b.png"), kDay10, 0x000000);
  EXPECT_NE(ClientPixel(k.Shot("b.png"), CellX(kDay10), CellY(kDay10)), 0xFFE1E1);
}

TEST(MonthInputE2E, TheSelectedDaysPanelPagesThroughItsEntriesWhereverThePressLands) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, ThreeEntriesOn15August());
  const int x = CellX(kDay15), y = CellY(kDay15);
  k.Run("2006-08-10T10:00:00",
        {"wait 100", Tap(x, y), "wait 50", "shot " + k.Shot("selected.png"),
         Tap(x, y), "wait 50", "shot " + k.Shot("page1.png"),      // opens at 1/3
         Tap(30, 10), "wait 50",                                  // on the previous arrow: 2/3
         Tap(CellX(30), CellY(30)), "wait 50",                    // on another day: 3/3
         "shot " + k.Shot("page3.png"),
         Tap(120, 30), "wait 50", "shot " + k.Shot("closed.png"), // on the header: closes
         Tap(x, y), "wait 50", "quit"});                          // opens again at 1/3
  EXPECT_EQ(CountText(k, "1/3"), 2);
  EXPECT_EQ(CountText(k, "2/3"), 1);
  EXPECT_EQ(CountText(k, "3/3"), 1);
  EXPECT_EQ(LastTextAt(k.lines, 18, 97, 220, 209).colour, "#7d7d7d");
  EXPECT_EQ(LastTitle(k.lines), "2006년08월");

  // Page 1: the yearly solar holiday; page 2: a one-time afternoon entry; page 3: the lunar one.
  EXPECT_EQ(CountText(k, "< 광복절 >"), 2);
  EXPECT_EQ(CountText(k, "오전 00시00분"), 2);
  EXPECT_EQ(CountText(k, "[매년,휴일]"), 2);
  EXPECT_EQ(CountText(k, "기념일"), 2);
  EXPECT_EQ(CountText(k, "오후 01시05분"), 1);
  EXPECT_EQ(CountText(k, "[옵션없음]"), 1);
  EXPECT_EQ(CountText(k, "< 제사 >"), 1);
  EXPECT_EQ(CountText(k, "오전 12시30분"), 1);
  EXPECT_EQ(CountText(k, "[음력,매년,휴일]"), 1);
  EXPECT_EQ(CountText(k, "없음"), 1);
  EXPECT_EQ(CountText(k, "2006년 08월 15일 (음07/22)"), 4);
  EXPECT_EQ(CountText(k, "메모"), 4);

  // The panel is drawn over the grid; once closed the grid under it is as before.
  const std::string before = k.Shot("selected.png"), open = k.Shot("page1.png"), closed = k.Shot("closed.png");
  EXPECT_NE(ClientPixel(open, 60, 150), ClientPixel(before, 60, 150));
  for (int py = 97; py < 209; py += 7)
    for (int px = 18; px < 221; px += 11) ASSERT_EQ(ClientPixel(closed, px, py), ClientPixel(before, px, py)) << px << "," << py;
  // The selection and the month did not change while the panel took the presses.
  ExpectFrameAround(closed, kDay15, 0xFF0000);
  ExpectFrameAround(closed, 30, 0x000000);
}

TEST(MonthInputE2E, ASecondTapOnADayWithoutEntriesOpensNoPanel) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, ThreeEntriesOn15August());
  k.Run("2006-08-10T10:00:00", {"wait 100", Tap(CellX(kDay10), CellY(kDay10)), "wait 50",
                                Tap(CellX(kDay10), CellY(kDay10)), "wait 50", "quit"});
  EXPECT_EQ(CountText(k, "1/3"), 0);
  EXPECT_EQ(CountText(k, "메모"), 0);
}

TEST(MonthInputE2E, ArrowsStepOnlyOnAReleaseInsideThePressedArrow) {
  Kalmeno k;
  k.Run("2006-08-10T10:00:00",
        {"wait 100", Down(30, 10), "wait 50", "shot " + k.Shot("pressed.png"), Up(100, 100), "wait 50",
         "shot " + k.Shot("released.png"), Tap(5, 10), Tap(59, 10), Tap(30, 1), Tap(120, 10), "wait 50",
         "shot " + k.Shot("border.png"), Down(200, 10), Up(200, 12), "wait 50", "shot " + k.Shot("next.png"), "quit"});
  // Held: the pressed image (white box, black border); released outside: the normal image again.
  EXPECT_EQ(ClientPixel(k.Shot("pressed.png"), 6, 5), 0xFFFFFF);
  EXPECT_EQ(ClientPixel(k.Shot("pressed.png"), 5, 5), 0x000000);
  EXPECT_EQ(ClientPixel(k.Shot("released.png"), 6, 5), 0xD4D0C8);
  // Neither the release outside nor presses on the border lines or the title changed the month.
  const auto titles = e2e::Texts(k.lines);
  EXPECT_EQ(std::count(titles.begin(), titles.end(), std::string("2006년07월")), 0);
  EXPECT_EQ(LastTitle(k.lines), "2006년09월");
}

TEST(MonthInputE2E, ArrowStepsClearTheSelection) {
  Kalmeno k;
  k.Run("2006-08-10T10:00:00", {"wait 100", Tap(CellX(20), CellY(20)), Tap(200, 10), "wait 50",
                                "shot " + k.Shot("sep.png"), "quit"});
  EXPECT_EQ(LastTitle(k.lines), "2006년09월");
  ExpectFrameAround(k.Shot("sep.png"), 20, 0x000000);
}

TEST(MonthInputE2E, GoingToTodayShowsItsMonthSelectsItAndClosesThePanel) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, ThreeEntriesOn15August());
  k.Run("2006-08-10T10:00:00",
        {"wait 100", "shot " + k.Shot("start.png"), Tap(CellX(kDay15), CellY(kDay15)), Tap(CellX(kDay15), CellY(kDay15)),
         "wait 50", "command 32796", "wait 50", "shot " + k.Shot("today.png"), Tap(200, 10), Tap(200, 10), "wait 50",
         "command 32796", "wait 50", "command 32796", "wait 50", "shot " + k.Shot("again.png"), "quit"});
  const std::string today = k.Shot("today.png");
  ExpectFrameAround(today, kDay10, 0xFF0000);
  ExpectFrameAround(today, kDay15, 0x000000);
  // No panel left over: the panel's area shows the grid as at start (outside the two cells).
  EXPECT_EQ(ClientPixel(today, 120, 100), ClientPixel(k.Shot("start.png"), 120, 100));
  EXPECT_EQ(ClientPixel(today, 60, 200), ClientPixel(k.Shot("start.png"), 60, 200));
  EXPECT_EQ(LastTitle(k.lines), "2006년08월");
  ExpectFrameAround(k.Shot("again.png"), kDay10, 0xFF0000);
}

// Going to today from another month and turning the lunar dates off leave no trace of what was
// drawn before: the grid looks exactly as when started on that state.
TEST(MonthInputE2E, GoingToTodayAndHidingLunarDatesLeaveNothingOfThePreviousPicture) {
  Kalmeno fresh;
  e2e::WriteBytes(fresh.dataFile, ThreeEntriesOn15August());
  fresh.Run("2006-08-10T10:00:00", {"wait 100", Tap(CellX(kDay10), CellY(kDay10)), "wait 50",
                                    "shot " + fresh.Shot("fresh.png"), "quit"});
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, ThreeEntriesOn15August());
  k.Run("2006-08-10T10:00:00", {"wait 100", "command 32783", Tap(200, 10), "wait 50", Tap(200, 10), "wait 50",
                                "command 32796", "wait 50", "command 32783", "wait 50", "shot " + k.Shot("back.png"),
                                "quit"});
  EXPECT_EQ(DifferingPixels(fresh.Shot("fresh.png"), k.Shot("back.png"), 0, 23, 239, 267), 0);
}

// Dark pixels in the check-mark column (the first 16 pixels) of a menu item, screen coordinates.
int CheckMarkPixels(const std::string& shot, const e2e::TraceLine& item) {
  int l = 0, t = 0, r = 0, b = 0;
  std::sscanf(item.fields[0].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b);
  int dark = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < l + 16; ++x) {
      const long p = e2e::PixelAt(shot, x, y);
      if (p >= 0 && ((p >> 16) & 0xFF) < 110 && ((p >> 8) & 0xFF) < 110 && (p & 0xFF) < 110) ++dark;
    }
  return dark;
}

TEST(MonthInputE2E, TapAndHoldOpensThePopupWithTheLunarViewCheckMarkOfTheMoment) {
  Kalmeno k;
  k.Run("2006-08-10T10:00:00", {"wait 100", Hold(CellX(9), CellY(9)), "wait 100", "shot " + k.Shot("popup1.png"),
                                Tap(2, 2), "wait 50", "command 32783", "wait 50", Hold(CellX(10), CellY(10)),
                                "wait 100", "shot " + k.Shot("popup2.png"), Tap(2, 2), "wait 50", "quit"});
  const auto menus = e2e::Select(k.lines, "menu");
  ASSERT_EQ(menus.size(), 12u) << "two popups of five items and a separator";
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"32794", "일정 추가"}, {"32795", "일정 목록"}, {"0", ""}, {"32783", "음력 보기"}, {"32796", "오늘로 이동"}, {"1", "종료"}};
  for (size_t i = 0; i < menus.size(); ++i) {
    EXPECT_EQ(menus[i].fields[1], expected[i % 6].first) << i;
    EXPECT_EQ(menus[i].fields.size() > 2 ? menus[i].fields[2] : "", expected[i % 6].second) << i;
  }
  // The popup opens with its top-left corner at the press point (its first item just inside).
  int l = 0, t = 0, r = 0, b = 0;
  std::sscanf(menus[0].fields[0].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b);
  EXPECT_NEAR(l, CellX(9), 3);
  EXPECT_NEAR(t, CellY(9) + kClientTop, 3);
  // The hold also selected the day (the popup covers the right part of its frame).
  EXPECT_EQ(ClientPixel(k.Shot("popup1.png"), CellLeft(9) - 1, CellTop(9) + 5), 0xFF0000);
  EXPECT_EQ(ClientPixel(k.Shot("popup1.png"), CellLeft(9) + 5, CellTop(9) - 1), 0xFF0000);
  // "음력 보기" is unchecked while lunar dates are hidden (the resource has it checked), and
  // checked once they are shown; the other items never are.
  EXPECT_EQ(CheckMarkPixels(k.Shot("popup1.png"), menus[3]), 0);
  EXPECT_GT(CheckMarkPixels(k.Shot("popup2.png"), menus[9]), 0);
  EXPECT_EQ(CheckMarkPixels(k.Shot("popup2.png"), menus[6]), 0);
}

TEST(MonthInputE2E, AnItemChosenFromThePopupRunsItsCommand) {
  Kalmeno k;
  k.Run("2006-08-10T10:00:00", {"wait 100", Hold(CellX(30), CellY(30)), "wait 100", "quit"});
  const auto menus = e2e::Select(k.lines, "menu");
  ASSERT_EQ(menus.size(), 6u);
  int l = 0, t = 0, r = 0, b = 0;
  std::sscanf(menus[3].fields[0].c_str(), "%d,%d,%d,%d", &l, &t, &r, &b);
  Kalmeno again;
  again.Run("2006-08-10T10:00:00", {"wait 100", Hold(CellX(30), CellY(30)), "wait 100",
                                    "tap " + std::to_string((l + r) / 2) + " " + std::to_string((t + b) / 2),
                                    "wait 100", "quit"});
  EXPECT_EQ(LunarLabelOf(again.lines, 25).text, "07/01*");
}

// Escape closes an open popup menu (from a hold or from the menu bar) without a command, so the
// next tap is the user's again: here it steps to the next month.
TEST(MonthInputE2E, EscapeClosesAnOpenPopupMenuAndTheNextTapCounts) {
  const std::vector<std::string> openers[] = {{Hold(CellX(30), CellY(30))}, {"tap 30 307"}};
  for (const std::vector<std::string>& open : openers) {
    SCOPED_TRACE(open.front());
    Kalmeno k;
    std::vector<std::string> script{"wait 100"};
    script.insert(script.end(), open.begin(), open.end());
    script.insert(script.end(), {"wait 100", "key 27", "wait 50", Tap(200, 10), "wait 50", "quit"});
    k.Run("2006-08-10T10:00:00", script);
    ASSERT_FALSE(e2e::Select(k.lines, "menu").empty()) << "the menu opened";
    EXPECT_EQ(LastTitle(k.lines), "2006년09월");
  }
}

}  // namespace
