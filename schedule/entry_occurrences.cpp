#include "schedule/entry_occurrences.h"

#include <algorithm>

#include "calendar/lunar_calendar.h"
#include "calendar/solar_from_day_number.h"

namespace {

// The lunar table's years (see calendar/lunar_calendar.h).
constexpr int kFirstLunarYear = 1841;
constexpr int kLastLunarYear = 2043;

bool IsLunarEntry(const ScheduleEntry& entry) { return (entry.wFlags & SCHEDULE_LUNAR) != 0; }
bool IsYearly(const ScheduleEntry& entry) { return (entry.wFlags & SCHEDULE_YEARLY) != 0; }

// The entry's day in the month of its number (the leap one when `leap`) of `year`: its own day,
// or for a yearly 30th of a 29-day month that month's last day; 0 when the month lacks it.
int LunarDayInMonth(const ScheduleEntry& entry, int year, bool leap) {
  const int length = LunarMonthLength(year, entry.wMonth, leap ? 1 : 0);
  if (entry.wDay < 1 || entry.wDay > 30 || length == 0) return 0;
  if (entry.wDay <= length) return entry.wDay;
  return IsYearly(entry) ? length : 0;
}

bool LunarDateInYear(const ScheduleEntry& entry, int year, bool leap, EntryDate* out) {
  if (!IsYearly(entry) && year != entry.wYear) return false;
  const int day = LunarDayInMonth(entry, year, leap);
  if (day == 0) return false;
  *out = EntryDate{year, entry.wMonth, day, leap};
  return true;
}

bool SolarDayOf(const EntryDate& date, bool lunar, long* day) {
  if (!lunar) {
    *day = DayNumber(date.year, date.month, date.day);
    return true;
  }
  SolarDate solar{};
  if (!LunarToSolar(date.year, date.month, date.day, date.leapMonth ? 1 : 0, &solar)) return false;
  *day = DayNumber(solar.wYear, solar.byMonth, solar.byDay);
  return true;
}

void AppendIfWithin(long day, long firstDay, long lastDay, std::vector<long>& days) {
  if (day >= firstDay && day <= lastDay) days.push_back(day);
}

}  // namespace

bool EntryDateInYear(const ScheduleEntry& entry, int year, LeapMonths leapMonths, EntryDate* out) {
  if (!IsLunarEntry(entry)) {
    if (!IsYearly(entry) && year != entry.wYear) return false;
    if (!IsSolarDate(year, entry.wMonth, entry.wDay)) return false;
    *out = EntryDate{year, entry.wMonth, entry.wDay, false};
    return true;
  }
  const bool leap = leapMonths == LeapMonths::Preferred && LunarMonthLength(year, entry.wMonth, 1) > 0;
  return LunarDateInYear(entry, year, leap, out);
}

bool EntrySolarDayInYear(const ScheduleEntry& entry, int year, LeapMonths leapMonths, long* day) {
  EntryDate date{};
  return EntryDateInYear(entry, year, leapMonths, &date) && SolarDayOf(date, IsLunarEntry(entry), day);
}

bool EntryFallsOn(const ScheduleEntry& entry, const CalendarDay& day, LeapMonths leapMonths) {
  EntryDate date{};
  if (!IsLunarEntry(entry)) {
    return entry.wMonth == day.solarMonth && entry.wDay == day.solarDay &&
           EntryDateInYear(entry, day.solarYear, leapMonths, &date);
  }
  if (entry.wMonth != day.lunarMonth) return false;
  // The month view's match in a leap month is by month and day number alone.
  if (leapMonths == LeapMonths::AlsoMatched && day.leapMonth)
    return entry.wDay == day.lunarDay && (IsYearly(entry) || entry.wYear == day.lunarYear);
  return EntryDateInYear(entry, day.lunarYear, leapMonths, &date) && date.day == day.lunarDay &&
         date.leapMonth == day.leapMonth;
}

void EntrySolarDays(const ScheduleEntry& entry, long firstDay, long lastDay, LeapMonths leapMonths,
                    std::vector<long>& days) {
  if (firstDay < 1 || lastDay < firstDay) return;
  int firstYear = 0, lastYear = 0, month = 0, dayOfMonth = 0;
  lunar::SolarFromDayNumber(firstDay, &firstYear, &month, &dayOfMonth);
  lunar::SolarFromDayNumber(lastDay, &lastYear, &month, &dayOfMonth);
  const bool lunar = IsLunarEntry(entry);
  if (lunar) {
    // Lunar year Y lies within solar years Y and Y + 1.
    firstYear = std::max(firstYear - 1, kFirstLunarYear);
    lastYear = std::min(lastYear, kLastLunarYear);
  }
  if (!IsYearly(entry)) {
    if (entry.wYear < firstYear || entry.wYear > lastYear) return;
    firstYear = lastYear = entry.wYear;
  }
  for (int year = firstYear; year <= lastYear; ++year) {
    long day = 0;
    if (EntrySolarDayInYear(entry, year, leapMonths, &day)) AppendIfWithin(day, firstDay, lastDay, days);
    // The leap month follows the regular one of its number.
    EntryDate leapDate{};
    if (lunar && leapMonths == LeapMonths::AlsoMatched && LunarDateInYear(entry, year, true, &leapDate) &&
        leapDate.day == entry.wDay && SolarDayOf(leapDate, true, &day))
      AppendIfWithin(day, firstDay, lastDay, days);
  }
}
