#pragma once
// The public holidays and solar terms that come from today on, for the item's coming lines when
// the options ask for them ("공휴일·절기 표시", off until chosen, kept in the registry at
// HKEY_CURRENT_USER\Software\Kalmeno, TodayHolidayMarks).
#include "today/today_state.h"

// Fills g_comingMarks with this year's and next year's marks from `today` on, in date and time
// order (a day's holidays before its term). Also reads the choice from the registry into
// g_bShowHolidayMarks.
void BuildComingMarks(DWORD today, int year);

// The options dialog's choice, remembered for the next start.
void SaveShowHolidayMarks(BOOL show);
