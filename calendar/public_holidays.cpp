// A year's public holidays: the regulation's days, the announced days, and the substitute days
// the rules add for holidays that fall on a weekend or on another holiday.
#include "calendar/public_holidays.h"

#include <algorithm>
#include <set>

#include "calendar/holiday_rules.h"
#include "calendar/lunar_calendar.h"
#include "calendar/solar_from_day_number.h"

namespace calendar {

using holiday_rules::RuledDay;

namespace {

// Of the holidays sharing a day, which one keeps it: one that can earn no substitute first, then
// a fixed-date one before a lunar one (so 부처님 오신 날 on 어린이날 is the one substituted, as
// the almanac of 2025 has it).
bool KeepsTheDay(const RuledDay& a, const RuledDay& b) {
  bool aNever = a.substituteWhen == holiday_rules::NEVER, bNever = b.substituteWhen == holiday_rules::NEVER;
  if (aNever != bNever) return aNever;
  return !a.lunar && b.lunar;
}

// How many substitute days a holiday's group has earned: one for each of its days on a weekend
// day its rule names, and one for each of its days it shares with a holiday that keeps the day.
int SubstitutesEarned(const std::vector<RuledDay>& days, int group) {
  int earned = 0;
  for (const RuledDay& d : days) {
    if (d.group != group || d.substituteWhen == holiday_rules::NEVER) continue;
    int weekday = WeekdayOfDayNumber(d.dayNumber);
    if ((weekday == 6 && (d.substituteWhen & holiday_rules::ON_SATURDAY)) ||
        (weekday == 0 && (d.substituteWhen & holiday_rules::ON_SUNDAY))) {
      ++earned;
      continue;
    }
    if (!(d.substituteWhen & holiday_rules::ON_ANOTHER_HOLIDAY)) continue;
    for (const RuledDay& other : days)
      if (other.group != group && other.dayNumber == d.dayNumber && other.kind == HolidayKind::Holiday &&
          KeepsTheDay(other, d)) {
        ++earned;
        break;
      }
  }
  return earned;
}

}  // namespace

std::vector<PublicHoliday> PublicHolidaysOfYear(int year) {
  std::vector<PublicHoliday> result;
  if (year < FIRST_HOLIDAY_YEAR || year > LAST_HOLIDAY_YEAR) return result;
  std::vector<RuledDay> days = holiday_rules::RegulatedDays(year);
  std::vector<RuledDay> announced = holiday_rules::AnnouncedDays(year);
  days.insert(days.end(), announced.begin(), announced.end());

  std::set<long> taken;
  for (const RuledDay& d : days) taken.insert(d.dayNumber);
  // Groups in the order of their last day, so an earlier holiday's substitute is placed first.
  std::vector<std::pair<long, int>> groups;  // last day, group
  for (const RuledDay& d : days) {
    if (d.group == 0) continue;
    auto it = std::find_if(groups.begin(), groups.end(), [&](auto& g) { return g.second == d.group; });
    if (it == groups.end()) groups.push_back({d.dayNumber, d.group});
    else it->first = std::max(it->first, d.dayNumber);
  }
  std::sort(groups.begin(), groups.end());
  std::vector<RuledDay> substitutes;
  for (auto [lastDay, group] : groups) {
    int earned = SubstitutesEarned(days, group);
    std::string name;
    for (const RuledDay& d : days)
      if (d.group == group) name = "대체공휴일(" + d.groupName + ")";
    // The first days after the holiday that are neither weekend days nor holidays.
    for (long day = lastDay + 1; earned > 0; ++day) {
      int weekday = WeekdayOfDayNumber(day);
      if (weekday == 0 || weekday == 6 || taken.count(day)) continue;
      taken.insert(day);
      substitutes.push_back({day, name, HolidayKind::Substitute, 0, "", holiday_rules::NEVER, false});
      --earned;
    }
  }
  days.insert(days.end(), substitutes.begin(), substitutes.end());

  // Date order; on one day the regulation's fixed-date holidays, then lunar ones, then the rest.
  auto rank = [](const RuledDay& d) { return d.kind != HolidayKind::Holiday ? 2 : d.lunar ? 1 : 0; };
  std::stable_sort(days.begin(), days.end(), [&](const RuledDay& a, const RuledDay& b) {
    return a.dayNumber != b.dayNumber ? a.dayNumber < b.dayNumber : rank(a) < rank(b);
  });
  for (const RuledDay& d : days) {
    PublicHoliday h{0, 0, 0, d.name, d.kind};
    lunar::SolarFromDayNumber(d.dayNumber, &h.year, &h.month, &h.day);
    if (h.year == year) result.push_back(std::move(h));
  }
  return result;
}

}  // namespace calendar
