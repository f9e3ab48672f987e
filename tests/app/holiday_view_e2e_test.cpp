// The month view's holiday layer (메뉴 › 공휴일 보기), driven through its menu command on the real
// program: red day numbers, holiday names where a day has no entry of its own, solar terms in place
// of lunar dates, the holiday's page in the schedule panel, and the choice kept in the registry.
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

const char* const kHolidayView = "command 32797";
const char* const kLunarView = "command 32783";
constexpr const char* kRed = "#ff0000";

// October 2025 starts on a Wednesday: day d is cell d + 2.
int OctoberCell(int day) { return day + 2; }

struct CellFact {
  int day;
  const char* dayColour;
  const char* label;  // "" when no label is drawn
  const char* lunar;
  const char* fact;
};

void ExpectCells(const Kalmeno& k, const std::vector<CellFact>& facts) {
  for (const CellFact& f : facts) {
    const int i = OctoberCell(f.day);
    EXPECT_EQ(DayNumberOf(k.lines, i).colour, f.dayColour) << "October " << f.day << ": " << f.fact;
    EXPECT_EQ(LabelOf(k.lines, i).text, f.label) << "October " << f.day << ": " << f.fact;
    EXPECT_EQ(LunarLabelOf(k.lines, i).text, f.lunar) << "October " << f.day << ": " << f.fact;
  }
}

TEST(HolidayViewE2E, HolidaysAreRedAndNamedAndTermsTakeTheLunarDatesPlaceUntilTurnedOff) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, Record(2025, 10, 9, 10, 0, 0, u"모임"));
  k.Run("2025-10-01T09:00:00", {"wait 100", kLunarView, "wait 50", kHolidayView, "wait 100", "quit"});
  ExpectCells(k, {
                     {2, "#000000", "", "08/11", "a working Thursday"},
                     {3, kRed, "개천절", "08/12", "a national day"},
                     {6, kRed, "추석", "08/15", "추석 on a Monday"},
                     {5, kRed, "추석", "08/14", "추석 eve, by the short name a cell has room for"},
                     {8, kRed, "대체", "한로", "the substitute day, and 한로 that day"},
                     {9, kRed, "모임..", "08/18", "한글날 with an entry: the entry's label stays"},
                     {23, "#000000", "", "상강", "a solar term on a working day"},
                 });

  // Turned off again, the month is drawn as it is without the layer.
  Kalmeno off;
  e2e::WriteBytes(off.dataFile, Record(2025, 10, 9, 10, 0, 0, u"모임"));
  off.Run("2025-10-01T09:00:00", {"wait 100", kLunarView, "wait 50", kHolidayView, "wait 50", kHolidayView,
                                  "wait 100", "quit"});
  ExpectCells(off, {
                       {3, "#000000", "", "08/12", "off: 개천절 is a Friday like any other"},
                       {8, "#000000", "", "08/17", "off: no name, the lunar date"},
                       {9, "#000000", "모임..", "08/18", "off: the entry alone"},
                   });
}

TEST(HolidayViewE2E, TheChoiceIsRememberedAndTheHolidayOpensInThePanelBeforeTheEntries) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, Record(2025, 10, 8, 19, 0, 0, u"가족 모임"));
  k.Run("2025-10-01T09:00:00", {"wait 100", kHolidayView, "wait 50", "quit"});
  EXPECT_NE(e2e::ReadBytes(k.dir.file("registry.reg")).find("\"HolidayView\"=dword:00000001"), std::string::npos);

  // The next start shows the layer at once; tapping 8 October twice opens its holiday, then its entry.
  const int cell = OctoberCell(8);
  k.Run("2025-10-01T09:00:00", {"wait 100", Tap(CellX(cell), CellY(cell)), "wait 50", Tap(CellX(cell), CellY(cell)),
                                "wait 50", "shot " + k.Shot("holiday-page.png"), Tap(CellX(cell), CellY(cell)),
                                "wait 50", "quit"});
  EXPECT_EQ(DayNumberOf(k.lines, cell).colour, kRed);
  std::vector<std::string> panel;
  for (const e2e::TraceLine& line : ViewTexts(k.lines))
    if (line.fields.back().starts_with("< ") || line.fields.back().find('/') == 1) panel.push_back(line.fields.back());
  EXPECT_EQ(panel, (std::vector<std::string>{"1/2", "< 대체공휴일(추석) >", "2/2", "< 가족 모임 >"}));

  // Turned off, the next start is without it.
  k.Run("2025-10-01T09:00:00", {"wait 100", kHolidayView, "wait 50", "quit"});
  k.Run("2025-10-01T09:00:00", {"wait 100", "quit"});
  EXPECT_EQ(DayNumberOf(k.lines, cell).colour, "#000000");
}

}  // namespace
