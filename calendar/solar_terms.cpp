// The solar-term table and the questions asked of it.
#include "calendar/solar_terms.h"

namespace calendar {
namespace {

struct TermMoment {
  short year;
  signed char month, day, hour, minute;
};

constexpr TermMoment kTerms[] = {
#include "calendar/solar_terms_table.inc"
};
constexpr int kYears = LAST_SOLAR_TERM_YEAR - FIRST_SOLAR_TERM_YEAR + 1;
static_assert(sizeof(kTerms) / sizeof(kTerms[0]) == kYears * 24, "24 terms a year, 1841..2043");

constexpr bool EveryYearIsInOrder() {
  for (int i = 0; i < kYears * 24; ++i) {
    const TermMoment& t = kTerms[i];
    if (t.year != FIRST_SOLAR_TERM_YEAR + i / 24) return false;
    if (i % 24 > 0) {
      const TermMoment& p = kTerms[i - 1];
      if (t.month * 32 + t.day <= p.month * 32 + p.day) return false;  // one term a day at most
    }
  }
  return true;
}
static_assert(EveryYearIsInOrder(), "each year's terms fall in that year, in order, on distinct days");

const char* const kNames[24] = {"소한", "대한", "입춘", "우수", "경칩", "춘분", "청명", "곡우",
                                "입하", "소만", "망종", "하지", "소서", "대서", "입추", "처서",
                                "백로", "추분", "한로", "상강", "입동", "소설", "대설", "동지"};

}  // namespace

const char* SolarTermName(int index) { return index >= 0 && index < 24 ? kNames[index] : ""; }

std::vector<SolarTerm> SolarTermsOfYear(int year) {
  std::vector<SolarTerm> terms;
  if (year < FIRST_SOLAR_TERM_YEAR || year > LAST_SOLAR_TERM_YEAR) return terms;
  const TermMoment* row = &kTerms[(year - FIRST_SOLAR_TERM_YEAR) * 24];
  for (int i = 0; i < 24; ++i)
    terms.push_back({row[i].year, row[i].month, row[i].day, row[i].hour, row[i].minute, i});
  return terms;
}

int SolarTermOn(int year, int month, int day) {
  if (year < FIRST_SOLAR_TERM_YEAR || year > LAST_SOLAR_TERM_YEAR) return -1;
  // Two terms a month at most: the one of about the 5th and the one of about the 20th.
  const TermMoment* row = &kTerms[(year - FIRST_SOLAR_TERM_YEAR) * 24];
  for (int i = 0; i < 24; ++i)
    if (row[i].month == month && row[i].day == day) return i;
  return -1;
}

}  // namespace calendar
