#pragma once
// The library-wide state of the Today plug-in. The shell loads the library once per process and
// drives it from its one user-interface thread, so the state is plain globals without locking.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "calendar/lunar_calendar.h"
#include "schedule/data_file.h"
#include "schedule/schedule_entry.h"
#include "today/resource_ids.h"
#include "todaycmn.h"
#include "windows.h"

// Where one entry falls: its index in g_entries and the day count (DaysSince1601) of the date.
struct Occurrence {
  INT nEntry;
  DWORD nDay;
};
static_assert(sizeof(Occurrence) == 8, "an occurrence is two 32-bit numbers");

// A public holiday or solar term among the coming lines.
struct ComingMark {
  DWORD nDay;            // DaysSince1601
  int nMinute;           // a solar term's minute of the day; -1 for a holiday, which has no time
  std::u16string name;
};

// The item's display settings, kept in the registry (settings_store.h). Every field is a signed
// 32-bit number; each combo-box field holds the selected index.
struct TodaySettings {
  INT nLunarLine;      // 0: the lunar-date line is shown, 1: hidden
  INT nListCount;      // 0..4: the item shows nListCount + 1 schedule lines
  INT nReminderValue;  // how long before an entry its reminder comes, in nReminderUnit
  INT nReminderUnit;   // 0 none, 1 minutes, 2 hours, 3 days before
  INT nDdayLine;       // 0: the D-day line is shown, 1: hidden
  INT nDdayEntry;      // position of the D-day entry in the data file (0 = first); -1: none
  INT bConfirmed;      // 1 once the user has left the options dialog with Done
};

// What the cache of entries and occurrences was built from (item_cache.h).
struct ItemCacheState {
  // The data file's bytes the cache was built from, and the latest read: the two swap when a read
  // differs, so both keep their storage from one refresh to the next.
  std::vector<unsigned char> builtBytes;
  std::vector<unsigned char> readBytes;
  // Whether the cache was built, and on which date. Every occurrence depends on the date alone
  // (year, month and day), never on the time of day.
  bool built = false;
  WORD builtYear = 0, builtMonth = 0, builtDay = 0;
  unsigned builds = 0;
  // When the file was last read whole. An unchanged stamp lets a refresh skip the read, but not
  // for longer than a minute: a rewrite the stamp cannot see (within the file system's clock step)
  // shows within that minute.
  DWORD lastFullRead = 0;
};

// A failure to load the entries that the user has been told of (load_entries.h).
enum LoadFailure { LOAD_OK = 0, LOAD_NO_KEY, LOAD_NO_DATA_VALUE, LOAD_NO_FILE };

// The data file's reads and the messages they gave.
struct LoadState {
  bool bMessageOpen = false;
  // The failure last shown, so that a refresh query every few seconds does not raise the same
  // message again and again while nothing has changed.
  LoadFailure lastFailure = LOAD_OK;
  WCHAR szFailurePath[MAX_PATH] = {};
  // The file as last read: while it names the same, unchanged file, the read is skipped. A stamp
  // is trusted only once two reads, a refresh apart, found it: a file rewritten within the file
  // system's clock step of the first read keeps its times, and the second read sees it.
  DataFileStamp lastRead;
  bool bSettled = false;
  WCHAR szLastPath[MAX_PATH] = {};
};

// What makes an occurrence the same one at a later refresh: its day and the entry's time, flags
// and title. Positions in the data file are not used, since entries added or removed while the
// item runs move the others. Kept zero-filled, so that whole keys compare and hash as bytes.
struct OccurrenceKey {
  DWORD day;
  WORD hour, minute, flags;
  WCHAR title[10];
  bool operator==(const OccurrenceKey& other) const { return std::memcmp(this, &other, sizeof(*this)) == 0; }
};
struct OccurrenceKeyHash {
  size_t operator()(const OccurrenceKey& key) const {
    // FNV-1a over the key's bytes.
    uint64_t hash = 14695981039346656037ull;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&key);
    for (size_t i = 0; i < sizeof(key); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return (size_t)hash;
  }
};

// The reminders announced while the library stays loaded (reminders.h).
struct ReminderState {
  std::unordered_set<OccurrenceKey, OccurrenceKeyHash> announced;
  // Which of g_occurrences (by index) are in `announced` already, for the cache build they belong
  // to: a walk every minute over thousands of coming occurrences then hashes only the new ones.
  std::vector<unsigned char> inAnnounced;
  unsigned flaggedBuild = 0;
  bool flagged = false;
  // The minute and interval of the last walk: the shell asks every few seconds, and until the
  // minute, the interval or the occurrences change, a walk can find nothing new.
  long long lastMinute = -1;
  long long lastInterval = 0;
};

// Window timer of the moon animation.
#define IDT_MOON 1

// The plug-in's state as one model: made afresh when the library is loaded and dropped whole when
// it is unloaded (the loader may keep the module's memory between loads), so nothing is reset
// field by field and no file of the plug-in keeps state of its own. The g_ names are its members,
// reached through the references below.
struct TodayItemModel {
  HINSTANCE g_hInstance = nullptr;
  HICON g_hItemIcon = nullptr;
  HICON g_hFirstIcon = nullptr;
  HICON g_hNextIcon = nullptr;
  HICON g_hDdayIcon = nullptr;
  HICON g_hMoonIcons[MOON_PHASES] = {};
  RECT g_rcMoon = {};
  HFONT g_hOptionsFont = nullptr;
  // The cached item data, rebuilt by BuildOccurrences.
  std::vector<ScheduleEntry> g_entries;
  std::vector<Occurrence> g_occurrences;
  INT g_nFirst = -1;
  DWORD g_nToday = 0;
  LunarDate g_lunarToday = {};
  // The moon animation: the phase shown while it runs.
  INT g_nFrame = 0;
  BYTE g_bAnimating = 0;
  // The holidays and solar terms among the coming lines (공휴일·절기 표시), when chosen.
  BOOL g_bShowHolidayMarks = FALSE;
  std::vector<ComingMark> g_comingMarks;
  TodaySettings g_settings = {};
  // The screen's resolution, asked once per load; -1 when no screen device context could be had.
  int nDpiX = 0, nDpiY = 0;
  ItemCacheState cache;
  LoadState load;
  ReminderState reminders;
};

extern TodayItemModel g_item;

inline HINSTANCE& g_hInstance = g_item.g_hInstance;
inline HICON& g_hItemIcon = g_item.g_hItemIcon;
inline HICON& g_hFirstIcon = g_item.g_hFirstIcon;
inline HICON& g_hNextIcon = g_item.g_hNextIcon;
inline HICON& g_hDdayIcon = g_item.g_hDdayIcon;
inline HICON (&g_hMoonIcons)[MOON_PHASES] = g_item.g_hMoonIcons;
inline RECT& g_rcMoon = g_item.g_rcMoon;
inline HFONT& g_hOptionsFont = g_item.g_hOptionsFont;
inline std::vector<ScheduleEntry>& g_entries = g_item.g_entries;
inline std::vector<Occurrence>& g_occurrences = g_item.g_occurrences;
inline INT& g_nFirst = g_item.g_nFirst;
inline DWORD& g_nToday = g_item.g_nToday;
inline LunarDate& g_lunarToday = g_item.g_lunarToday;
inline INT& g_nFrame = g_item.g_nFrame;
inline BYTE& g_bAnimating = g_item.g_bAnimating;
inline BOOL& g_bShowHolidayMarks = g_item.g_bShowHolidayMarks;
inline std::vector<ComingMark>& g_comingMarks = g_item.g_comingMarks;
inline TodaySettings& g_settings = g_item.g_settings;

// The item window's procedure (its class is registered at library load).
LRESULT TodayItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
