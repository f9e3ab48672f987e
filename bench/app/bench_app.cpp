// Benchmarks of the program Kalmeno: a full paint of the month view with 1,000 and 10,000 entries
// in the store (the dialog made in this process, as the program makes it), a change of month with
// 1,000,000 entries, and the time from starting the real program to its first paint.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/kalmeno_dlg.h"
#include "bench/scratch_folder.h"

extern char** environ;

namespace {

// Entries spread over every month of both calendars, a tenth of them on the displayed month, so
// that no month counter lets a day skip its scans.
ScheduleEntry BenchEntry(int n) {
  ScheduleEntry e{};
  const bool lunar = n % 3 == 0;
  e.wYear = static_cast<WORD>(n % 10 == 0 ? 2007 : 1990 + n % 30);
  e.wMonth = static_cast<WORD>(n % 10 == 0 ? 12 : 1 + n % 12);
  e.wDay = static_cast<WORD>(1 + n % 28);
  e.wHour = static_cast<WORD>(n % 24);
  e.wMinute = static_cast<WORD>(n % 60);
  e.wFlags = static_cast<WORD>((lunar ? SCHEDULE_LUNAR : 0) | (n % 4 == 0 ? SCHEDULE_YEARLY : 0) |
                               (n % 7 == 0 ? SCHEDULE_HOLIDAY : 0));
  const char16_t title[] = u"벤치마크일정";
  for (int i = 0; i < 6; ++i) e.szTitle[i] = title[i];
  return e;
}

// The month view with a store of `entries` entries and lunar dates shown that, once shown, runs
// one step per benchmark iteration (timed by hand) and records the mean against `goalSeconds`.
class BenchDlg : public CKalmenoDlg {
 public:
  BenchDlg(benchmark::State& state, int entries, double goalSeconds)
      : m_state(state), m_entries(entries), m_goalSeconds(goalSeconds) {}

 protected:
  virtual void Prepare() = 0;
  virtual void Step() = 0;

  BOOL OnInitDialog() override {
    CKalmenoDlg::OnInitDialog();
    for (int n = 0; n < m_entries; ++n) m_store.Add(BenchEntry(n));
    m_bLunarView = 1;
    // The holiday layer off, whatever the registry of the user running the benchmark says.
    m_bHolidayView = 0;
    Prepare();
    PostMessage(kRunMessage);
    return TRUE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kRunMessage) return CKalmenoDlg::WindowProc(message, wParam, lParam);
    UpdateWindow();
    double total = 0;
    for (auto _ : m_state) {
      const auto start = std::chrono::steady_clock::now();
      Step();
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      m_state.SetIterationTime(seconds);
      total += seconds;
    }
    // Below 1 the goal is met.
    if (m_goalSeconds > 0 && m_state.iterations())
      m_state.counters["ratio_to_goal"] = total / m_state.iterations() / m_goalSeconds;
    EndDialog(0);
    return 0;
  }

 private:
  static constexpr UINT kRunMessage = WM_APP + 1;
  benchmark::State& m_state;
  int m_entries;
  double m_goalSeconds;
};

// A day selected; the whole view painted again once per iteration.
class PaintBenchDlg : public BenchDlg {
 public:
  PaintBenchDlg(benchmark::State& state, int entries, int holidays = -1)
      : BenchDlg(state, entries, 0), m_holidays(holidays) {}

 protected:
  // With `holidays`, October 2025 (eight holidays and two solar terms) with the layer on (1) or off (0).
  void Prepare() override {
    m_bHolidayView = m_holidays > 0;
    if (m_holidays >= 0) {
      m_nYear = 2025;
      m_nMonth = 10;
    }
    BuildMonthModel();
    m_nSelCell = 12;
  }
  void Step() override {
    Invalidate(FALSE);
    UpdateWindow();
  }

 private:
  int m_holidays;
};

void BM_FullMonthPaint(benchmark::State& state) {
  PaintBenchDlg dlg(state, static_cast<int>(state.range(0)));
  dlg.DoModal();
}
BENCHMARK(BM_FullMonthPaint)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The next month shown and painted in full once per iteration, as a tap on the right arrow does
// (goal: 10 ms). Each month is one the view has not shown before (from January 1900 on), so no
// answer is kept from an earlier paint but those of the days two grids share.
class MonthChangeBenchDlg : public BenchDlg {
 public:
  MonthChangeBenchDlg(benchmark::State& state, int entries) : BenchDlg(state, entries, 0.010) {}

 protected:
  void Prepare() override {
    m_nYear = 1900;
    m_nMonth = 1;
    BuildMonthModel();
  }
  void Step() override {
    UpdateTitle(+1);
    BuildMonthModel();
    Invalidate(TRUE);
    UpdateWindow();
  }
};

void BM_MonthChange(benchmark::State& state) {
  MonthChangeBenchDlg dlg(state, static_cast<int>(state.range(0)));
  dlg.DoModal();
}
BENCHMARK(BM_MonthChange)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// What the holiday layer costs a full paint: the same month with the layer off and on.
void BM_MonthPaintHolidayLayer(benchmark::State& state) {
  PaintBenchDlg dlg(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  dlg.DoModal();
}
BENCHMARK(BM_MonthPaintHolidayLayer)
    ->ArgNames({"entries", "layer"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond);

// Starts the real program in a folder of its own and waits for the first `paint` trace line.
void BM_StartToFirstPaint(benchmark::State& state) {
  ScratchFolder scratch("kalmeno-bench-app");
  const std::filesystem::path dir = scratch.path();
  const std::string program = (dir / "kalmeno").string();
  std::filesystem::copy_file(KALMENO_PROGRAM, program, std::filesystem::copy_options::overwrite_existing);
  const std::string script = (dir / "script.txt").string();
  const std::string trace = (dir / "trace.txt").string();
  std::ofstream(script) << "wait 200\nquit\n";

  std::vector<std::string> envStrings = {"QT_QPA_PLATFORM=offscreen", "KALMENO_NOW=2007-12-08T10:00:00",
                                         "KALMENO_SCRIPT=" + script, "KALMENO_TRACE=" + trace};
  for (const char* keep : {"PATH", "HOME", "XDG_RUNTIME_DIR", "LANG"})
    if (const char* v = std::getenv(keep)) envStrings.push_back(std::string(keep) + "=" + v);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string arg0 = program;
  char* argv[] = {arg0.data(), nullptr};

  for (auto _ : state) {
    std::filesystem::remove(trace);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("cannot start the program");
      break;
    }
    posix_spawn_file_actions_destroy(&actions);
    bool painted = false;
    while (!painted && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
      std::ifstream in(trace);
      std::stringstream text;
      text << in.rdbuf();
      painted = text.str().find("\tpaint\t") != std::string::npos;
      if (!painted) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    const auto painting = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(pid, &status, 0);
    if (!painted) {
      state.SkipWithError("no paint traced");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(painting - start).count());
  }
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The program's own application object, here running the benchmarks from inside the framework.
class BenchApp : public CWinApp {
 public:
  BenchApp() : CWinApp(u"Kalmeno") {}
  BOOL InitInstance() override {
    benchmark::RunSpecifiedBenchmarks();
    return FALSE;
  }
};
BenchApp theBenchApp;

}  // namespace

int main(int argc, char** argv) {
  setenv("KALMENO_NOW", "2007-12-08T10:00:00", 0);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  return AfxWinMain(argc, argv);
}
