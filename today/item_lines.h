#pragma once
// The texts of the item's lines, from the entries and day counts alone (DaysSince1601's count),
// so that what a line says does not depend on how or when it is drawn.
#include "calendar/lunar_calendar.h"
#include "schedule/schedule_entry.h"
#include "windows.h"

// "음력 2007년 10월 29일 평달": today's lunar date (all zeros outside the table's years).
void LunarLineText(const LunarDate& lunarToday, WCHAR (&line)[100]);

// "오늘(토) 09:30 회의", "내일(일) …", "2일뒤(월) …": an entry falling on `day`, seen on `today`
// (day >= today); the title is cut to its field's 10 characters.
void ComingLineText(const ScheduleEntry& entry, DWORD day, DWORD today, WCHAR (&line)[100]);

// "3일뒤(수) 대체공휴일(추석)", "12일뒤(목) 09:41 한로": a public holiday (minute < 0: no time) or a
// solar term (its minute of the day) on `day`, as an entry's line reads.
void MarkLineText(LPCWSTR name, int minute, DWORD day, DWORD today, WCHAR (&line)[100]);

// The line shown where no further entry comes.
void NoMoreLineText(WCHAR (&line)[100]);

// The D-day line of `entry` on `today`, counted from the date the entry names itself, whether or
// not it repeats: its title (cut to 10 characters) and the sentence that holds the count
// ("이(가) 오늘입니다.", "이(가) 3일 남았습니다.", "(으)로부터 5일이 지났습니다."). False, writing
// nothing, when that date does not exist.
bool DdayTexts(const ScheduleEntry& entry, DWORD today, WCHAR (&title)[11], WCHAR (&ending)[90]);
