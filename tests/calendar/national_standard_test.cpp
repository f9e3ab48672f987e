// The table against the Korean national standard, month by month: standard_month_starts.txt holds
// the solar date of day 1 of every lunar month 1841..2043 as the standard's tables give it (made by
// calendar/tools/make_standard_month_starts.mjs), and each month must start, end and convert back
// on the same days in the table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/lunar_calendar.h"
#include "calendar/solar_from_day_number.h"

namespace {

struct MonthStart {
  int lunarYear, lunarMonth, leap;
  int year, month, day;  // solar date of lunar day 1
};

std::vector<MonthStart> ReadMonthStarts(const char* path) {
  std::vector<MonthStart> starts;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    MonthStart s{};
    char dash1 = 0, dash2 = 0;
    std::istringstream fields(line);
    fields >> s.lunarYear >> s.lunarMonth >> s.leap >> s.year >> dash1 >> s.month >> dash2 >> s.day;
    if (!fields || dash1 != '-' || dash2 != '-') return {};  // a malformed file fails the size check
    starts.push_back(s);
  }
  return starts;
}

std::string Lunar(int year, int month, int leap) {
  return std::to_string(year) + "-" + std::to_string(month) + (leap ? " leap" : "");
}
std::string Solar(int year, int month, int day) {
  return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

// Lists, for one month of the standard, every way the table differs from it.
void CompareMonth(const MonthStart& s, long nextStartDayNumber, const MonthStart* previous,
                  std::vector<std::string>& faults) {
  const std::string name = "lunar " + Lunar(s.lunarYear, s.lunarMonth, s.leap) + ": ";
  const long start = DayNumber(s.year, s.month, s.day);

  SolarDate solar{};
  if (!LunarToSolar(s.lunarYear, s.lunarMonth, 1, s.leap, &solar) || solar.byWeekday != start % 7 ||
      DayNumber(solar.wYear, solar.byMonth, solar.byDay) != start)
    faults.push_back(name + "day 1 converts to " + Solar(solar.wYear, solar.byMonth, solar.byDay) + ", standard " +
                     Solar(s.year, s.month, s.day));

  LunarDate lunar{};
  if (!SolarToLunar(s.year, s.month, s.day, &lunar) || lunar.wLunarYear != s.lunarYear ||
      lunar.byMonth != s.lunarMonth || lunar.byLeap != s.leap || lunar.byDay != 1)
    faults.push_back(name + Solar(s.year, s.month, s.day) + " converts to " +
                     Lunar(lunar.wLunarYear, lunar.byMonth, lunar.byLeap) + " day " + std::to_string(lunar.byDay));

  // The solar day before day 1 is the previous month's last day (or outside the table).
  int y, m, d;
  lunar::SolarFromDayNumber(start - 1, &y, &m, &d);
  LunarDate before{};
  const int converted = SolarToLunar(y, m, d, &before);
  const bool beforeRight =
      previous ? converted && before.wLunarYear == previous->lunarYear && before.byMonth == previous->lunarMonth &&
                     before.byLeap == previous->leap &&
                     before.byDay == start - DayNumber(previous->year, previous->month, previous->day)
               : !converted;
  if (!beforeRight)
    faults.push_back(name + "the day before, " + Solar(y, m, d) + ", converts to " +
                     Lunar(before.wLunarYear, before.byMonth, before.byLeap) + " day " +
                     std::to_string(before.byDay));

  const long length = nextStartDayNumber - start;
  if (LunarMonthLength(s.lunarYear, s.lunarMonth, s.leap) != length)
    faults.push_back(name + std::to_string(LunarMonthLength(s.lunarYear, s.lunarMonth, s.leap)) +
                     " days, standard " + std::to_string(length));
}

TEST(NationalStandard, EveryLunarMonthStartsAndEndsOnTheStandardsDays) {
  const std::vector<MonthStart> starts = ReadMonthStarts(KP_STANDARD_MONTH_STARTS);
  // 203 years of 12 months, 75 leap months, and lunar 2044-01-01 closing the last month.
  ASSERT_EQ(starts.size(), 203u * 12 + 75 + 1) << KP_STANDARD_MONTH_STARTS;
  ASSERT_EQ(Lunar(starts.back().lunarYear, starts.back().lunarMonth, starts.back().leap), "2044-1");

  std::vector<std::string> faults;
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    const MonthStart& next = starts[i + 1];
    CompareMonth(starts[i], DayNumber(next.year, next.month, next.day), i ? &starts[i - 1] : nullptr, faults);
    // Only the standard's leap months exist in the table.
    const bool leapFollows = next.leap == 1 && next.lunarMonth == starts[i].lunarMonth;
    if (starts[i].leap == 0 && !leapFollows && LunarMonthLength(starts[i].lunarYear, starts[i].lunarMonth, 1) != 0)
      faults.push_back("lunar " + Lunar(starts[i].lunarYear, starts[i].lunarMonth, 0) +
                       ": the table has a leap month after it, the standard none");
  }
  EXPECT_EQ(faults, std::vector<std::string>{});
}

}  // namespace
