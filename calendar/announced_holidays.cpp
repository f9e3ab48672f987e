// Election days and temporary holidays.
//
// Sources: 2018..2027 the official almanac (월력요항) as the npm package @hyunbinseo/holidays-kr
// 5.2027.1 carries it (tests/calendar/holidays_2018_2027.tsv, made by
// calendar/tools/make_holiday_reference.mjs); 2000..2017 the government's announcements in the
// official gazette (관보). Names as the almanac writes them.
//
// Elections at the end of a term are public holidays by the regulation; after the table their
// days follow 공직선거법 (the public official election act) article 34.
#include "calendar/holiday_rules.h"
#include "calendar/lunar_calendar.h"

namespace calendar::holiday_rules {
namespace {

struct Announced {
  int year, month, day;
  const char* name;
  HolidayKind kind;
};

constexpr HolidayKind E = HolidayKind::Election, T = HolidayKind::Temporary;

constexpr Announced kAnnounced[] = {
    {2000, 4, 13, "제16대 국회의원선거", E},
    {2002, 6, 13, "전국동시지방선거", E},
    {2002, 7, 1, "임시공휴일", T},  // the World Cup semi-final
    {2002, 12, 19, "대통령선거", E},
    {2004, 4, 15, "제17대 국회의원선거", E},
    {2006, 5, 31, "전국동시지방선거", E},
    {2007, 12, 19, "대통령선거", E},
    {2008, 4, 9, "제18대 국회의원선거", E},
    {2010, 6, 2, "전국동시지방선거", E},
    {2012, 4, 11, "제19대 국회의원선거", E},
    {2012, 12, 19, "대통령선거", E},
    {2014, 6, 4, "전국동시지방선거", E},
    {2015, 8, 14, "임시공휴일", T},
    {2016, 4, 13, "제20대 국회의원선거", E},
    {2016, 5, 6, "임시공휴일", T},
    {2017, 5, 9, "임시공휴일(대통령선거)", T},  // an early election, not at a term's end
    {2017, 10, 2, "임시공휴일", T},
    {2018, 6, 13, "전국동시지방선거", E},
    {2020, 4, 15, "제21대 국회의원선거", E},
    {2020, 8, 17, "임시공휴일", T},
    {2022, 3, 9, "대통령선거", E},
    {2022, 6, 1, "전국동시지방선거", E},
    {2023, 10, 2, "임시공휴일", T},
    {2024, 4, 10, "제22대국회의원선거", E},  // the almanac's spelling
    {2024, 10, 1, "임시공휴일", T},
    {2025, 1, 27, "임시공휴일", T},
    {2025, 6, 3, "임시공휴일(대통령선거)", T},  // an early election
    {2026, 6, 3, "전국동시지방선거", E},
};

// Article 34: the election falls on the first Wednesday from `daysBefore` days before the
// term ends; when that day, the day before or the day after is a public holiday, a week later.
long ElectionDay(int year, int endMonth, int endDay, int daysBefore) {
  long day = DayNumber(year, endMonth, endDay) - daysBefore;
  while (WeekdayOfDayNumber(day) != 3) ++day;
  std::vector<RuledDay> regulated = RegulatedDays(year);
  auto isHoliday = [&](long d) {
    if (WeekdayOfDayNumber(d) == 0) return true;
    for (const RuledDay& r : regulated)
      if (r.dayNumber == d) return true;
    return false;
  };
  if (isHoliday(day - 1) || isHoliday(day) || isHoliday(day + 1)) day += 7;
  return day;
}

void AddElection(std::vector<RuledDay>& days, long dayNumber, std::string name) {
  days.push_back({dayNumber, std::move(name), HolidayKind::Election, 0, "", NEVER, false});
}

}  // namespace

std::vector<RuledDay> AnnouncedDays(int year) {
  std::vector<RuledDay> days;
  for (const Announced& a : kAnnounced)
    if (a.year == year)
      days.push_back({DayNumber(a.year, a.month, a.day), a.name, a.kind, 0, "", NEVER, false});
  if (year <= LAST_ANNOUNCED_HOLIDAY_YEAR) return days;
  // The National Assembly's term ends on May 29 every four years (the 22nd's in 2028).
  if (year % 4 == 0)
    AddElection(days, ElectionDay(year, 5, 29, 50), "제" + std::to_string(23 + (year - 2028) / 4) + "대 국회의원선거");
  // Local councils and heads end their terms on June 30 every four years (2026, 2030, …).
  if (year % 4 == 2) AddElection(days, ElectionDay(year, 6, 30, 30), "전국동시지방선거");
  // The president elected on 2025-06-03 serves five years from the next day; terms end June 3.
  if (year % 5 == 0) AddElection(days, ElectionDay(year, 6, 3, 70), "대통령선거");
  return days;
}

}  // namespace calendar::holiday_rules
