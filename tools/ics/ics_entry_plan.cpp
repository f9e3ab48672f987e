#include "tools/ics/ics_entry_plan.h"

#include "calendar/lunar_calendar.h"

namespace ics_tool {
namespace {

bool IsSolarDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInSolarMonth(year, month);
}

// The year a yearly solar entry starts in: its own, or for 29 February the first leap year from
// it (the last one before 10000 when none is left).
int YearlyStartYear(int year, int month, int day) {
  if (month != 2 || day != 29) return year;
  int leap = year;
  while (leap <= 9999 && !IsGregorianLeapYear(leap)) ++leap;
  if (leap > 9999)
    for (leap = 9999; !IsGregorianLeapYear(leap);) --leap;
  return leap;
}

void PlanYearlyLunar(int month, int day, int fromYear, int toYear, bool rscale, EntryPlan& plan) {
  // Lunar year Y's dates fall in solar year Y or Y + 1; the solar years asked for decide.
  for (int lunarYear = fromYear - 1; lunarYear <= toYear; ++lunarYear) {
    SolarDate solar{};
    if (!LunarAnniversaryToSolar(lunarYear, month, day, &solar)) continue;
    if (solar.wYear < fromYear || solar.wYear > toYear) continue;
    plan.events.push_back({solar.wYear, solar.byMonth, solar.byDay, lunarYear, LunarAnniversaryDay(lunarYear, month, day)});
    if (rscale) return;
  }
}

}  // namespace

EntryPlan PlanEntry(const ScheduleEntry& entry, int fromYear, int toYear, bool rscale) {
  EntryPlan plan;
  plan.timed = entry.wHour <= 23 && entry.wMinute <= 59 && entry.wSecond <= 59;
  const int year = entry.wYear, month = entry.wMonth, day = entry.wDay;
  const bool lunar = entry.wFlags & SCHEDULE_LUNAR, yearly = entry.wFlags & SCHEDULE_YEARLY;

  if (!lunar && !yearly) {
    if (IsSolarDate(year, month, day)) plan.events.push_back({year, month, day});
  } else if (!lunar) {
    // 2000 is a leap year: any day some year has.
    if (month < 1 || month > 12 || day < 1 || day > DaysInSolarMonth(2000, month)) return plan;
    plan.repeat = Repeat::YearlySolar;
    plan.events.push_back({YearlyStartYear(year >= 1 && year <= 9999 ? year : fromYear, month, day), month, day});
  } else if (!yearly) {
    SolarDate solar{};
    if (LunarToSolar(year, month, day, 0, &solar)) plan.events.push_back({solar.wYear, solar.byMonth, solar.byDay, 0, day});
  } else if (month >= 1 && month <= 12 && day >= 1 && day <= 30) {
    plan.repeat = rscale ? Repeat::YearlyLunar : Repeat::None;
    PlanYearlyLunar(month, day, fromYear, toYear, rscale, plan);
  }
  return plan;
}

}  // namespace ics_tool
