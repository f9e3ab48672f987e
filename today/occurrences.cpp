#include "today/occurrences.h"

#include <algorithm>
#include <cstring>

#include "schedule/entry_occurrences.h"

namespace {

// The day counts start where the platform's file times do, at 1601-01-01 (day 0), and end with the
// last year a SYSTEMTIME holds.
constexpr int kFirstCountedYear = 1601;
constexpr int kLastCountedYear = 30827;
long DayNumberOf1601() { return DayNumber(kFirstCountedYear, 1, 1); }

// The day count of the date `entry` stands for in `year` of its own calendar; FALSE when it has
// none or the date lies outside the counted years.
BOOL DayInYear(const ScheduleEntry& entry, int year, DWORD* days) {
  long day = 0;
  if (!EntrySolarDayInYear(entry, year, LeapMonths::Skipped, &day)) return FALSE;
  const long counted = day - DayNumberOf1601();
  if (counted < 0 || day > DayNumber(kLastCountedYear, 12, 31)) return FALSE;
  *days = (DWORD)counted;
  return TRUE;
}

// The first day on or after today on which a yearly entry falls: this year's date, else the
// following year's. Lunar year Y - 1 still reaches into January and February of solar year Y (its
// last months), so a lunar entry tries lunar years Y - 1, Y and Y + 1. A solar 29 February comes
// only in leap years, up to eight years apart (2096, then 2104).
BOOL ComingYearlyDay(const ScheduleEntry& entry, int solarYear, DWORD today, DWORD* days) {
  const bool lunar = entry.wFlags & SCHEDULE_LUNAR;
  const int firstYear = lunar ? solarYear - 1 : solarYear;
  const int lastYear = lunar ? solarYear + 1 : solarYear + 8;
  for (int year = firstYear; year <= lastYear; ++year)
    if (DayInYear(entry, year, days) && *days >= today) return TRUE;
  return FALSE;
}

// The time of day an entry names, as stored (a damaged time sorts after every real one).
long TimeOfDay(const ScheduleEntry& entry) { return entry.wHour * 3600L + entry.wMinute * 60L + entry.wSecond; }

}  // namespace

BOOL DaysSince1601(int year, int month, int day, DWORD* days) {
  if (year < kFirstCountedYear || year > kLastCountedYear || !IsSolarDate(year, month, day)) return FALSE;
  *days = (DWORD)(DayNumber(year, month, day) - DayNumberOf1601());
  return TRUE;
}

int WeekdayOfDay(DWORD days) { return WeekdayOfDayNumber(DayNumberOf1601() + (long)days); }

BOOL StoredEntryDay(const ScheduleEntry& entry, DWORD* days) { return DayInYear(entry, entry.wYear, days); }

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
    DWORD day = 0;
    // A yearly entry whose date this year is past, or does not exist, comes next in the following
    // year, so that the coming entries stand in date order and each entry is listed once. A date
    // that does not exist falls on no day: it has no place among the coming entries.
    const BOOL exists = (entry.wFlags & SCHEDULE_YEARLY) ? ComingYearlyDay(entry, now.wYear, out.nToday, &day)
                                                         : StoredEntryDay(entry, &day);
    if (exists) out.occurrences.push_back(Occurrence{(INT)i, day});
  }
  // Entries of one day in time order; those of one time keep the order of the file.
  std::stable_sort(out.occurrences.begin(), out.occurrences.end(), [&](const Occurrence& a, const Occurrence& b) {
    if (a.nDay != b.nDay) return a.nDay < b.nDay;
    return TimeOfDay(entries[(size_t)a.nEntry]) < TimeOfDay(entries[(size_t)b.nEntry]);
  });
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
