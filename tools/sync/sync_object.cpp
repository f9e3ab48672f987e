#include "tools/sync/sync_object.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/lunar_calendar.h"
#include "tools/common/utf8_text.h"
#include "tools/common/tool_version.h"
#include "tools/ics/ics_entry_plan.h"
#include "tools/ics/ics_event_text.h"

namespace sync_tool {
namespace {

using ics_tool::EntryPlan;
using ics_tool::PlanEntry;

constexpr const char* kLunarProperty = "X-KALMENO-LUNAR";
constexpr const char* kYearlyLunarProperty = "X-KALMENO-LUNAR-YEARLY";
constexpr const char* kHolidayCategory = "휴일";
constexpr WORD kRepeatFlags = SCHEDULE_LUNAR | SCHEDULE_YEARLY;

bool IsLunarYearly(const ScheduleEntry& entry) {
  return (entry.wFlags & kRepeatFlags) == kRepeatFlags;
}

std::string Serialise(icalcomponent* component) {
  char* text = icalcomponent_as_ical_string_r(component);
  std::string result = text ? text : "";
  std::free(text);
  return result;
}

std::vector<icalproperty*> Properties(icalcomponent* component, icalproperty_kind kind) {
  std::vector<icalproperty*> found;
  for (icalproperty* p = icalcomponent_get_first_property(component, kind); p;
       p = icalcomponent_get_next_property(component, kind))
    found.push_back(p);
  return found;
}

void RemoveProperties(icalcomponent* component, icalproperty_kind kind) {
  for (icalproperty* p : Properties(component, kind)) {
    icalcomponent_remove_property(component, p);
    icalproperty_free(p);
  }
}

icalproperty* FindX(icalcomponent* component, const char* name) {
  for (icalproperty* p : Properties(component, ICAL_X_PROPERTY))
    if (const char* x = icalproperty_get_x_name(p); x && std::strcmp(x, name) == 0) return p;
  return nullptr;
}

void RemoveX(icalcomponent* component, const char* name) {
  while (icalproperty* p = FindX(component, name)) {
    icalcomponent_remove_property(component, p);
    icalproperty_free(p);
  }
}

std::string DateText(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

// The description an object gives the entry: the memo, and under it the lunar date of a lunar one.
std::string Description(const ScheduleEntry& entry) {
  std::string text = ics_tool::MemoUtf8(entry);
  if (entry.wFlags & SCHEDULE_LUNAR) text += (text.empty() ? "" : "\n") + ics_tool::LunarNote(entry);
  return text;
}

// Adds the date, time and repeat of the entry: DTSTART, and RRULE, or RDATEs with the lunar date.
void AddWhen(icalcomponent* event, const ScheduleEntry& entry, const EntryPlan& plan, bool allDay) {
  const bool timed = plan.timed && !allDay;
  const ics_tool::PlannedEvent& first = plan.events.front();
  icalcomponent_add_property(event, icalproperty_new_dtstart(
                                        ics_tool::EventStart(entry, first.year, first.month, first.day, timed)));
  if (plan.repeat == ics_tool::Repeat::YearlySolar)
    icalcomponent_add_property(event, icalproperty_new_from_string("RRULE:FREQ=YEARLY"));
  // A yearly lunar entry lists every year's date as an RDATE, the first one's too: the set of dates
  // is the same, and a client that takes only RDATEs when there is no rule (ical.js) misses none.
  for (std::size_t i = 0; plan.repeat == ics_tool::Repeat::None && (entry.wFlags & SCHEDULE_YEARLY) &&
                          i < plan.events.size(); ++i) {
    icaldatetimeperiodtype date{};
    const ics_tool::PlannedEvent& next = plan.events[i];
    date.time = ics_tool::EventStart(entry, next.year, next.month, next.day, timed);
    date.period = icalperiodtype_null_period();
    icalcomponent_add_property(event, icalproperty_new_rdate(date));
  }
  if (entry.wFlags & SCHEDULE_LUNAR) {
    icalproperty* lunar = icalproperty_new_x(DateText(entry.wYear, entry.wMonth, entry.wDay).c_str());
    icalproperty_set_x_name(lunar, IsLunarYearly(entry) ? kYearlyLunarProperty : kLunarProperty);
    icalcomponent_add_property(event, lunar);
  }
}

EntryPlan PlanFor(const ScheduleEntry& entry, const YearRange& range) {
  return PlanEntry(entry, range.fromYear, range.toYear, false);
}

icalcomponent* MainEvent(icalcomponent* root) {
  if (!root) return nullptr;
  if (icalcomponent_isa(root) == ICAL_VEVENT_COMPONENT) return root;
  for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); c;
       c = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
    if (!icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) return c;
  return nullptr;
}

// Copies up to `units` UTF-16 units of `text` into a field, never half a surrogate pair or a CR
// without its LF; true when all of it fitted.
bool CopyCut(const std::u16string& text, WCHAR* field, std::size_t units) {
  std::size_t length = text.size() < units ? text.size() : units;
  if (length < text.size()) {
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    if (length > 0 && text[length - 1] == u'\r') --length;
  }
  text.copy(field, length);
  field[length] = 0;
  return length == text.size();
}

std::u16string WithCrLf(const std::string& utf8) {
  std::u16string result;
  for (char16_t unit : tool_text::Utf16(utf8)) {
    if (unit == u'\n') result += u'\r';
    if (unit != u'\r') result += unit;
  }
  return result;
}

bool ParseDateText(const char* text, int& year, int& month, int& day) {
  return text && std::sscanf(text, "%d-%d-%d", &year, &month, &day) == 3;
}

// Date and time of DTSTART in local time; false when there is none.
bool LocalStart(icalcomponent* event, icaltimetype& start, bool& allDay) {
  icalproperty* property = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  if (!property) return false;
  start = icalcomponent_get_dtstart(event);
  if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) return false;
  allDay = start.is_date;
  if (!allDay && (start.zone || icaltime_is_utc(start))) {
    const icaltimezone* zone = start.zone ? start.zone : icaltimezone_get_utc_timezone();
    const time_t moment = icaltime_as_timet_with_zone(start, zone);
    struct tm local {};
    localtime_r(&moment, &local);
    start = icaltime_null_time();
    start.year = local.tm_year + 1900;
    start.month = local.tm_mon + 1;
    start.day = local.tm_mday;
    start.hour = local.tm_hour;
    start.minute = local.tm_min;
    start.second = local.tm_sec;
  }
  return true;
}

void NoteRule(const icalrecurrencetype& rule, std::vector<std::string>& notKept) {
  if (rule.count || !icaltime_is_null_time(rule.until)) notKept.push_back("반복 횟수나 끝 날짜");
  if (rule.interval > 1) notKept.push_back("몇 년마다의 반복");
}

// The entry's repeat and lunar date from the event's rule or Kalmeno's own lunar property.
void ReadRepeat(icalcomponent* event, const icaltimetype& start, ScheduleEntry& entry, std::vector<std::string>& notKept) {
  int year = 0, month = 0, day = 0;
  if (icalproperty* lunar = FindX(event, kYearlyLunarProperty); lunar && ParseDateText(icalproperty_get_x(lunar), year, month, day)) {
    entry.wYear = WORD(year), entry.wMonth = WORD(month), entry.wDay = WORD(day);
    entry.wFlags |= kRepeatFlags;
    return;
  }
  if (icalproperty* lunar = FindX(event, kLunarProperty); lunar && ParseDateText(icalproperty_get_x(lunar), year, month, day)) {
    entry.wYear = WORD(year), entry.wMonth = WORD(month), entry.wDay = WORD(day);
    entry.wFlags |= SCHEDULE_LUNAR;
    return;
  }
  if (icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY)) notKept.push_back("따로 더한 날(RDATE)");
  icalproperty* ruleProperty = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
  if (!ruleProperty) return;
  const icalrecurrencetype rule = icalproperty_get_rrule(ruleProperty);
  if (icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) notKept.push_back("둘째 반복 규칙");
  if (rule.freq != ICAL_YEARLY_RECURRENCE) {
    notKept.push_back("매년이 아닌 반복 규칙");
    return;
  }
  NoteRule(rule, notKept);
  entry.wFlags |= SCHEDULE_YEARLY;
  if (!rule.rscale || std::strcmp(rule.rscale, "DANGI") != 0) {
    if (rule.rscale) notKept.push_back(std::string("음력이 아닌 달력의 반복(") + rule.rscale + ")");
    return;
  }
  LunarDate lunarStart{};
  if (!SolarToLunar(start.year, start.month, start.day, &lunarStart)) {
    notKept.push_back("음력 표 밖의 날짜에 시작하는 음력 반복");
    entry.wFlags &= WORD(~SCHEDULE_YEARLY);
    return;
  }
  entry.wFlags |= SCHEDULE_LUNAR;
  entry.wYear = lunarStart.wLunarYear;
  entry.wMonth = lunarStart.byMonth;
  entry.wDay = lunarStart.byDay;
  if (rule.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX) {
    if (icalrecurrencetype_month_is_leap(rule.by_month[0])) notKept.push_back("윤달 (평달에 넣었습니다)");
    entry.wMonth = WORD(icalrecurrencetype_month_month(rule.by_month[0]));
  } else if (lunarStart.byLeap) {
    notKept.push_back("윤달 (평달에 넣었습니다)");
  }
  if (rule.by_month_day[0] != ICAL_RECURRENCE_ARRAY_MAX && rule.by_month_day[0] > 0)
    entry.wDay = WORD(rule.by_month_day[0]);
}

void NoteExtras(icalcomponent* root, icalcomponent* event, std::vector<std::string>& notKept) {
  if (icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) ||
      icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY))
    notKept.push_back("끝 시각이나 기간");
  if (icalcomponent_get_first_property(event, ICAL_LOCATION_PROPERTY)) notKept.push_back("장소");
  if (icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT)) notKept.push_back("알림");
  if (icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY)) notKept.push_back("뺀 날(EXDATE)");
  if (root != event)
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
      if (c != event) {
        notKept.push_back("하루만 바꾼 날");
        break;
      }
}

// The description's text an entry's memo comes from: without the lunar note of a lunar entry.
std::string MemoSource(std::string description, const ScheduleEntry& entry) {
  if (!(entry.wFlags & SCHEDULE_LUNAR)) return description;
  const std::string note = ics_tool::LunarNote(entry);
  if (description == note) return {};
  if (description.size() > note.size() && description.ends_with("\n" + note))
    description.resize(description.size() - note.size() - 1);
  return description;
}

// Reads the event's fields into `result` (the fields an entry holds).
void ReadEvent(icalcomponent* root, icalcomponent* event, ReadObjectResult& result) {
  ScheduleEntry& entry = result.entry;
  icaltimetype start{};
  bool allDay = false;
  if (!LocalStart(event, start, allDay)) {
    result.kind = ReadObjectResult::Malformed;
    result.error = "시작 날짜(DTSTART)가 없거나 잘못되었습니다";
    return;
  }
  result.kind = ReadObjectResult::Event;
  if (allDay) result.notKept.push_back("하루 종일 (0시 일정으로 넣었습니다)");
  entry.wYear = WORD(start.year), entry.wMonth = WORD(start.month), entry.wDay = WORD(start.day);
  if (!allDay) entry.wHour = WORD(start.hour), entry.wMinute = WORD(start.minute), entry.wSecond = WORD(start.second);
  ReadRepeat(event, start, entry, result.notKept);

  for (icalproperty* p : Properties(event, ICAL_CATEGORIES_PROPERTY))
    if (const char* value = icalproperty_get_categories(p)) {
      std::string list = std::string(",") + value + ",";
      if (list.find(std::string(",") + kHolidayCategory + ",") != std::string::npos) entry.wFlags |= SCHEDULE_HOLIDAY;
    }

  std::u16string title = tool_text::Utf16(icalcomponent_get_summary(event) ? icalcomponent_get_summary(event) : "");
  for (char16_t& unit : title)
    if (unit == u'\r' || unit == u'\n') unit = u' ';
  if (!CopyCut(title, entry.szTitle, SCHEDULE_TITLE_UNITS - 1)) result.notKept.push_back("제목의 10자 뒤");
  const char* description = icalcomponent_get_description(event);
  if (!CopyCut(WithCrLf(MemoSource(description ? description : "", entry)), entry.szMemo, SCHEDULE_MEMO_UNITS - 1))
    result.notKept.push_back("설명의 30자 뒤");
  NoteExtras(root, event, result.notKept);
}

// The fields `kind` of two entries are equal.
bool SameWhen(const ScheduleEntry& a, const ScheduleEntry& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && (a.wFlags & kRepeatFlags) == (b.wFlags & kRepeatFlags);
}

void ReplaceWhen(icalcomponent* event, const ScheduleEntry& entry, const EntryPlan& plan) {
  icalproperty* oldStart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
  const bool wasAllDay = oldStart && icalproperty_get_dtstart(oldStart).is_date;
  const bool allDay = wasAllDay && entry.wHour == 0 && entry.wMinute == 0 && entry.wSecond == 0;
  const icaltimetype before = oldStart ? icalproperty_get_dtstart(oldStart) : icaltime_null_time();
  RemoveProperties(event, ICAL_DTSTART_PROPERTY);
  RemoveProperties(event, ICAL_RRULE_PROPERTY);
  RemoveProperties(event, ICAL_RDATE_PROPERTY);
  RemoveX(event, kLunarProperty);
  RemoveX(event, kYearlyLunarProperty);
  AddWhen(event, entry, plan, allDay);
  // An end moves with the start, so that the event keeps its length.
  if (icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY); end && !icaltime_is_null_time(before)) {
    const icaldurationtype length = icaltime_subtract(icalproperty_get_dtend(end), before);
    icaltimetype after = icalcomponent_get_dtstart(event);
    icalproperty_set_dtend(end, icaltime_add(after, length));
  }
}

void SetHoliday(icalcomponent* event, bool holiday) {
  if (holiday) {
    icalcomponent_add_property(event, icalproperty_new_categories(kHolidayCategory));
    return;
  }
  for (icalproperty* p : Properties(event, ICAL_CATEGORIES_PROPERTY))
    if (const char* value = icalproperty_get_categories(p); value && std::strcmp(value, kHolidayCategory) == 0) {
      icalcomponent_remove_property(event, p);
      icalproperty_free(p);
    }
}

void SetStamp(icalcomponent* event, std::time_t stamp) {
  RemoveProperties(event, ICAL_DTSTAMP_PROPERTY);
  icalcomponent_add_property(
      event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone())));
}

}  // namespace

bool EntryHasObject(const ScheduleEntry& entry, const YearRange& range) {
  return !PlanFor(entry, range).events.empty();
}

std::string NewObject(const ScheduleEntry& entry, const std::string& uid, const YearRange& range, std::time_t stamp) {
  const EntryPlan plan = PlanFor(entry, range);
  if (plan.events.empty()) return {};
  icalcomponent* root = icalcomponent_new_vcalendar();
  icalcomponent_add_property(root, icalproperty_new_version("2.0"));
  icalcomponent_add_property(root, icalproperty_new_prodid("-//Kalmeno//kalmeno-sync " KALMENO_VERSION "//KO"));
  icalcomponent* event = icalcomponent_new_vevent();
  icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
  SetStamp(event, stamp);
  AddWhen(event, entry, plan, false);
  icalcomponent_add_property(event, icalproperty_new_summary(ics_tool::TitleUtf8(entry).c_str()));
  if (const std::string description = Description(entry); !description.empty())
    icalcomponent_add_property(event, icalproperty_new_description(description.c_str()));
  if (entry.wFlags & SCHEDULE_HOLIDAY) SetHoliday(event, true);
  icalcomponent_add_component(root, event);
  std::string text = Serialise(root);
  icalcomponent_free(root);
  return text;
}

std::string RewriteObject(const std::string& existing, const ScheduleEntry& entry, const YearRange& range,
                          std::time_t stamp) {
  const EntryPlan plan = PlanFor(entry, range);
  icalcomponent* root = icalparser_parse_string(existing.c_str());
  icalcomponent* event = MainEvent(root);
  if (!event || plan.events.empty()) {
    if (root) icalcomponent_free(root);
    return {};
  }
  ReadObjectResult was;
  ReadEvent(root, event, was);
  const ScheduleEntry wanted = AsObjectReads(entry, range);
  // The dates of a yearly lunar entry are rewritten for the range too, so that they stay current.
  if (!SameWhen(was.entry, wanted) || (IsLunarYearly(wanted) && FindX(event, kYearlyLunarProperty)))
    ReplaceWhen(event, entry, plan);
  // A field differs when what the object says is neither the entry's text nor how an object of the
  // entry's own would read back (libical, for one, drops a title's trailing space).
  auto differs = [](const WCHAR* was, const WCHAR* own, const WCHAR* reads) {
    return std::u16string(was) != std::u16string(own) && std::u16string(was) != std::u16string(reads);
  };
  if (differs(was.entry.szTitle, ScheduleTitleText(entry).c_str(), wanted.szTitle)) {
    RemoveProperties(event, ICAL_SUMMARY_PROPERTY);
    icalcomponent_add_property(event, icalproperty_new_summary(ics_tool::TitleUtf8(entry).c_str()));
  }
  if (differs(was.entry.szMemo, ScheduleMemoText(entry).c_str(), wanted.szMemo)) {
    RemoveProperties(event, ICAL_DESCRIPTION_PROPERTY);
    if (const std::string description = Description(entry); !description.empty())
      icalcomponent_add_property(event, icalproperty_new_description(description.c_str()));
  }
  if ((was.entry.wFlags & SCHEDULE_HOLIDAY) != (wanted.wFlags & SCHEDULE_HOLIDAY))
    SetHoliday(event, wanted.wFlags & SCHEDULE_HOLIDAY);
  SetStamp(event, stamp);
  std::string text = Serialise(root);
  icalcomponent_free(root);
  return text;
}

ReadObjectResult ReadObject(const std::string& text) {
  ReadObjectResult result;
  if (text.find('\0') != std::string::npos || text.find("BEGIN:") == std::string::npos) {
    result.error = "iCalendar 파일이 아닙니다";
    return result;
  }
  icalcomponent* root = icalparser_parse_string(text.c_str());
  if (!root) {
    result.error = "iCalendar로 읽을 수 없습니다";
    return result;
  }
  icalcomponent* event = MainEvent(root);
  if (!event) {
    result.kind = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT) ? ReadObjectResult::Malformed
                                                                                   : ReadObjectResult::NotAnEvent;
    result.error = result.kind == ReadObjectResult::NotAnEvent ? "일정(VEVENT)이 없습니다 (할 일 등)"
                                                               : "반복의 기준 일정이 없습니다";
  } else if (const char* uid = icalcomponent_get_uid(event); !uid || !*uid) {
    result.error = "UID가 없습니다";
  } else {
    result.uid = uid;
    ReadEvent(root, event, result);
  }
  icalcomponent_free(root);
  return result;
}

ScheduleEntry AsObjectReads(const ScheduleEntry& entry, const YearRange& range) {
  const ReadObjectResult read = ReadObject(NewObject(entry, "x", range, 0));
  return read.kind == ReadObjectResult::Event ? read.entry : entry;
}

}  // namespace sync_tool
