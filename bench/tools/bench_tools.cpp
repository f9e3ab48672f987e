// The iCalendar export of a large data file (yearly lunar entries expanded year by year, built
// and serialised by libical), and the converter's --next search over the rest of the table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/mixed_entries.h"
#include "tools/ics/ics_calendar.h"
#include "tools/lunar/lunar_next.h"

namespace {

// A data file of 1000 entries exported for eleven years (2750 events).
void BM_ExportThousandEntriesElevenYears(benchmark::State& state) {
  const std::vector<ScheduleEntry> entries = MixedEntries(1000);
  for (auto _ : state) {
    std::size_t bytes = 0;
    ics_tool::IcsCounts counts;
    ics_tool::WriteIcsCalendar(entries, 2026, 2036, false, 0,
                               [&bytes](std::string_view piece) { return (bytes += piece.size()) > 0; }, counts);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ExportThousandEntriesElevenYears)->Unit(benchmark::kMillisecond);

// --next 08-30 --count 999 from 1841: every anniversary the table has.
void BM_NextAnniversariesWholeTable(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    benchmark::DoNotOptimize(lunar_tool::AppendNextAnniversaries(8, 30, false, {1841, 1, 1}, 999, true, out));
  }
}
BENCHMARK(BM_NextAnniversariesWholeTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
