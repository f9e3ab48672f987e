#pragma once
// The entries the tools' benchmarks work on: `count` entries of every kind in turn (one-time
// solar, yearly solar, one-time lunar, yearly lunar), of years 2000..2039, a hundred titles.
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

inline std::vector<ScheduleEntry> MixedEntries(int count) {
  std::vector<ScheduleEntry> entries;
  for (int i = 0; i < count; ++i) {
    ScheduleEntry entry{};
    entry.wYear = WORD(2000 + i % 40);
    entry.wMonth = WORD(1 + i % 12);
    entry.wDay = WORD(1 + i % 28);
    entry.wHour = WORD(i % 24);
    entry.wFlags = WORD((i % 2 ? SCHEDULE_YEARLY : 0) | (i % 4 >= 2 ? SCHEDULE_LUNAR : 0));
    const std::u16string title = u"일정" + std::u16string(1, char16_t(u'가' + i % 100));
    title.copy(entry.szTitle, 10);
    entries.push_back(entry);
  }
  return entries;
}
