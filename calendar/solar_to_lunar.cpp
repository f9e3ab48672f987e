// Solar (Gregorian) date to Korean lunar date: find the lunar year by the precomputed year
// starts, then walk at most 12 codes of its row.
#include <cstring>

#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_codes.h"
#include "calendar/lunar_names.h"

namespace {

// Copies a two-character name (stem + branch) and its terminator into a 5-byte field.
void PutPair(char* field, const char* first, const char* second) {
  std::memcpy(field, first, 2);
  std::memcpy(field + 2, second, 2);
  field[4] = '\0';
}

}  // namespace

int SolarToLunar(int year, int month, int day, LunarDate* out) {
  if (year < lunar::kFirstYear || year > lunar::kLastYear || !IsSolarDate(year, month, day)) return 0;
  const long n = DayNumber(year, month, day);
  // Position in the table, 1 = lunar 1841-01-01. Solar 1841-01-01..22 come before it: they
  // belong to lunar 1840, which the table does not hold, so they are rejected too.
  int p = static_cast<int>(n - LUNAR_EPOCH_DAY);
  if (p < 1) return 0;

  // A lunar year is never longer than 385 days nor drifts more than a year from the solar one,
  // so this guess is at most a row or two short of the answer.
  int row = (p - 1) / 385;
  while (lunar::kYearStart[row + 1] < p) ++row;
  p -= lunar::kYearStart[row];

  LunarDate result{};
  int lunarMonth = 1;
  for (unsigned char code : LunarMonthTable[row]) {
    const int regular = lunar::RegularMonthLength(code);
    if (p <= regular) break;
    p -= regular;
    const int leap = lunar::LeapMonthLength(code);
    if (p <= leap) {
      result.byLeap = 1;
      break;
    }
    p -= leap;
    ++lunarMonth;
  }

  const int lunarYear = lunar::kFirstYear + row;
  const int weekday = WeekdayOfDayNumber(n);
  const int yearStem = (lunarYear + 6) % 10, yearBranch = (lunarYear + 8) % 12;
  const int dayStem = static_cast<int>((n + 4) % 10), dayBranch = static_cast<int>((n + 2) % 12);

  result.wLunarYear = static_cast<uint16_t>(lunarYear);
  result.wDangunYear = static_cast<uint16_t>(year + 2333);
  result.byMonth = static_cast<uint8_t>(lunarMonth);
  result.byDay = static_cast<uint8_t>(p);
  result.byWeekday = static_cast<uint8_t>(weekday);
  PutPair(result.szYearGanji, lunar::kStemHangul[yearStem], lunar::kBranchHangul[yearBranch]);
  std::memcpy(result.szWeekday, lunar::kWeekdayHangul[weekday], 3);
  PutPair(result.szDayGanji, lunar::kStemHangul[dayStem], lunar::kBranchHangul[dayBranch]);
  std::memcpy(result.szZodiac, lunar::kAnimal[yearBranch], 7);
  PutPair(result.szYearGanjiHanja, lunar::kStemHanja[yearStem], lunar::kBranchHanja[yearBranch]);
  std::memcpy(result.szWeekdayHanja, lunar::kWeekdayHanja[weekday], 3);
  PutPair(result.szDayGanjiHanja, lunar::kStemHanja[dayStem], lunar::kBranchHanja[dayBranch]);
  *out = result;
  return 1;
}
