#include "tools/ics/entry_uid.h"

#include <cstdio>
#include <unordered_map>

namespace ics_tool {
namespace {

constexpr WORD kKindFlags = SCHEDULE_LUNAR | SCHEDULE_YEARLY | SCHEDULE_HOLIDAY;

}  // namespace

std::string EntryKeyHash(const ScheduleEntry& entry) {
  // FNV-1a over the key's 16-bit units, low byte first, as the file stores them.
  unsigned long long hash = 0xcbf29ce484222325ull;
  auto add = [&hash](unsigned unit) {
    hash = (hash ^ (unit & 0xFF)) * 0x100000001b3ull;
    hash = (hash ^ (unit >> 8)) * 0x100000001b3ull;
  };
  add(entry.wYear);
  add(entry.wMonth);
  add(entry.wDay);
  add(entry.wFlags & kKindFlags);
  for (char16_t unit : ScheduleTitleText(entry)) add(unit);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", hash);
  return text;
}

bool SameEntryKey(const ScheduleEntry& a, const ScheduleEntry& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay &&
         (a.wFlags & kKindFlags) == (b.wFlags & kKindFlags) && ScheduleTitleText(a) == ScheduleTitleText(b);
}

std::string EntryUidBase(const ScheduleEntry& entry, int copy) {
  std::string base = EntryKeyHash(entry);
  if (copy > 1) base += "-" + std::to_string(copy);
  return base;
}

std::vector<std::string> EntryUidBases(const std::vector<ScheduleEntry>& entries) {
  std::vector<std::string> bases;
  bases.reserve(entries.size());
  std::unordered_map<std::string, int> copies;
  for (const ScheduleEntry& entry : entries) {
    const std::string hash = EntryKeyHash(entry);
    bases.push_back(EntryUidBase(entry, ++copies[hash]));
  }
  return bases;
}

}  // namespace ics_tool
