#pragma once
// When an entry falls: the one rule every view, reminder and export asks.
//
//   one-time solar   its date, when that date exists;
//   yearly solar     its month and day in every year that has them (29 February in leap years
//                    only); the stored year plays no part;
//   one-time lunar   its lunar date in the regular month of that number, when the table has it;
//   yearly lunar     its month and day in the regular month of that number in every lunar year
//                    of the table (1841..2043); a 30th is kept on the 29th of a 29-day month,
//                    its last day (geumeum), as Korean practice and RFC 7529's SKIP=BACKWARD do.
//
// A date that does not exist (month 0 or 13, day 0, 31 April, a lunar day the month lacks, year
// 0, a lunar year outside the table) falls on no day. Solar days are counted as DayNumber counts
// them (1 = 0001-01-01). Nothing here keeps state: every function may be called from any thread.
#include <vector>

#include "schedule/schedule_entry.h"

// How lunar entries meet a leap month (a month repeated after the regular one of its number).
enum class LeapMonths {
  // Lunar entries name regular months: a leap month holds none of their days.
  Skipped,
  // The month view has always shown lunar entries on the same month and day of a leap month as
  // well (its cells carry the lunar month's number without the leap mark); the 30th is still kept
  // on the 29th in the regular month only.
  AlsoMatched,
  // For a yearly date asked for "in the leap month" (the converter's --leap): a year that has the
  // leap month of that number uses it instead of the regular one, a 30th kept on its last day.
  Preferred,
};

// One day as the month grid knows it: its solar date and its lunar date with the leap mark.
struct CalendarDay {
  int solarYear, solarMonth, solarDay;
  int lunarYear, lunarMonth, lunarDay;
  bool leapMonth;
};

// A date in the entry's own calendar; `leapMonth` only ever set for a lunar date.
struct EntryDate {
  int year, month, day;
  bool leapMonth;
};

// The date `entry` stands for in `year` of its own calendar (the solar year for a solar entry,
// the lunar year for a lunar one): for a yearly entry its month and day that year (a lunar 30th
// moved to the 29th where the month has 29 days), for a one-time entry its stored date when
// `year` is its year. Returns false, leaving *out untouched, when the entry has no date that year.
// With AlsoMatched the regular month's date is given; the leap month's day of the same number is
// a second day only EntryFallsOn and EntrySolarDays report.
bool EntryDateInYear(const ScheduleEntry& entry, int year, LeapMonths leapMonths, EntryDate* out);

// The solar day (DayNumber's count) of EntryDateInYear's date; false when there is none.
bool EntrySolarDayInYear(const ScheduleEntry& entry, int year, LeapMonths leapMonths, long* day);

// Whether `entry` falls on `day`. The day's solar and lunar dates are taken as given: a query
// may pass a lunar date that does not belong to the solar one, and each calendar's entries are
// matched against their own half only.
bool EntryFallsOn(const ScheduleEntry& entry, const CalendarDay& day, LeapMonths leapMonths);

// Appends to `days`, in increasing order, every solar day from firstDay to lastDay (both
// included) on which `entry` falls. firstDay must be >= 1; an empty range appends nothing.
void EntrySolarDays(const ScheduleEntry& entry, long firstDay, long lastDay, LeapMonths leapMonths,
                    std::vector<long>& days);
