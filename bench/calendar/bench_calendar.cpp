// Per-call cost of the two conversions over random dates of the whole table, next to ICU's
// Korean calendar converting the same solar dates; and the converter's full-range TSV output.
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "calendar/lunar_calendar.h"
#include "tools/lunar/lunar_lines.h"

namespace {

struct Ymd {
  int year, month, day, leap;
};

// 4096 random solar days of 1841-01-23..2043-12-31 with a fixed seed, so runs compare.
const std::vector<Ymd>& SolarDates() {
  static const std::vector<Ymd> dates = [] {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> pick(DayNumber(1841, 1, 23), DayNumber(2043, 12, 31));
    std::vector<Ymd> result;
    while (result.size() < 4096) {
      const long n = pick(random);
      // Find the date of day n by a year and month walk (set-up only, not measured).
      int year = 1841;
      while (DayNumber(year + 1, 1, 1) <= n) ++year;
      int month = 1;
      while (month < 12 && DayNumber(year, month + 1, 1) <= n) ++month;
      result.push_back({year, month, static_cast<int>(n - DayNumber(year, month, 1) + 1), 0});
    }
    return result;
  }();
  return dates;
}

// The lunar dates of those same days, leap flags included.
const std::vector<Ymd>& LunarDates() {
  static const std::vector<Ymd> dates = [] {
    std::vector<Ymd> result;
    for (const Ymd& d : SolarDates()) {
      LunarDate lunar{};
      SolarToLunar(d.year, d.month, d.day, &lunar);
      result.push_back({lunar.wLunarYear, lunar.byMonth, lunar.byDay, lunar.byLeap});
    }
    return result;
  }();
  return dates;
}

void BM_SolarToLunar(benchmark::State& state) {
  const auto& dates = SolarDates();
  size_t i = 0;
  LunarDate out{};
  for (auto _ : state) {
    const Ymd& d = dates[i++ & 4095];
    benchmark::DoNotOptimize(SolarToLunar(d.year, d.month, d.day, &out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SolarToLunar);

void BM_LunarToSolar(benchmark::State& state) {
  const auto& dates = LunarDates();
  size_t i = 0;
  SolarDate out{};
  for (auto _ : state) {
    const Ymd& d = dates[i++ & 4095];
    benchmark::DoNotOptimize(LunarToSolar(d.year, d.month, d.day, d.leap, &out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LunarToSolar);

// ICU's dangi calendar on the same solar dates: set the instant, read lunar year, month, day
// and leap flag, the same information SolarToLunar gives.
void BM_IcuDangiFromSolar(benchmark::State& state) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(
      icu::TimeZone::getGMT()->clone(), icu::Locale("ko_KR@calendar=dangi"), status));
  if (U_FAILURE(status)) {
    state.SkipWithError("ICU dangi calendar unavailable");
    return;
  }
  std::vector<UDate> instants;
  for (const Ymd& d : SolarDates())
    instants.push_back((double(DayNumber(d.year, d.month, d.day)) - 719163.0) * 86400000.0 + 43200000.0);
  size_t i = 0;
  for (auto _ : state) {
    calendar->setTime(instants[i++ & 4095], status);
    benchmark::DoNotOptimize(calendar->get(UCAL_EXTENDED_YEAR, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_MONTH, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_DATE, status));
    benchmark::DoNotOptimize(calendar->get(UCAL_IS_LEAP_MONTH, status));
  }
}
BENCHMARK(BM_IcuDangiFromSolar);

// What `kalmeno-lunar --tsv 1841-01-01 2044-01-01` does apart from starting: 74,145 lines
// into a null device. It must stay under 50 ms.
void BM_FullRangeTsvOutput(benchmark::State& state) {
  std::FILE* null = std::fopen("/dev/null", "w");
  for (auto _ : state)
    benchmark::DoNotOptimize(lunar_tool::WriteSolarRange({1841, 1, 1}, {2044, 1, 1}, true, null));
  std::fclose(null);
}
BENCHMARK(BM_FullRangeTsvOutput)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
