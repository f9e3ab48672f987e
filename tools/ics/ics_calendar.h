#pragma once
// The iCalendar (RFC 5545) stream of a set of schedule entries, built and serialised by libical,
// which escapes, folds and ends lines as the format requires.
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/schedule_entry.h"

namespace ics_tool {

struct IcsCounts {
  int events = 0;     // VEVENTs written
  int skipped = 0;    // entries that fall on no day
  int untimed = 0;    // entries with a time out of range, written as all-day events
};

// Receives the stream piece by piece; returns false to stop (the output failed).
using IcsSink = std::function<bool(std::string_view)>;

// Writes the VCALENDAR (UTF-8, CRLF line ends) to `sink`: its header, then each entry's events as
// soon as they are made, then its end, so that memory grows with the entries and not with their
// events. Returns false when the sink refused a piece. Dates and times are floating (local time,
// no time zone), as the entries are. `stamp` is the moment written as every event's DTSTAMP. Each
// event's UID is the entry's own (see entry_uid.h), with the lunar year for the yearly events of a
// lunar entry, so that a new export updates the events of an earlier one instead of adding them.
bool WriteIcsCalendar(const std::vector<ScheduleEntry>& entries, int fromYear, int toYear, bool rscale,
                      std::time_t stamp, const IcsSink& sink, IcsCounts& counts);

}  // namespace ics_tool
