#pragma once
// The library-wide state of the Today plug-in. The shell loads the library once per process and
// drives it from its one user-interface thread, so the state is plain globals without locking.
#include <string>
#include <vector>

#include "calendar/lunar_calendar.h"
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

// Window timer of the moon animation.
#define IDT_MOON 1

// The plug-in's state as one model: made afresh when the library is loaded and dropped whole when
// it is unloaded (the loader may keep the module's memory between loads), so nothing is reset
// field by field. The g_ names are its members, reached through the references below.
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

// The item window's procedure (its class is registered at library load).
LRESULT TodayItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
