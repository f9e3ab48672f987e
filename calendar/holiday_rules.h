#pragma once
// The days the regulation on public holidays names, year by year, before substitutes are added
// (holiday_rules.cpp), and the days announced apart from it (announced_holidays.cpp). Used by
// public_holidays.cpp only.
#include <string>
#include <vector>

#include "calendar/public_holidays.h"

namespace calendar::holiday_rules {

// When a holiday earns a substitute day.
enum SubstituteWhen : unsigned {
  NEVER = 0,
  ON_SATURDAY = 1,
  ON_SUNDAY = 2,
  ON_ANOTHER_HOLIDAY = 4,
};

struct RuledDay {
  long dayNumber;
  std::string name;
  HolidayKind kind;
  int group;               // the days of one holiday (설날's three) share a group
  std::string groupName;   // the name a substitute day carries: 대체공휴일(groupName)
  unsigned substituteWhen; // SubstituteWhen bits in force on that day
  bool lunar;              // moves with the lunar calendar
};

// The regulation's days of the year, in no particular order.
std::vector<RuledDay> RegulatedDays(int year);

// Election days and temporary holidays of the year.
std::vector<RuledDay> AnnouncedDays(int year);

}  // namespace calendar::holiday_rules
