#include "schedule/entry_key_index.h"

namespace {

bool HasKey(const ScheduleEntry& entry) {
  return entry.wMonth >= 1 && entry.wMonth <= 12 && entry.wDay >= 1 && entry.wDay <= 31;
}

}  // namespace

void EntryKeyIndex::Rebuild(const std::vector<ScheduleEntry>& entries) {
  // A counting sort: one pass counts each group, a second places the positions, in order.
  std::vector<std::uint32_t> start(kKeys + 1, 0);
  for (const ScheduleEntry& entry : entries)
    if (HasKey(entry)) ++start[Key(entry.wFlags & SCHEDULE_LUNAR, entry.wMonth, entry.wDay) + 1];
  for (int key = 0; key < kKeys; ++key) start[key + 1] += start[key];
  std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
  std::vector<std::uint32_t> positions(start[kKeys]);
  for (std::uint32_t i = 0; i < entries.size(); ++i) {
    const ScheduleEntry& entry = entries[i];
    if (HasKey(entry)) positions[next[Key(entry.wFlags & SCHEDULE_LUNAR, entry.wMonth, entry.wDay)]++] = i;
  }
  m_positions.swap(positions);
  m_start.swap(start);
}

EntryKeyIndex::Group EntryKeyIndex::Find(bool lunar, int month, int day) const {
  if (month < 1 || month > 12 || day < 1 || day > 31 || m_positions.empty()) return {nullptr, nullptr};
  const int key = Key(lunar, month, day);
  return {m_positions.data() + m_start[key], m_positions.data() + m_start[key + 1]};
}
