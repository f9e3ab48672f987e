#pragma once
// The library-wide state of the Today plug-in. The shell loads the library once per process and
// drives it from its one user-interface thread, so the state is plain globals without locking.
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

// Window timer of the moon animation.
#define IDT_MOON 1

extern HINSTANCE g_hInstance;
extern HICON g_hItemIcon;
extern HICON g_hFirstIcon;
extern HICON g_hNextIcon;
extern HICON g_hDdayIcon;
extern HICON g_hMoonIcons[MOON_PHASES];
extern RECT g_rcMoon;
extern HFONT g_hOptionsFont;

// The cached item data, rebuilt by BuildOccurrences.
extern std::vector<ScheduleEntry> g_entries;
extern std::vector<Occurrence> g_occurrences;
extern INT g_nFirst;
extern DWORD g_nToday;
extern LunarDate g_lunarToday;
extern INT g_nFrame;
extern BYTE g_bAnimating;

// The item window's procedure (its class is registered at library load).
LRESULT TodayItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
