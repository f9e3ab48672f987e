#pragma once
// When each entry next falls, counted in days since 1601-01-01.
#include <vector>

#include "today/today_state.h"

// Everything BuildOccurrences derives from the entries and today's date.
struct OccurrenceSet {
  DWORD nToday;
  LunarDate lunarToday;
  std::vector<Occurrence> occurrences;
  INT nFirst;
};

// Days from 1601-01-01 (day 0) to the Gregorian date, the calendar's day count moved to the
// platform's file-time origin. Returns FALSE, writing nothing, for a date that does not exist
// (29 February of a common year, month 0, day 31 of a 30-day month, ...) or lies outside the
// platform's years 1601..30827.
BOOL DaysSince1601(int year, int month, int day, DWORD* days);
// The weekday (0 = Sunday) of a day count.
int WeekdayOfDay(DWORD days);

// Computes today's day count and lunar date and one occurrence per entry whose date exists,
// sorted by day and time (entries of one time in file order), with the index of the first one falling today
// or later (-1: none). A yearly entry whose date this year is past or does not exist falls on its
// date of the following year instead, so that from that index on the list holds the coming
// entries in the order they come, each once. Yearly lunar dates of the 30th fall on the 29th of a
// 29-day month.
void ComputeOccurrences(const std::vector<ScheduleEntry>& entries, OccurrenceSet& out);
// Fills g_nToday, g_lunarToday, g_occurrences and g_nFirst.
void BuildOccurrences(const std::vector<ScheduleEntry>& entries);
// The day count of the date an entry itself names (a lunar entry's stored lunar date converted
// whole, an ordinary month); FALSE when that date does not exist.
BOOL StoredEntryDay(const ScheduleEntry& entry, DWORD* days);
