#pragma once
// The texts of the schedule panel that depend on an entry's fields alone.
#include "afxwin.h"

#include "schedule/schedule_entry.h"

// "오전 12시30분", "오후 01시05분": hours up to 12 are shown as they are after "오전", later hours
// minus 12 after "오후".
CString PanelTimeText(const ScheduleEntry& entry);
// "[음력,매년,휴일]", "[매년]", "[옵션없음]".
CString PanelOptionText(const ScheduleEntry& entry);
// "%d/%d": which entry of how many.
CString PanelPageText(int index, int count);
// The date line: the selected day's solar date and its lunar month and day, without a leap mark.
CString PanelDateText(int year, int month, int day, int lunarMonth, int lunarDay);
