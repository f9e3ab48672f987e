#pragma once
// The public holidays of a range of years as an iCalendar stream of their own, for a calendar that
// subscribes to them apart from the user's entries.
#include <ctime>

#include "tools/ics/ics_calendar.h"

namespace ics_tool {

// Years 2000..2043. One all-day event per holiday (DTSTART;VALUE=DATE, DTEND the day after),
// CATEGORIES:공휴일; its UID comes from the date and the name, so that a new export updates the
// events of an earlier one. `stamp` is written as every event's DTSTAMP.
IcsCalendar BuildHolidayCalendar(int fromYear, int toYear, std::time_t stamp);

}  // namespace ics_tool
