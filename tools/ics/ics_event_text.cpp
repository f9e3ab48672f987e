#include "tools/ics/ics_event_text.h"

#include <cstdio>

#include "tools/common/utf8_text.h"

namespace ics_tool {
namespace {

std::string Utf8WithoutControls(std::u16string text) {
  for (char16_t& unit : text)
    if ((unit < 0x20 && unit != u'\n') || unit == 0x7F) unit = u'\uFFFD';
  return tool_text::Utf8(text);
}

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

std::string TitleUtf8(const ScheduleEntry& entry) {
  std::u16string title = ScheduleTitleText(entry);
  for (char16_t& unit : title)
    if (unit == u'\n') unit = u'\uFFFD';
  return Utf8WithoutControls(title);
}

std::string MemoUtf8(const ScheduleEntry& entry) {
  const std::u16string memo = ScheduleMemoText(entry);
  std::u16string lines;
  for (std::size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == u'\r') {
      lines += u'\n';
      if (i + 1 < memo.size() && memo[i + 1] == u'\n') ++i;
    } else {
      lines += memo[i];
    }
  }
  return Utf8WithoutControls(lines);
}

std::string LunarNote(const ScheduleEntry& entry, int dayInYear) {
  std::string text = "음력 ";
  if (!(entry.wFlags & SCHEDULE_YEARLY)) text += std::to_string(entry.wYear) + "년 ";
  text += TwoDigits(entry.wMonth) + "월 " + TwoDigits(entry.wDay) + "일";
  if (dayInYear && dayInYear != entry.wDay)
    text += " (이 해의 " + TwoDigits(entry.wMonth) + "월은 " + std::to_string(dayInYear) + "일까지)";
  return text;
}

bool EntryIsTimed(const ScheduleEntry& entry) {
  return entry.wHour <= 23 && entry.wMinute <= 59 && entry.wSecond <= 59;
}

icaltimetype EventStart(const ScheduleEntry& entry, int year, int month, int day, bool timed) {
  icaltimetype time = icaltime_null_time();
  time.year = year;
  time.month = month;
  time.day = day;
  time.is_date = timed ? 0 : 1;
  if (timed) {
    time.hour = entry.wHour;
    time.minute = entry.wMinute;
    time.second = entry.wSecond;
  }
  return time;  // zone stays null: floating local time
}

}  // namespace ics_tool
