// What one paint of the month view asks of the store: QueryDay for each of the 42 drawn days,
// over stores of 100, 1,000 and 10,000 entries. The lunar dates of the cells are worked out
// beforehand, as the month model does when the month is shown.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/scratch_folder.h"
#include "calendar/lunar_calendar.h"
#include "kp_platform.h"
#include "schedule/schedule_store.h"

namespace {

struct Cell {
  int solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay;
};

// December 2007 as the grid shows it: six weeks from Sunday 25 November.
std::vector<Cell> DecemberGrid() {
  std::vector<Cell> cells;
  int y = 2007, m = 11, d = 25;
  for (int i = 0; i < 42; ++i) {
    LunarDate lunar{};
    SolarToLunar(y, m, d, &lunar);
    cells.push_back({y, m, d, lunar.wLunarYear, lunar.byMonth, lunar.byDay});
    if (++d > DaysInSolarMonth(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    }
  }
  return cells;
}

// Entries spread over every month and day of recent years, a third lunar, some yearly.
void Fill(ScheduleStore& store, int count) {
  std::mt19937 random(20071208);
  for (int i = 0; i < count; ++i) {
    ScheduleEntry entry{};
    entry.wYear = static_cast<WORD>(2005 + random() % 5);
    entry.wMonth = static_cast<WORD>(1 + random() % 12);
    entry.wDay = static_cast<WORD>(1 + random() % 30);
    entry.wFlags = static_cast<WORD>((random() % 3 == 0 ? SCHEDULE_LUNAR : 0) | (random() % 4 == 0 ? SCHEDULE_YEARLY : 0));
    entry.szTitle[0] = u'일';
    entry.szTitle[1] = u'정';
    store.Add(entry);
  }
}

void BM_QueryMonthGrid(benchmark::State& state) {
  ScratchFolder folder("kalmeno-bench-schedule");
  {
    ScheduleStore store(KpHandheldPath(folder.path()).c_str());
    Fill(store, static_cast<int>(state.range(0)));
    const std::vector<Cell> cells = DecemberGrid();
    std::vector<unsigned long> indices;
    for (auto _ : state) {
      int matches = 0;
      for (const Cell& c : cells) {
        DaySummary summary;
        store.QueryDay(c.solarYear, c.solarMonth, c.solarDay, c.lunarYear, c.lunarMonth, c.lunarDay, &summary,
                       &indices);
        matches += summary.nSolarCount + summary.nLunarCount;
      }
      benchmark::DoNotOptimize(matches);
    }
    state.SetLabel("42 days");
  }
}
BENCHMARK(BM_QueryMonthGrid)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
