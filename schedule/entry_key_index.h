#pragma once
// The positions of a list of entries grouped by calendar, month and day, so that the entries that
// may fall on a day are found without looking at the others. An entry can only fall on a day of
// its own month and day number, or (a yearly lunar 30th) on the 29th of that month; one whose
// month is outside 1..12 or day outside 1..31 falls on no day and is in no group.
#include <cstdint>
#include <vector>

#include "schedule/schedule_entry.h"

class EntryKeyIndex {
 public:
  // Groups `entries` anew; each group lists its positions in increasing order.
  void Rebuild(const std::vector<ScheduleEntry>& entries);

  // The positions of the entries of that calendar, month and day, in increasing order; empty for
  // a month outside 1..12 or a day outside 1..31.
  struct Group {
    const std::uint32_t* begin;
    const std::uint32_t* end;
    bool empty() const { return begin == end; }
  };
  Group Find(bool lunar, int month, int day) const;

 private:
  static constexpr int kDays = 32, kMonths = 13, kKeys = 2 * kMonths * kDays;
  static int Key(bool lunar, int month, int day) { return (lunar ? kMonths * kDays : 0) + month * kDays + day; }

  std::vector<std::uint32_t> m_positions;
  // m_positions[m_start[key] .. m_start[key + 1]) is one group.
  std::vector<std::uint32_t> m_start = std::vector<std::uint32_t>(kKeys + 1, 0);
};
