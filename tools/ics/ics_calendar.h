#pragma once
// The iCalendar (RFC 5545) stream of a set of schedule entries, built and serialised by libical,
// which escapes, folds and ends lines as the format requires.
#include <ctime>
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

namespace ics_tool {

struct IcsCalendar {
  std::string text;   // the VCALENDAR, UTF-8, CRLF line ends
  int events = 0;     // VEVENTs written
  int skipped = 0;    // entries that fall on no day
  int untimed = 0;    // entries with a time out of range, written as all-day events
};

// Dates and times are floating (local time, no time zone), as the entries are. `stamp` is the
// moment written as every event's DTSTAMP. Each event's UID comes from the entry's bytes (and
// for yearly lunar entries its lunar year), so a new export of the same file updates the events
// of an earlier one instead of adding them again; identical records are numbered apart.
IcsCalendar BuildIcsCalendar(const std::vector<ScheduleEntry>& entries, int fromYear, int toYear, bool rscale,
                             std::time_t stamp);

}  // namespace ics_tool
