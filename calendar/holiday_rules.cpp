// The days named by 관공서의 공휴일에 관한 규정 (the regulation on public holidays, a presidential
// decree) and, from 2021, by 공휴일에 관한 법률 (the act on public holidays), as each amendment
// left them. Each rule cites the amendment that set it; a rule applies to the holidays that fall
// on or after the day that amendment came into force.
#include "calendar/holiday_rules.h"

#include "calendar/lunar_calendar.h"

namespace calendar::holiday_rules {
namespace {

constexpr int kFar = 9999;

// A date as one comparable number, for the days amendments came into force.
constexpr long Ymd(int y, int m, int d) { return y * 10000L + m * 100L + d; }

// The substitute rule of one holiday: from `since` (an amendment's day in force) its `when` bits.
struct SubstituteRule {
  long since;
  unsigned when;
};
constexpr SubstituteRule kNone = {Ymd(kFar, 1, 1), NEVER};

// Amendment of 2013-11-05: substitutes for 설날 and 추석 (on a Sunday or on another holiday) and
// for 어린이날 (on a Saturday or another holiday, Sunday being one).
constexpr long kSubstitutes2013 = Ymd(2013, 11, 5);
// Act on public holidays (2021-07-07) and the amendment of 2021-08-04: substitutes for the
// national days 3ㆍ1절, 광복절, 개천절 and 한글날 on a Saturday, a Sunday or another holiday.
constexpr long kSubstitutes2021 = Ymd(2021, 8, 4);
// Amendment of 2023-05-04: substitutes for 부처님 오신 날 and 기독탄신일 likewise.
constexpr long kSubstitutes2023 = Ymd(2023, 5, 4);
constexpr unsigned kWeekendOrHoliday = ON_SATURDAY | ON_SUNDAY | ON_ANOTHER_HOLIDAY;
constexpr unsigned kSundayOrHoliday = ON_SUNDAY | ON_ANOTHER_HOLIDAY;

struct FixedHoliday {
  int month, day;
  const char* name;
  int firstYear, lastYear;  // the years it is a public holiday
  SubstituteRule substitute;
};

// Fixed-date holidays of 2000 onwards.
constexpr FixedHoliday kFixed[] = {
    // One day since the amendment of 1998-12-18 (1월 2일 dropped from 1999); never substituted.
    {1, 1, "1월 1일", 2000, kFar, kNone},
    {3, 1, "3ㆍ1절", 2000, kFar, {kSubstitutes2021, kWeekendOrHoliday}},
    // Dropped by the amendment of 2005-06-30, from 2006.
    {4, 5, "식목일", 2000, 2005, kNone},
    // Made a public holiday, substitutable, by the act's amendment in force for 2026.
    {5, 1, "노동절", 2026, kFar, {Ymd(2026, 1, 1), kWeekendOrHoliday}},
    {5, 5, "어린이날", 2000, kFar, {kSubstitutes2013, kWeekendOrHoliday}},
    // Never substituted.
    {6, 6, "현충일", 2000, kFar, kNone},
    // Dropped by the amendment of 2007-12-21, from 2008.
    {7, 17, "제헌절", 2000, 2007, kNone},
    // Made a public holiday again, substitutable, by the act's amendment of 2026 (promulgation
    // passed by the cabinet on 2026-02-05), from 2026.
    {7, 17, "제헌절", 2026, kFar, {Ymd(2026, 1, 1), kWeekendOrHoliday}},
    {8, 15, "광복절", 2000, kFar, {kSubstitutes2021, kWeekendOrHoliday}},
    {10, 3, "개천절", 2000, kFar, {kSubstitutes2021, kWeekendOrHoliday}},
    // A holiday again by the amendment of 2012-12-28, from 2013 (not one 1991..2012).
    {10, 9, "한글날", 2013, kFar, {kSubstitutes2021, kWeekendOrHoliday}},
    {12, 25, "기독탄신일", 2000, kFar, {kSubstitutes2023, kWeekendOrHoliday}},
};

unsigned BitsOn(const SubstituteRule& rule, int y, int m, int d) {
  return Ymd(y, m, d) >= rule.since ? rule.when : NEVER;
}

// Adds the day `offset` days from a lunar date of lunar year `lunarYear` (regular month).
void AddLunar(std::vector<RuledDay>& days, int lunarYear, int month, int day, int offset,
              std::string name, int group, std::string groupName, const SubstituteRule& rule) {
  SolarDate solar{};
  if (!LunarToSolar(lunarYear, month, day, 0, &solar)) return;
  long dn = DayNumber(solar.wYear, solar.byMonth, solar.byDay) + offset;
  unsigned bits = BitsOn(rule, solar.wYear, solar.byMonth, solar.byDay);
  days.push_back({dn, std::move(name), HolidayKind::Holiday, group, std::move(groupName), bits, true});
}

}  // namespace

std::vector<RuledDay> RegulatedDays(int year) {
  std::vector<RuledDay> days;
  int group = 0;
  for (const FixedHoliday& h : kFixed) {
    ++group;
    if (year < h.firstYear || year > h.lastYear) continue;
    days.push_back({DayNumber(year, h.month, h.day), h.name, HolidayKind::Holiday, group, h.name,
                    BitsOn(h.substitute, year, h.month, h.day), false});
  }
  // 설날: the last day of lunar 12 (the 29th or the 30th), lunar 1/1 and 1/2. Substitutes since
  // the amendment of 2013-11-05, on a Sunday or another holiday only (a Saturday does not count).
  const SubstituteRule lunarNewYear = {kSubstitutes2013, kSundayOrHoliday};
  ++group;
  AddLunar(days, year, 1, 1, -1, "설날 전날", group, "설날", lunarNewYear);
  AddLunar(days, year, 1, 1, 0, "설날", group, "설날", lunarNewYear);
  AddLunar(days, year, 1, 1, 1, "설날 다음 날", group, "설날", lunarNewYear);
  // Lunar 4/8. Named 석가탄신일 until the amendment of 2017-10-17 (presidential decree 28394).
  ++group;
  SolarDate buddha{};
  const char* buddhaName =
      LunarToSolar(year, 4, 8, 0, &buddha) && Ymd(year, buddha.byMonth, buddha.byDay) >= Ymd(2017, 10, 17)
          ? "부처님 오신 날"
          : "석가탄신일";
  AddLunar(days, year, 4, 8, 0, buddhaName, group, buddhaName, {kSubstitutes2023, kWeekendOrHoliday});
  // 추석: lunar 8/14, 8/15 and 8/16, substituted as 설날 is.
  ++group;
  AddLunar(days, year, 8, 15, -1, "추석 전날", group, "추석", lunarNewYear);
  AddLunar(days, year, 8, 15, 0, "추석", group, "추석", lunarNewYear);
  AddLunar(days, year, 8, 15, 1, "추석 다음 날", group, "추석", lunarNewYear);
  return days;
}

}  // namespace calendar::holiday_rules
