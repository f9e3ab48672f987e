#pragma once
// Which calendar events one schedule entry becomes, worked out without any iCalendar library:
// the days it falls on, by the same calendar code and the same rules as the month view.
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

namespace ics_tool {

struct PlannedEvent {
  int year = 0, month = 0, day = 0;  // the solar date of the (first) occurrence
  int lunarYear = 0;                 // a yearly lunar entry's lunar year: part of the event's UID
  int lunarDay = 0;                  // the lunar day it falls on (the 29th for a 30th in a short month)
};

enum class Repeat {
  None,         // one event on its date
  YearlySolar,  // RRULE:FREQ=YEARLY from the first event's date
  YearlyLunar,  // RRULE:RSCALE=DANGI;...;SKIP=BACKWARD from the first event's date
};

struct EntryPlan {
  std::vector<PlannedEvent> events;  // empty: the entry falls on no day and is skipped
  Repeat repeat = Repeat::None;
  bool timed = true;                 // false: the time is out of range, so the events last all day
};

// fromYear..toYear (solar years, within 1841..2043) bound the events of yearly lunar entries:
// one per lunar year whose anniversary falls in them, or with `rscale` only the first of them.
//   - one-time solar: its date, when that exists (year 1..9999);
//   - yearly solar: from its own year (29 February from the first leap year on or after it; a
//     year outside 1..9999 starts from fromYear), when the month has that day at all;
//   - one-time lunar: its solar date, when the table has that lunar day;
//   - yearly lunar: month 1..12 and day 1..30, a 30th kept on the 29th of a short month.
EntryPlan PlanEntry(const ScheduleEntry& entry, int fromYear, int toYear, bool rscale);

}  // namespace ics_tool
