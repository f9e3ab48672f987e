#include "tests/fuzz/today_occurrences_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "kp_platform.h"
#include "today/item_cache.h"
#include "today/load_entries.h"
#include "today/occurrences.h"

namespace {

// What the data file holds for this input: the item's cache reads it through LoadEntryBytes.
std::vector<ScheduleEntry> g_fileEntries;

[[noreturn]] void Fail(const char* what, int entry) {
  std::fprintf(stderr, "today occurrence check failed: %s (entry %d)\n", what, entry);
  std::abort();
}

constexpr std::size_t kMaxRecords = 64;

}  // namespace

// The data file of this input, as the plug-in's loader would return it.
EntryBytes LoadEntryBytes(std::vector<unsigned char>& bytes, bool, const std::vector<unsigned char>*) {
  bytes.resize(g_fileEntries.size() * SCHEDULE_RECORD_SIZE);
  for (std::size_t i = 0; i < g_fileEntries.size(); ++i)
    ScheduleEntryToBytes(g_fileEntries[i], bytes.data() + i * SCHEDULE_RECORD_SIZE);
  return EntryBytes::Read;
}

void CheckTodayOccurrenceBytes(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return;
  SYSTEMTIME now;
  std::memset(&now, 0, sizeof(now));
  // 1800..2099: the lunar table's years and some on both sides of them.
  now.wYear = (WORD)(1800 + (data[0] | data[1] << 8) % 300);
  now.wMonth = (WORD)(data[2] % 12 + 1);
  now.wDay = (WORD)(data[3] % 31 + 1);
  now.wHour = 12;
  DWORD today = 0;
  if (!DaysSince1601(now.wYear, now.wMonth, now.wDay, &today)) {
    now.wDay = 1;
    DaysSince1601(now.wYear, now.wMonth, now.wDay, &today);
  }
  KpSetClock(&now);

  std::vector<ScheduleEntry> entries;
  for (std::size_t at = 4; at + sizeof(ScheduleEntry) <= size && entries.size() < kMaxRecords;
       at += sizeof(ScheduleEntry)) {
    ScheduleEntry entry;
    std::memcpy(&entry, data + at, sizeof(entry));
    entries.push_back(entry);
  }

  OccurrenceSet set;
  ComputeOccurrences(entries, set);
  SYSTEMTIME clock;
  GetLocalTime(&clock);
  // The clock runs on; only a check that straddles midnight sees another day.
  if (clock.wDay == now.wDay && set.nToday != today) Fail("today's day count", -1);

  std::vector<int> seen(entries.size(), 0);
  for (std::size_t k = 0; k < set.occurrences.size(); ++k) {
    const Occurrence& occurrence = set.occurrences[k];
    if (occurrence.nEntry < 0 || (std::size_t)occurrence.nEntry >= entries.size()) Fail("entry index", occurrence.nEntry);
    if (++seen[occurrence.nEntry] > 1) Fail("an entry falls twice", occurrence.nEntry);
    if (k > 0 && set.occurrences[k - 1].nDay > occurrence.nDay) Fail("occurrences out of order", occurrence.nEntry);
    if (WeekdayOfDay(occurrence.nDay) < 0 || WeekdayOfDay(occurrence.nDay) > 6) Fail("weekday", occurrence.nEntry);
  }
  INT first = -1;
  for (std::size_t k = 0; k < set.occurrences.size(); ++k) {
    if (set.occurrences[k].nDay >= set.nToday) {
      first = (INT)k;
      break;
    }
  }
  if (first != set.nFirst) Fail("the first coming occurrence", first);

  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ScheduleEntry& entry = entries[i];
    if (entry.wFlags & SCHEDULE_YEARLY) {
      // A yearly entry comes on or after today, never before.
      for (const Occurrence& occurrence : set.occurrences)
        if (occurrence.nEntry == (INT)i && occurrence.nDay < set.nToday) Fail("a yearly entry falls before today", (int)i);
      if (entry.wFlags & SCHEDULE_LUNAR) continue;
      // Its day is the first one on or after today in this year or the eight after it (a 29
      // February comes back within eight years), when one of them has the date.
      DWORD expected = 0;
      bool falls = false;
      for (int year = clock.wYear; year <= clock.wYear + 8 && !falls; ++year)
        falls = DaysSince1601(year, entry.wMonth, entry.wDay, &expected) && expected >= set.nToday;
      if (falls != (seen[i] == 1)) Fail("a yearly date falls exactly when one of the next years has it", (int)i);
      for (const Occurrence& occurrence : set.occurrences)
        if (occurrence.nEntry == (INT)i && occurrence.nDay != expected) Fail("a yearly entry's day", (int)i);
      continue;
    }
    // A one-time entry falls on the date it names, and only when that date exists.
    DWORD stored = 0;
    bool exists = StoredEntryDay(entry, &stored);
    if (exists != (seen[i] == 1)) Fail("a one-time entry falls exactly when its date exists", (int)i);
    for (const Occurrence& occurrence : set.occurrences)
      if (occurrence.nEntry == (INT)i && occurrence.nDay != stored) Fail("a one-time entry's day", (int)i);
  }

  // Built from the file it reads, the cache holds that file's entries and their occurrences, and
  // stays as it is while neither the file nor the day changes.
  g_fileEntries = entries;
  RefreshItemCache();
  GetLocalTime(&clock);
  if (clock.wDay != now.wDay) return;
  if (g_entries.size() != entries.size() ||
      (!entries.empty() && std::memcmp(g_entries.data(), entries.data(), entries.size() * sizeof(ScheduleEntry)) != 0))
    Fail("the cache holds other entries than the file", -1);
  if (g_occurrences.size() != set.occurrences.size() || g_nFirst != set.nFirst ||
      (!g_occurrences.empty() &&
       std::memcmp(g_occurrences.data(), set.occurrences.data(), g_occurrences.size() * sizeof(Occurrence)) != 0))
    Fail("the cache holds other occurrences than its entries have", -1);
  if (RefreshItemCache()) Fail("unchanged data counts as changed", -1);
}
