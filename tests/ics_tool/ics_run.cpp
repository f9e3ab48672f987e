#include "tests/ics_tool/ics_run.h"

#include <libical/ical.h>

#include <gtest/gtest.h>

#include <sstream>

#include "schedule/schedule_entry.h"

namespace ics_test {

IcsRun RunIcs(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
  e2e::TempDir dir;
  std::string command = "exec '" + e2e::Built("tools/kalmeno-ics") + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + dir.file("out") + "' 2>'" + dir.file("err") + "'";
  std::map<std::string, std::string> all = {{"KALMENO_NOW", "2026-12-07T09:00:00"},
                                            {"KALMENO_REGISTRY", dir.file("no-registry.reg")}};
  for (const auto& [name, value] : env) all[name] = value;
  const e2e::RunResult run = e2e::Run("/bin/sh", {"-c", command}, all);
  return {run.exitCode, e2e::ReadBytes(dir.file("out")), e2e::ReadBytes(dir.file("err"))};
}

namespace {

std::string Text(icalproperty* property) {
  return property ? icalproperty_get_value_as_string(property) : "";
}

std::string StartText(icaltimetype time) {
  char text[32];
  if (time.is_date)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.year, time.month, time.day);
  else
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
  return text;
}

// Every X-LIC-ERROR libical put on a component while parsing it.
void CollectErrors(icalcomponent* component, std::vector<std::string>& errors) {
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); p;
       p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY))
    errors.push_back(icalproperty_get_xlicerror(p));
}

}  // namespace

std::vector<ParsedEvent> ParseEvents(const std::string& ics, std::vector<std::string>& errors) {
  std::vector<ParsedEvent> events;
  icalcomponent* calendar = icalparser_parse_string(ics.c_str());
  if (!calendar || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT) {
    errors.push_back("not one VCALENDAR");
    if (calendar) icalcomponent_free(calendar);
    return events;
  }
  CollectErrors(calendar, errors);
  for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
       c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
    CollectErrors(c, errors);
    if (icalcomponent_isa(c) != ICAL_VEVENT_COMPONENT) {
      errors.push_back(std::string("unexpected component ") + icalcomponent_kind_to_string(icalcomponent_isa(c)));
      continue;
    }
    ParsedEvent event;
    event.uid = Text(icalcomponent_get_first_property(c, ICAL_UID_PROPERTY));
    const icaltimetype start = icalcomponent_get_dtstart(c);
    event.start = StartText(start);
    event.floating = !start.zone && !icaltime_is_utc(start);
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_SUMMARY_PROPERTY)) event.summary = icalproperty_get_summary(p);
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_DESCRIPTION_PROPERTY))
      event.description = icalproperty_get_description(p);
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY))
      event.categories = icalproperty_get_categories(p);
    event.rrule = Text(icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY));
    events.push_back(event);
  }
  icalcomponent_free(calendar);
  return events;
}

std::vector<std::string> KhalDays(const e2e::TempDir& dir, const std::string& ics) {
  const std::string config = dir.file("khal.conf");
  if (!e2e::Exists(config)) {
    e2e::Run("/bin/mkdir", {"-p", dir.file("calendar")}, {});
    e2e::WriteBytes(config, "[calendars]\n[[kalmeno]]\npath = " + dir.file("calendar") +
                                "\ntype = calendar\n[locale]\ntimeformat = %H:%M\ndateformat = %Y-%m-%d\n"
                                "longdateformat = %Y-%m-%d\ndatetimeformat = %Y-%m-%d %H:%M\n"
                                "longdatetimeformat = %Y-%m-%d %H:%M\nlocal_timezone = UTC\n"
                                "default_timezone = UTC\n[sqlite]\npath = " + dir.file("khal.db") + "\n");
  }
  e2e::WriteBytes(dir.file("import.ics"), ics);
  const std::map<std::string, std::string> env = {{"HOME", dir.path()}, {"XDG_CONFIG_HOME", dir.path()},
                                                  {"XDG_DATA_HOME", dir.path()}, {"LANG", "C.UTF-8"}};
  const e2e::RunResult import =
      e2e::Run("/usr/bin/khal", {"-c", config, "import", "--batch", dir.file("import.ics")}, env, 120000);
  EXPECT_EQ(import.exitCode, 0) << import.output;
  const e2e::RunResult list = e2e::Run("/usr/bin/khal",
                                       {"-c", config, "list", "--day-format", "", "--format",
                                        "{start-date} {title}", "2000-01-01", "2045-12-31"},
                                       env, 120000);
  EXPECT_EQ(list.exitCode, 0) << list.output;
  std::vector<std::string> days;
  std::istringstream lines(list.output);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) days.push_back(line);
  return days;
}

}  // namespace ics_test
