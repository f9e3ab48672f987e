#include "today/item_lines.h"

#include "calendar/weekday_names.h"
#include "today/occurrences.h"

namespace {

// A title as stored may lack its terminator in a file that the application did not write; the
// copy always ends within the field's 10 characters.
void CopyTitle(const ScheduleEntry& entry, WCHAR (&title)[11]) { lstrcpynW(title, entry.szTitle, 11); }

}  // namespace

void LunarLineText(const LunarDate& lunarToday, WCHAR (&line)[100]) {
  wsprintfW(line, u"음력 %04d년 %02d월 %02d일 %s", lunarToday.wLunarYear, lunarToday.byMonth, lunarToday.byDay,
            lunarToday.byLeap ? u"윤달" : u"평달");
}

void ComingLineText(const ScheduleEntry& entry, DWORD day, DWORD today, WCHAR (&line)[100]) {
  WCHAR title[11];
  CopyTitle(entry, title);
  LONG diff = (LONG)(day - today);
  LPCWSTR weekday = WeekdayName(WeekdayOfDay(day));
  if (diff == 0)
    wsprintfW(line, u"오늘(%s) %02d:%02d %s", weekday, entry.wHour, entry.wMinute, title);
  else if (diff == 1)
    wsprintfW(line, u"내일(%s) %02d:%02d %s", weekday, entry.wHour, entry.wMinute, title);
  else
    wsprintfW(line, u"%d일뒤(%s) %02d:%02d %s", diff, weekday, entry.wHour, entry.wMinute, title);
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
