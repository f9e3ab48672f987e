#pragma once
// The UID an entry keeps in other calendars. It is made from what names the entry for its user
// (its date, its kind: solar or lunar, yearly, holiday, and its title), not from its time or memo:
// Kalmeno changes an entry by removing it and adding the changed one, and a new time or memo must
// update the other calendar's event rather than add a second one.
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

namespace ics_tool {

// 16 hex digits of a hash over the entry's date, kind and title.
std::string EntryKeyHash(const ScheduleEntry& entry);

// True when two entries have the same date, kind and title.
bool SameEntryKey(const ScheduleEntry& a, const ScheduleEntry& b);

// Each entry's UID base, in order: its key hash, and for the second and later entries of one key
// "-2", "-3", … in file order, so that identical entries stay apart.
std::vector<std::string> EntryUidBases(const std::vector<ScheduleEntry>& entries);

// The UID base of the copy-th entry (1 = the first) of a key.
std::string EntryUidBase(const ScheduleEntry& entry, int copy);

}  // namespace ics_tool
