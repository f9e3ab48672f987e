#include "app/panel_text.h"

CString PanelTimeText(const ScheduleEntry& entry) {
  const bool morning = entry.wHour <= 12;
  CString text;
  text.Format(u"%s %02d시%02d분", morning ? u"오전" : u"오후", morning ? entry.wHour : entry.wHour - 12,
              entry.wMinute);
  return text;
}

CString PanelOptionText(const ScheduleEntry& entry) {
  CString options;
  if (entry.wFlags & SCHEDULE_LUNAR) options = u"음력";
  if (entry.wFlags & SCHEDULE_YEARLY) {
    if (!options.IsEmpty()) options += u",";
    options += u"매년";
  }
  if (entry.wFlags & SCHEDULE_HOLIDAY) {
    if (!options.IsEmpty()) options += u",";
    options += u"휴일";
  }
  if (options.IsEmpty()) options = u"옵션없음";
  CString text;
  text.Format(u"[%s]", options.GetString());
  return text;
}

CString PanelPageText(int index, int count) {
  CString text;
  text.Format(u"%d/%d", index, count);
  return text;
}

CString PanelDateText(int year, int month, int day, int lunarMonth, int lunarDay) {
  CString text;
  text.Format(u"%04d년 %02d월 %02d일 (음%02d/%02d)", year, month, day, lunarMonth, lunarDay);
  return text;
}
