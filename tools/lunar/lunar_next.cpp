#include "tools/lunar/lunar_next.h"

#include <algorithm>

#include "calendar/lunar_calendar.h"
#include "schedule/entry_occurrences.h"
#include "tools/lunar/lunar_lines.h"

namespace lunar_tool {

int AppendNextAnniversaries(int month, int day, bool leap, const Date& from, int count, bool tsv, std::string& out) {
  ScheduleEntry anniversary{};
  anniversary.wMonth = static_cast<WORD>(month);
  anniversary.wDay = static_cast<WORD>(day);
  anniversary.wFlags = SCHEDULE_LUNAR | SCHEDULE_YEARLY;
  const LeapMonths leapMonths = leap ? LeapMonths::Preferred : LeapMonths::Skipped;
  const long fromDay = DayNumber(from.year, from.month, from.day);
  int found = 0;
  // Lunar year Y's dates fall in solar year Y or Y + 1, so the search starts a year early.
  for (int year = std::max(1841, from.year - 1); year <= 2043 && found < count; ++year) {
    EntryDate date{};
    long solarDay = 0;
    if (!EntryDateInYear(anniversary, year, leapMonths, &date) ||
        !EntrySolarDayInYear(anniversary, year, leapMonths, &solarDay) || solarDay < fromDay)
      continue;
    AppendLunarLine({year, month, date.day}, leap, tsv, out);
    ++found;
  }
  return found;
}

}  // namespace lunar_tool
