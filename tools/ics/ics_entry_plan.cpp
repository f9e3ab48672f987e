#include "tools/ics/ics_entry_plan.h"

#include "calendar/lunar_calendar.h"
#include "calendar/solar_from_day_number.h"
#include "schedule/entry_occurrences.h"

namespace ics_tool {
namespace {

// iCalendar's dates have four-digit years.
constexpr int kLastIcsYear = 9999;

// The solar date an entry falls on in `year` of its own calendar, when it has one.
bool PlannedDay(const ScheduleEntry& entry, int year, PlannedEvent* event) {
  EntryDate date{};
  long day = 0;
  if (!EntryDateInYear(entry, year, LeapMonths::Skipped, &date) ||
      !EntrySolarDayInYear(entry, year, LeapMonths::Skipped, &day))
    return false;
  lunar::SolarFromDayNumber(day, &event->year, &event->month, &event->day);
  if (entry.wFlags & SCHEDULE_LUNAR) event->lunarDay = date.day;
  return event->year <= kLastIcsYear;
}

// A yearly solar entry's first event: in its own year or the first year after it that has its
// date (29 February: the next leap year), else the last such year before 10000. A leap year comes
// within eight years, so a date no year has is known after that.
bool PlanYearlySolar(const ScheduleEntry& entry, int startYear, EntryPlan& plan) {
  PlannedEvent event;
  for (int year = startYear; year <= kLastIcsYear && year <= startYear + 8; ++year)
    if (PlannedDay(entry, year, &event)) return plan.events.push_back(event), true;
  for (int year = kLastIcsYear; year >= kLastIcsYear - 8; --year)
    if (PlannedDay(entry, year, &event)) return plan.events.push_back(event), true;
  return false;
}

void PlanYearlyLunar(const ScheduleEntry& entry, int fromYear, int toYear, bool rscale, EntryPlan& plan) {
  // Lunar year Y's dates fall in solar year Y or Y + 1; the solar years asked for decide.
  for (int lunarYear = fromYear - 1; lunarYear <= toYear; ++lunarYear) {
    PlannedEvent event;
    if (!PlannedDay(entry, lunarYear, &event)) continue;
    if (event.year < fromYear || event.year > toYear) continue;
    event.lunarYear = lunarYear;
    plan.events.push_back(event);
    if (rscale) return;
  }
}

}  // namespace

EntryPlan PlanEntry(const ScheduleEntry& entry, int fromYear, int toYear, bool rscale) {
  EntryPlan plan;
  plan.timed = entry.wHour <= 23 && entry.wMinute <= 59 && entry.wSecond <= 59;
  const bool lunar = entry.wFlags & SCHEDULE_LUNAR, yearly = entry.wFlags & SCHEDULE_YEARLY;

  if (!yearly) {
    PlannedEvent event;
    if (PlannedDay(entry, entry.wYear, &event)) plan.events.push_back(event);
  } else if (!lunar) {
    const int year = entry.wYear >= 1 && entry.wYear <= kLastIcsYear ? entry.wYear : fromYear;
    if (PlanYearlySolar(entry, year, plan)) plan.repeat = Repeat::YearlySolar;
  } else {
    PlanYearlyLunar(entry, fromYear, toYear, rscale, plan);
    if (rscale && !plan.events.empty()) plan.repeat = Repeat::YearlyLunar;
  }
  return plan;
}

}  // namespace ics_tool
