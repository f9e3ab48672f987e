#pragma once
// What an entry's event says, shared by the export and the sync: its texts as UTF-8 and its start.
#include <libical/ical.h>

#include <string>

#include "schedule/schedule_entry.h"

namespace ics_tool {

// The title as UTF-8. Control characters are not allowed in iCalendar text; a damaged record shows
// U+FFFD where it has one.
std::string TitleUtf8(const ScheduleEntry& entry);
// The memo as UTF-8, its line breaks (CR LF, CR or LF) as one LF, which the format writes as "\n";
// any other control character as U+FFFD.
std::string MemoUtf8(const ScheduleEntry& entry);

// "음력 08월 15일" for a yearly lunar entry, "음력 2024년 08월 15일" for a one-time one; with
// `dayInYear` (the day it falls on in one year) short of the entry's own day, "(이 해의 08월은
// 29일까지)" after it.
std::string LunarNote(const ScheduleEntry& entry, int dayInYear = 0);

// True when the entry's time is one of the day: otherwise its events last all day.
bool EntryIsTimed(const ScheduleEntry& entry);

// The start of an event on the solar date given: at the entry's time (floating local time, no time
// zone) or, when `timed` is false, the date alone.
icaltimetype EventStart(const ScheduleEntry& entry, int year, int month, int day, bool timed);

}  // namespace ics_tool
