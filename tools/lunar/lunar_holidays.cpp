#include "tools/lunar/lunar_holidays.h"

#include "calendar/lunar_calendar.h"
#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"
#include "calendar/weekday_names.h"
#include "tools/lunar/lunar_lines.h"

namespace lunar_tool {
namespace {

void AppendDate(int year, int month, int day, bool tsv, std::string& out) {
  AppendNumber(year, 4, out);
  out += '-';
  AppendNumber(month, 2, out);
  out += '-';
  AppendNumber(day, 2, out);
  if (tsv) {
    out += '\t';
  } else {
    out += " (";
    out += WeekdayNameUtf8(SolarWeekday(year, month, day));
    out += ") ";
  }
}

}  // namespace

bool AppendHolidayLines(int year, bool tsv, std::string& out) {
  if (year < calendar::FIRST_HOLIDAY_YEAR || year > calendar::LAST_HOLIDAY_YEAR) return false;
  for (const calendar::PublicHoliday& h : calendar::PublicHolidaysOfYear(year)) {
    AppendDate(h.year, h.month, h.day, tsv, out);
    out += h.name;
    out += '\n';
  }
  return true;
}

bool AppendTermLines(int year, bool tsv, std::string& out) {
  const auto terms = calendar::SolarTermsOfYear(year);
  for (const calendar::SolarTerm& t : terms) {
    AppendDate(t.year, t.month, t.day, tsv, out);
    AppendNumber(t.hour, 2, out);
    out += ':';
    AppendNumber(t.minute, 2, out);
    out += tsv ? '\t' : ' ';
    out += calendar::SolarTermName(t.index);
    out += '\n';
  }
  return !terms.empty();
}

}  // namespace lunar_tool
