#include "today/item_cache.h"

#include <vector>

#include "schedule/schedule_entry.h"
#include "today/load_entries.h"
#include "today/coming_marks.h"
#include "today/occurrences.h"

namespace {

// The data file's bytes the cache was built from, and the latest read: the two swap when a read
// differs, so both keep their storage from one refresh to the next.
std::vector<unsigned char> g_builtBytes;
std::vector<unsigned char> g_readBytes;
// Whether the cache was built, and on which date. Every occurrence depends on the date alone (year,
// month and day), never on the time of day.
bool g_built = false;
WORD g_builtYear, g_builtMonth, g_builtDay;
unsigned g_builds = 0;
// When the file was last read whole. An unchanged stamp lets a refresh skip the read, but not for
// longer than this: a rewrite the stamp cannot see (within the file system's clock step) shows
// within a minute.
DWORD g_lastFullRead = 0;
constexpr DWORD kFullReadEveryMs = 60000;

bool SameDay(const SYSTEMTIME& now) {
  return g_built && now.wYear == g_builtYear && now.wMonth == g_builtMonth && now.wDay == g_builtDay;
}

}  // namespace

bool RefreshItemCache() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const DWORD tick = GetTickCount();
  const bool readAnyway = !g_built || tick - g_lastFullRead >= kFullReadEveryMs;
  const unsigned buildsBefore = g_builds;
  const EntryBytes loaded = LoadEntryBytes(g_readBytes, readAnyway, g_built ? &g_builtBytes : nullptr);
  // A failure is told in a message box, whose wait runs the refreshes that come meanwhile: once
  // one of them has rebuilt the cache, what this one read is older news.
  if (g_builds != buildsBefore) return false;
  switch (loaded) {
    case EntryBytes::SameAsKnown:
      g_lastFullRead = tick;
      [[fallthrough]];
    case EntryBytes::Unchanged:
    case EntryBytes::NotNow:
      // What is shown stays; only a new day (or the first build) makes new occurrences of it.
      if (SameDay(now)) return false;
      break;
    case EntryBytes::Read:
      g_lastFullRead = tick;
      [[fallthrough]];
    case EntryBytes::Failed:
      if (SameDay(now) && g_readBytes == g_builtBytes) return false;
      g_builtBytes.swap(g_readBytes);
      break;
  }
  ScheduleEntriesFromBytes(g_builtBytes, g_entries);
  // Should midnight pass between the date read above and the one BuildOccurrences reads, the next
  // refresh sees a date other than the one kept here and builds once more.
  g_built = true;
  g_builtYear = now.wYear;
  g_builtMonth = now.wMonth;
  g_builtDay = now.wDay;
  BuildOccurrences(g_entries);
  BuildComingMarks(g_nToday, now.wYear);
  ++g_builds;
  return true;
}

void RebuildItemCache() {
  g_built = false;
  RefreshItemCache();
}

unsigned ItemCacheBuilds() { return g_builds; }

void ForgetItemCache() {
  std::vector<unsigned char>().swap(g_builtBytes);
  std::vector<unsigned char>().swap(g_readBytes);
  g_built = false;
}
