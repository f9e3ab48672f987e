// The iCalendar export of a large data file (yearly lunar entries expanded year by year, built
// and serialised by libical), and the converter's --next search over the rest of the table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "tools/ics/ics_calendar.h"
#include "tools/lunar/lunar_next.h"

namespace {

// `count` entries of every kind in turn: one-time solar, yearly solar, one-time lunar, yearly lunar.
std::vector<ScheduleEntry> Entries(int count) {
  std::vector<ScheduleEntry> entries;
  for (int i = 0; i < count; ++i) {
    ScheduleEntry entry{};
    entry.wYear = WORD(2000 + i % 40);
    entry.wMonth = WORD(1 + i % 12);
    entry.wDay = WORD(1 + i % 28);
    entry.wHour = WORD(i % 24);
    entry.wFlags = WORD((i % 2 ? 0x0010 : 0) | (i % 4 >= 2 ? 0x0001 : 0));
    const std::u16string title = u"일정" + std::u16string(1, char16_t(u'가' + i % 100));
    title.copy(entry.szTitle, 10);
    entries.push_back(entry);
  }
  return entries;
}

// A data file of 1000 entries exported for eleven years (2750 events).
void BM_ExportThousandEntriesElevenYears(benchmark::State& state) {
  const std::vector<ScheduleEntry> entries = Entries(1000);
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
