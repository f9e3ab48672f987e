#include "today/item_cache.h"

#include <vector>

#include "schedule/schedule_entry.h"
#include "today/load_entries.h"
#include "today/coming_marks.h"
#include "today/occurrences.h"
#include "today/today_state.h"

namespace {

// How long a stamp that has not changed may stand in for a read (see ItemCacheState).
constexpr DWORD kFullReadEveryMs = 60000;

bool SameDay(const SYSTEMTIME& now) {
  const ItemCacheState& c = g_item.cache;
  return c.built && now.wYear == c.builtYear && now.wMonth == c.builtMonth && now.wDay == c.builtDay;
}

}  // namespace

bool RefreshItemCache() {
  ItemCacheState& c = g_item.cache;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const DWORD tick = GetTickCount();
  const bool readAnyway = !c.built || tick - c.lastFullRead >= kFullReadEveryMs;
  const unsigned buildsBefore = c.builds;
  const EntryBytes loaded = LoadEntryBytes(c.readBytes, readAnyway, c.built ? &c.builtBytes : nullptr);
  // A failure is told in a message box, whose wait runs the refreshes that come meanwhile: once
  // one of them has rebuilt the cache, what this one read is older news.
  if (c.builds != buildsBefore) return false;
  switch (loaded) {
    case EntryBytes::SameAsKnown:
      c.lastFullRead = tick;
      [[fallthrough]];
    case EntryBytes::Unchanged:
    case EntryBytes::NotNow:
      // What is shown stays; only a new day (or the first build) makes new occurrences of it.
      if (SameDay(now)) return false;
      break;
    case EntryBytes::Read:
      c.lastFullRead = tick;
      [[fallthrough]];
    case EntryBytes::Failed:
      if (SameDay(now) && c.readBytes == c.builtBytes) return false;
      c.builtBytes.swap(c.readBytes);
      break;
  }
  ScheduleEntriesFromBytes(c.builtBytes, g_entries);
  // Should midnight pass between the date read above and the one BuildOccurrences reads, the next
  // refresh sees a date other than the one kept here and builds once more.
  c.built = true;
  c.builtYear = now.wYear;
  c.builtMonth = now.wMonth;
  c.builtDay = now.wDay;
  BuildOccurrences(g_entries);
  BuildComingMarks(g_nToday, now.wYear);
  ++c.builds;
  return true;
}

void RebuildItemCache() {
  g_item.cache.built = false;
  RefreshItemCache();
}

unsigned ItemCacheBuilds() { return g_item.cache.builds; }
