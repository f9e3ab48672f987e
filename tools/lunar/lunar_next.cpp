#include "tools/lunar/lunar_next.h"

#include <algorithm>

#include "calendar/lunar_calendar.h"
#include "tools/lunar/lunar_lines.h"

namespace lunar_tool {

int AppendNextAnniversaries(int month, int day, bool leap, const Date& from, int count, bool tsv, std::string& out) {
  const long fromDay = DayNumber(from.year, from.month, from.day);
  int found = 0;
  // Lunar year Y's dates fall in solar year Y or Y + 1, so the search starts a year early.
  for (int year = std::max(1841, from.year - 1); year <= 2043 && found < count; ++year) {
    const int leapLength = leap ? LunarMonthLength(year, month, 1) : 0;
    const int lunarDay = leapLength ? std::min(day, leapLength) : LunarAnniversaryDay(year, month, day);
    SolarDate solar{};
    if (!LunarToSolar(year, month, lunarDay, leapLength ? 1 : 0, &solar)) continue;
    if (DayNumber(solar.wYear, solar.byMonth, solar.byDay) < fromDay) continue;
    AppendLunarLine({year, month, lunarDay}, leap, tsv, out);
    ++found;
  }
  return found;
}

}  // namespace lunar_tool
