#pragma once
// The Today item window: its procedure and the jobs it hands out.
#include "today/today_state.h"

// Paints the whole item (WM_PAINT).
void PaintItem(HWND window);
// The index into g_hMoonIcons of the moon drawn now; -1 when there is no lunar day to show.
int MoonPhaseShown();
// A tap at window coordinates: the moon animation, or the start of the application. Returns the
// reply (-1 after a registry failure, else 0 for default processing).
LRESULT HandleTap(HWND window, int x, int y);
// The item's line for one occurrence, as painted: "내일(화) 19:00 저녁 약속".
void FormatOccurrenceLine(const Occurrence& occurrence, WCHAR (&line)[100]);
// One step of the moon animation (WM_TIMER).
void StepMoonAnimation(HWND window);
// The shell's refresh query: reports the height while the shell's record holds 0, and rebuilds
// the cache when the data file or the date changed. TRUE: the item must be redrawn.
BOOL QueryRefreshCache(TODAYLISTITEM* item);
