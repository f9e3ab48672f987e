#include "today/item_lines.h"

#include "calendar/weekday_names.h"
#include "today/occurrences.h"

namespace {

// A title as stored may lack its terminator in a file that the application did not write; the
// copy always ends within the field's 10 characters.
void CopyTitle(const ScheduleEntry& entry, WCHAR (&title)[11]) { lstrcpynW(title, entry.szTitle, 11); }

// "오늘(토)", "내일(일)", "2일뒤(월)": when `day` comes, seen on `today` (day >= today).
void WhenText(DWORD day, DWORD today, WCHAR (&when)[24]) {
  const LONG diff = (LONG)(day - today);
  LPCWSTR weekday = WeekdayName(WeekdayOfDay(day));
  if (diff == 0)
    wsprintfW(when, u"오늘(%s)", weekday);
  else if (diff == 1)
    wsprintfW(when, u"내일(%s)", weekday);
  else
    wsprintfW(when, u"%d일뒤(%s)", (int)diff, weekday);
}

}  // namespace

void LunarLineText(const LunarDate& lunarToday, WCHAR (&line)[100]) {
  wsprintfW(line, u"음력 %04d년 %02d월 %02d일 %s", lunarToday.wLunarYear, lunarToday.byMonth, lunarToday.byDay,
            lunarToday.byLeap ? u"윤달" : u"평달");
}

void ComingLineText(const ScheduleEntry& entry, DWORD day, DWORD today, WCHAR (&line)[100]) {
  WCHAR title[11], when[24];
  CopyTitle(entry, title);
  WhenText(day, today, when);
  wsprintfW(line, u"%s %02d:%02d %s", when, entry.wHour, entry.wMinute, title);
}

void MarkLineText(LPCWSTR name, int minute, DWORD day, DWORD today, WCHAR (&line)[100]) {
  WCHAR when[24];
  WhenText(day, today, when);
  if (minute < 0)
    wsprintfW(line, u"%s %s", when, name);
  else
    wsprintfW(line, u"%s %02d:%02d %s", when, minute / 60, minute % 60, name);
}

void NoMoreLineText(WCHAR (&line)[100]) { lstrcpyW(line, u"더 이상 표시할 일정이 없습니다."); }

bool DdayTexts(const ScheduleEntry& entry, DWORD today, WCHAR (&title)[11], WCHAR (&ending)[90]) {
  DWORD day = 0;
  if (!StoredEntryDay(entry, &day)) return false;
  CopyTitle(entry, title);
  if (day == today)
    lstrcpyW(ending, u"이(가) 오늘입니다.");
  else if (day < today)
    wsprintfW(ending, u"(으)로부터 %d일이 지났습니다.", (int)(today - day));
  else
    wsprintfW(ending, u"이(가) %d일 남았습니다.", (int)(day - today));
  return true;
}
