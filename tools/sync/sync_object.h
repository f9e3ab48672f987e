#pragma once
// One calendar object (a VCALENDAR with one event and the days it overrides) and the entry it
// stands for, both ways, through libical.
//
// An entry becomes an event at its date and time (floating local time): a yearly solar entry with
// RRULE:FREQ=YEARLY; a lunar entry on its solar date, a yearly one with an RDATE for every later
// year of the range (each year's date worked out here, the 30th on the 29th of a short month), so
// that every client reads the same days without computing lunar dates; the lunar date itself as
// X-KALMENO-LUNAR (one-time) or X-KALMENO-LUNAR-YEARLY (YYYY-MM-DD); a holiday with CATEGORIES:휴일.
// (The RDATEs include the first date, which DTSTART already says: some clients read only RDATEs.)
#include <ctime>
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

namespace sync_tool {

struct YearRange {
  int fromYear = 0, toYear = 0;  // solar years whose dates a yearly lunar entry's object lists
  bool operator==(const YearRange&) const = default;
};

// False when the entry falls on no day (month 13, day 0, …): it has no object.
bool EntryHasObject(const ScheduleEntry& entry, const YearRange& range);

// A new object's text for the entry, under `uid`.
std::string NewObject(const ScheduleEntry& entry, const std::string& uid, const YearRange& range, std::time_t stamp);

// `existing` rewritten for the entry: only the fields an entry holds change, and of those only the
// ones whose reading differs from the entry (a long title whose first ten characters are the
// entry's title stays whole). Everything else (alarms, location, an end, other days' overrides,
// parts of a rule) stays as it was. Empty when `existing` cannot be read.
std::string RewriteObject(const std::string& existing, const ScheduleEntry& entry, const YearRange& range,
                          std::time_t stamp);

struct ReadObjectResult {
  enum Kind { Event, NotAnEvent, Malformed } kind = Malformed;
  std::string uid;
  ScheduleEntry entry{};
  std::vector<std::string> notKept;  // what the entry cannot hold, one short Korean phrase each
  std::string error;                 // Malformed: why
};

// The entry an object stands for: its main event's date and time (converted to local time when it
// has a zone; an all-day event at 0:00), yearly from FREQ=YEARLY, lunar from Kalmeno's own
// properties or from a yearly RSCALE=DANGI rule, a holiday from the category 휴일, the title's first
// 10 characters, the description's first 30 as the memo (its line breaks as CR LF).
ReadObjectResult ReadObject(const std::string& text);

// The entry as an object of its own would read back: what the object can say of it. Comparing
// two entries through it tells a real change from what an object cannot carry.
ScheduleEntry AsObjectReads(const ScheduleEntry& entry, const YearRange& range);

}  // namespace sync_tool
