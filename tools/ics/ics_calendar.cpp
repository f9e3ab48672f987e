#include "tools/ics/ics_calendar.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "tools/ics/ics_entry_plan.h"
#include "tools/common/tool_version.h"
#include "tools/common/utf8_text.h"

namespace ics_tool {
namespace {

// A field's text as UTF-8. Control characters are not allowed in iCalendar text; a damaged record
// shows U+FFFD where it has one.
std::string FieldUtf8(std::u16string text) {
  for (char16_t& unit : text)
    if (unit < 0x20 || unit == 0x7F) unit = u'\uFFFD';
  return tool_text::Utf8(text);
}

// FNV-1a over the record's 98 bytes: the same record gives the same UID in every export.
std::string RecordHash(const ScheduleEntry& entry) {
  unsigned char bytes[SCHEDULE_RECORD_SIZE];
  ScheduleEntryToBytes(entry, bytes);
  unsigned long long hash = 0xcbf29ce484222325ull;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", hash);
  return text;
}

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// "음력 08월 15일" for a yearly entry, "음력 2024년 08월 15일" for a one-time one.
std::string LunarText(const ScheduleEntry& entry, const PlannedEvent& event) {
  std::string text = "음력 ";
  if (!(entry.wFlags & SCHEDULE_YEARLY)) text += std::to_string(entry.wYear) + "년 ";
  text += TwoDigits(entry.wMonth) + "월 " + TwoDigits(entry.wDay) + "일";
  if (event.lunarDay && event.lunarDay != entry.wDay)
    text += " (이 해의 " + TwoDigits(entry.wMonth) + "월은 " + std::to_string(event.lunarDay) + "일까지)";
  return text;
}

icaltimetype StartTime(const ScheduleEntry& entry, const PlannedEvent& event, bool timed) {
  icaltimetype time = icaltime_null_time();
  time.year = event.year;
  time.month = event.month;
  time.day = event.day;
  time.is_date = timed ? 0 : 1;
  if (timed) {
    time.hour = entry.wHour;
    time.minute = entry.wMinute;
    time.second = entry.wSecond;
  }
  return time;  // zone stays null: floating local time
}

icalproperty* RepeatRule(const ScheduleEntry& entry, Repeat repeat) {
  std::string rule = "RRULE:";
  if (repeat == Repeat::YearlyLunar)
    rule += "RSCALE=DANGI;FREQ=YEARLY;BYMONTH=" + std::to_string(entry.wMonth) +
            ";BYMONTHDAY=" + std::to_string(entry.wDay) + ";SKIP=BACKWARD";
  else
    rule += "FREQ=YEARLY";
  return icalproperty_new_from_string(rule.c_str());
}

icalcomponent* NewEvent(const ScheduleEntry& entry, const EntryPlan& plan, const PlannedEvent& event,
                        const std::string& uid, icaltimetype stamp) {
  icalcomponent* vevent = icalcomponent_new_vevent();
  icalcomponent_add_property(vevent, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
  icalcomponent_add_property(vevent, icalproperty_new_dtstart(StartTime(entry, event, plan.timed)));
  if (plan.repeat != Repeat::None) icalcomponent_add_property(vevent, RepeatRule(entry, plan.repeat));
  icalcomponent_add_property(vevent, icalproperty_new_summary(FieldUtf8(ScheduleTitleText(entry)).c_str()));
  std::string description = FieldUtf8(ScheduleMemoText(entry));
  if (entry.wFlags & SCHEDULE_LUNAR) description += (description.empty() ? "" : "\n") + LunarText(entry, event);
  if (!description.empty()) icalcomponent_add_property(vevent, icalproperty_new_description(description.c_str()));
  if (entry.wFlags & SCHEDULE_HOLIDAY) icalcomponent_add_property(vevent, icalproperty_new_categories("휴일"));
  return vevent;
}

}  // namespace

IcsCalendar BuildIcsCalendar(const std::vector<ScheduleEntry>& entries, int fromYear, int toYear, bool rscale,
                             std::time_t stamp) {
  IcsCalendar result;
  icalcomponent* calendar = icalcomponent_new_vcalendar();
  icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Kalmeno//kalmeno-ics " KALMENO_VERSION "//KO"));
  icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
  const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());

  std::map<std::string, int> seen;  // identical records: the second is "-2", and so on
  for (const ScheduleEntry& entry : entries) {
    const EntryPlan plan = PlanEntry(entry, fromYear, toYear, rscale);
    if (plan.events.empty()) {
      ++result.skipped;
      continue;
    }
    if (!plan.timed) ++result.untimed;
    std::string base = RecordHash(entry);
    if (const int copy = ++seen[base]; copy > 1) base += "-" + std::to_string(copy);
    for (const PlannedEvent& event : plan.events) {
      const bool perYear = (entry.wFlags & SCHEDULE_LUNAR) && (entry.wFlags & SCHEDULE_YEARLY) && !rscale;
      const std::string uid = base + (perYear ? "-" + std::to_string(event.lunarYear) : "") + "@kalmeno";
      icalcomponent_add_component(calendar, NewEvent(entry, plan, event, uid, stampTime));
      ++result.events;
    }
  }
  char* text = icalcomponent_as_ical_string_r(calendar);
  result.text = text ? text : "";
  std::free(text);
  icalcomponent_free(calendar);
  return result;
}

}  // namespace ics_tool
