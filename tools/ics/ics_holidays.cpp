#include "tools/ics/ics_holidays.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar/lunar_calendar.h"
#include "calendar/public_holidays.h"
#include "tools/common/tool_version.h"

namespace ics_tool {
namespace {

icaltimetype DateOnly(int year, int month, int day) {
  icaltimetype time = icaltime_null_time();
  time.year = year;
  time.month = month;
  time.day = day;
  time.is_date = 1;
  return time;
}

// "20251008-" and FNV-1a of the name: stable across exports and across changes of order.
std::string HolidayUid(const calendar::PublicHoliday& h) {
  unsigned long long hash = 0xcbf29ce484222325ull;
  for (unsigned char byte : h.name) hash = (hash ^ byte) * 0x100000001b3ull;
  char text[48];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%08llx@holidays.kalmeno", h.year, h.month, h.day, hash & 0xFFFFFFFFull);
  return text;
}

}  // namespace

IcsCalendar BuildHolidayCalendar(int fromYear, int toYear, std::time_t stamp) {
  IcsCalendar result;
  icalcomponent* ics = icalcomponent_new_vcalendar();
  icalcomponent_add_property(ics, icalproperty_new_version("2.0"));
  icalcomponent_add_property(ics, icalproperty_new_prodid("-//Kalmeno//kalmeno-ics " KALMENO_VERSION "//KO"));
  icalcomponent_add_property(ics, icalproperty_new_calscale("GREGORIAN"));
  icalproperty* name = icalproperty_new_x("대한민국 공휴일");
  icalproperty_set_x_name(name, "X-WR-CALNAME");
  icalcomponent_add_property(ics, name);
  const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());

  for (int year = fromYear; year <= toYear; ++year) {
    for (const calendar::PublicHoliday& h : calendar::PublicHolidaysOfYear(year)) {
      icalcomponent* vevent = icalcomponent_new_vevent();
      icalcomponent_add_property(vevent, icalproperty_new_uid(HolidayUid(h).c_str()));
      icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stampTime));
      icalcomponent_add_property(vevent, icalproperty_new_dtstart(DateOnly(h.year, h.month, h.day)));
      icaltimetype end = DateOnly(h.year, h.month, h.day);
      icaltime_adjust(&end, 1, 0, 0, 0);
      icalcomponent_add_property(vevent, icalproperty_new_dtend(end));
      icalcomponent_add_property(vevent, icalproperty_new_summary(h.name.c_str()));
      icalcomponent_add_property(vevent, icalproperty_new_categories("공휴일"));
      // A holiday does not make its day busy.
      icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
      icalcomponent_add_component(ics, vevent);
      ++result.events;
    }
  }
  char* text = icalcomponent_as_ical_string_r(ics);
  result.text = text ? text : "";
  std::free(text);
  icalcomponent_free(ics);
  return result;
}

}  // namespace ics_tool
