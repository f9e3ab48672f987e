#include "tools/ics/ics_calendar.h"

#include <libical/ical.h>

#include <cstdlib>

#include "tools/common/tool_version.h"
#include "tools/ics/entry_uid.h"
#include "tools/ics/ics_entry_plan.h"
#include "tools/ics/ics_event_text.h"

namespace ics_tool {
namespace {

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
  icalcomponent_add_property(vevent,
                             icalproperty_new_dtstart(EventStart(entry, event.year, event.month, event.day, plan.timed)));
  if (plan.repeat != Repeat::None) icalcomponent_add_property(vevent, RepeatRule(entry, plan.repeat));
  icalcomponent_add_property(vevent, icalproperty_new_summary(TitleUtf8(entry).c_str()));
  std::string description = MemoUtf8(entry);
  if (entry.wFlags & SCHEDULE_LUNAR) description += (description.empty() ? "" : "\n") + LunarNote(entry, event.lunarDay);
  if (!description.empty()) icalcomponent_add_property(vevent, icalproperty_new_description(description.c_str()));
  if (entry.wFlags & SCHEDULE_HOLIDAY) icalcomponent_add_property(vevent, icalproperty_new_categories("휴일"));
  return vevent;
}

// The serialised component, freed.
std::string Serialise(icalcomponent* component) {
  char* text = icalcomponent_as_ical_string_r(component);
  std::string result = text ? text : "";
  std::free(text);
  icalcomponent_free(component);
  return result;
}

}  // namespace

bool WriteIcsCalendar(const std::vector<ScheduleEntry>& entries, int fromYear, int toYear, bool rscale,
                      std::time_t stamp, const IcsSink& sink, IcsCounts& counts) {
  icalcomponent* calendar = icalcomponent_new_vcalendar();
  icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Kalmeno//kalmeno-ics " KALMENO_VERSION "//KO"));
  icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
  std::string frame = Serialise(calendar);  // "BEGIN:VCALENDAR … END:VCALENDAR\r\n"
  const std::string::size_type end = frame.rfind("END:VCALENDAR");
  if (!sink(std::string_view(frame).substr(0, end))) return false;

  const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
  const std::vector<std::string> bases = EntryUidBases(entries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ScheduleEntry& entry = entries[i];
    const EntryPlan plan = PlanEntry(entry, fromYear, toYear, rscale);
    if (plan.events.empty()) {
      ++counts.skipped;
      continue;
    }
    if (!plan.timed) ++counts.untimed;
    const bool perYear = (entry.wFlags & SCHEDULE_LUNAR) && (entry.wFlags & SCHEDULE_YEARLY) && !rscale;
    for (const PlannedEvent& event : plan.events) {
      const std::string uid = bases[i] + (perYear ? "-" + std::to_string(event.lunarYear) : "") + "@kalmeno";
      if (!sink(Serialise(NewEvent(entry, plan, event, uid, stampTime)))) return false;
      ++counts.events;
    }
  }
  return sink(std::string_view(frame).substr(end));
}

}  // namespace ics_tool
