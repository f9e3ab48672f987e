#include "today/occurrences.h"

#include <algorithm>
#include <cstring>

namespace {

// The day counts start where the platform's file times do, at 1601-01-01 (day 0), and end with the
// last year a SYSTEMTIME holds.
constexpr int kFirstCountedYear = 1601;
constexpr int kLastCountedYear = 30827;
long DayNumberOf1601() { return DayNumber(kFirstCountedYear, 1, 1); }

// The solar date of a lunar date in an ordinary (not leap) month; FALSE when the conversion
// rejects it (a day 30 of a short month, a year outside the table, ...).
BOOL LunarDay(int lunarYear, int month, int day, DWORD* days) {
  SolarDate solar;
  std::memset(&solar, 0, sizeof(solar));
  if (!LunarToSolar(lunarYear, month, day, 0, &solar)) return FALSE;
  return DaysSince1601(solar.wYear, solar.byMonth, solar.byDay, days);
}

// The solar date of a yearly lunar date in one lunar year: a 30th of a 29-day month is kept on
// the 29th.
BOOL LunarAnniversary(int lunarYear, int month, int day, DWORD* days) {
  SolarDate solar;
  std::memset(&solar, 0, sizeof(solar));
  if (!LunarAnniversaryToSolar(lunarYear, month, day, &solar)) return FALSE;
  return DaysSince1601(solar.wYear, solar.byMonth, solar.byDay, days);
}

// A yearly lunar entry falls on its month and day of some lunar year; its occurrence is the first
// one on or after today. Lunar year Y - 1 still reaches into January and February of solar year Y
// (its last months), so both lunar years Y - 1 and Y are tried: `lunarYear` tells which one the
// occurrence belongs to, so that the following year's occurrence can continue from there.
BOOL YearlyLunarDay(const ScheduleEntry& entry, int solarYear, DWORD today, DWORD* days, int* lunarYear) {
  DWORD previous = 0;
  if (LunarAnniversary(solarYear - 1, entry.wMonth, entry.wDay, &previous) && previous >= today) {
    *days = previous;
    *lunarYear = solarYear - 1;
    return TRUE;
  }
  *lunarYear = solarYear;
  return LunarAnniversary(solarYear, entry.wMonth, entry.wDay, days);
}

bool ByDay(const Occurrence& a, const Occurrence& b) { return a.nDay < b.nDay; }

// Where a yearly entry falls in the year after the one of its main occurrence; FALSE when that
// date does not exist.
BOOL NextYearDay(const ScheduleEntry& entry, const SYSTEMTIME& now, DWORD today, DWORD* day) {
  if (entry.wFlags & SCHEDULE_LUNAR) {
    int lunarYear = 0;
    DWORD thisYear = 0;
    YearlyLunarDay(entry, now.wYear, today, &thisYear, &lunarYear);
    return LunarAnniversary(lunarYear + 1, entry.wMonth, entry.wDay, day);
  }
  return DaysSince1601(now.wYear + 1, entry.wMonth, entry.wDay, day);
}

}  // namespace

BOOL DaysSince1601(int year, int month, int day, DWORD* days) {
  if (year < kFirstCountedYear || year > kLastCountedYear || !IsSolarDate(year, month, day)) return FALSE;
  *days = (DWORD)(DayNumber(year, month, day) - DayNumberOf1601());
  return TRUE;
}

int WeekdayOfDay(DWORD days) { return WeekdayOfDayNumber(DayNumberOf1601() + (long)days); }

BOOL StoredEntryDay(const ScheduleEntry& entry, DWORD* days) {
  if (entry.wFlags & SCHEDULE_LUNAR) return LunarDay(entry.wYear, entry.wMonth, entry.wDay, days);
  return DaysSince1601(entry.wYear, entry.wMonth, entry.wDay, days);
}

void ComputeOccurrences(const std::vector<ScheduleEntry>& entries, OccurrenceSet& out) {
  out.nFirst = -1;
  out.occurrences.clear();
  SYSTEMTIME now;
  GetLocalTime(&now);
  out.nToday = 0;
  DaysSince1601(now.wYear, now.wMonth, now.wDay, &out.nToday);
  // Outside the table's years the conversion writes nothing and the record stays all zero.
  std::memset(&out.lunarToday, 0, sizeof(out.lunarToday));
  SolarToLunar(now.wYear, now.wMonth, now.wDay, &out.lunarToday);

  out.occurrences.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const ScheduleEntry& entry = entries[i];
    bool yearly = (entry.wFlags & SCHEDULE_YEARLY) != 0;
    DWORD day = 0;
    BOOL exists;
    if (!yearly) {
      exists = StoredEntryDay(entry, &day);
    } else if (entry.wFlags & SCHEDULE_LUNAR) {
      int lunarYear = 0;
      exists = YearlyLunarDay(entry, now.wYear, out.nToday, &day, &lunarYear);
    } else {
      exists = DaysSince1601(now.wYear, entry.wMonth, entry.wDay, &day);
    }
    // A yearly entry whose date this year is past, or does not exist, comes next in the following
    // year: that occurrence takes its place, so that the coming entries stand in date order and
    // each entry is listed once.
    if (yearly && (!exists || day < out.nToday)) exists = NextYearDay(entry, now, out.nToday, &day);
    // A date that does not exist falls on no day: it has no place among the coming entries.
    if (exists) out.occurrences.push_back(Occurrence{(INT)i, day});
  }
  // Entries of one day keep the order of the file.
  std::stable_sort(out.occurrences.begin(), out.occurrences.end(), ByDay);
  for (size_t k = 0; k < out.occurrences.size(); ++k) {
    if (out.occurrences[k].nDay >= out.nToday) {
      out.nFirst = (INT)k;
      break;
    }
  }
}

void BuildOccurrences(const std::vector<ScheduleEntry>& entries) {
  OccurrenceSet set;
  ComputeOccurrences(entries, set);
  g_nToday = set.nToday;
  g_lunarToday = set.lunarToday;
  g_occurrences.swap(set.occurrences);
  g_nFirst = set.nFirst;
}
