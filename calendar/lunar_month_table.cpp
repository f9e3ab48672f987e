// The lunar month table, checked when it is compiled, and the start of every lunar year
// precomputed from it so that a conversion never sums the table at run time.
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_codes.h"

// The rows are the Korean national standard: the Korea Astronomy and Space Science Institute's
// lunar tables, as the npm package korean-lunar-calendar 0.4.0 publishes them (lunar 1000..2050);
// calendar/tools/lunar_month_table.txt says how they were taken and checked.
// External linkage comes from the declaration in lunar_calendar.h; constexpr lets the checks
// below read the data.
constexpr unsigned char LunarMonthTable[203][12] = {
#include "calendar/lunar_month_table_rows.inc"
};

namespace lunar {
namespace {

static_assert(sizeof(LunarMonthTable) / sizeof(LunarMonthTable[0]) == kYearCount,
              "one row per lunar year 1841..2043");

constexpr int YearLength(int row) {
  int days = 0;
  for (unsigned char code : LunarMonthTable[row]) days += CodeLength(code);
  return days;
}

constexpr bool EveryRowIsWellFormed() {
  for (int row = 0; row < kYearCount; ++row) {
    int leapCodes = 0;
    for (unsigned char code : LunarMonthTable[row]) {
      if (code < 1 || code > 6) return false;
      leapCodes += HasLeapMonth(code);
    }
    if (leapCodes > 1) return false;
    if (YearLength(row) < 353 || YearLength(row) > 385) return false;
  }
  return true;
}
static_assert(EveryRowIsWellFormed(),
              "every code is 1..6, a row has at most one leap month, a year has 353..385 days");

constexpr std::array<int, kYearCount + 1> ComputeYearStarts() {
  std::array<int, kYearCount + 1> starts{};
  for (int row = 0; row < kYearCount; ++row) starts[row + 1] = starts[row] + YearLength(row);
  return starts;
}

}  // namespace

constexpr std::array<int, kYearCount + 1> kYearStart = ComputeYearStarts();

// The table ends on solar 2044-01-29 (DayNumber 746219): this pins its total length.
static_assert(LUNAR_EPOCH_DAY + kYearStart[kYearCount] == 746219, "the table's last day is solar 2044-01-29");

}  // namespace lunar
