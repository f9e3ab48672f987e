// The Today item's regular costs: the refresh query the shell sends every two seconds (it asks
// whether the data file changed, and now and then reads it whole and compares it with the bytes the
// item's data was built from), a minute of them at a million entries, and a paint of the item.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "bench/scratch_folder.h"
#include "kp_platform.h"
#include "schedule/schedule_entry.h"
#include "tests/support/stand_in_today_screen.h"
#include "todaycmn.h"
#include "windows.h"

namespace {

struct Setup {
  ScratchFolder folder{"kalmeno-bench-today"};
  HINSTANCE library = nullptr;
  HWND parent = nullptr;
  HWND item = nullptr;
  TODAYLISTITEM record = {};
};

// 10,000 entries: a mix of one-time and yearly, solar and lunar, spread over several years.
void WriteEntries(const std::string& path, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) {
    ScheduleEntry entry;
    std::memset(&entry, 0, sizeof(entry));
    entry.wYear = (uint16_t)(2004 + i % 6);
    entry.wMonth = (uint16_t)(1 + i % 12);
    entry.wDay = (uint16_t)(1 + i % 28);
    entry.wHour = (uint16_t)(i % 24);
    entry.wFlags = (uint16_t)((i % 3 == 0 ? 0x0001 : 0) | (i % 4 == 0 ? 0x0010 : 0));
    const char16_t title[] = u"일정";
    std::memcpy(entry.szTitle, title, sizeof(title));
    bytes.append((const char*)&entry, sizeof(entry));
  }
  std::ofstream(path, std::ios::binary) << bytes;
}

Setup& Item() {
  // Made once, in place: it holds its folder, removed at exit.
  static Setup setup;
  static const bool ready = [](Setup& s) {
    const std::string& folder = s.folder.path();
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("KALMENO_REGISTRY", (folder + "/registry.reg").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // No session bus: the reminders the benchmark makes due stay in its own screen.
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder + "/no-bus").c_str(), 1);
    KpInitialize(0, nullptr);
    // 2007-12-08 15:00, among the entries' years. The platform reads KALMENO_NOW once, when it is
    // loaded, before this runs: the clock is set directly.
    SYSTEMTIME now = {2007, 12, 6, 8, 15, 0, 0, 0};
    KpSetClock(&now);
    std::string data = folder + "/qmrv.dat";
    WriteEntries(data, 10000);
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Today\\Items\\Kalmeno", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &key, nullptr);
    std::u16string path = KpFromUtf8(data);
    RegSetValueExW(key, u"DATA", 0, REG_SZ, (const BYTE*)path.c_str(), (DWORD)((path.size() + 1) * 2));
    RegCloseKey(key);
    SetEvent(CreateEventW(nullptr, TRUE, FALSE, u"SYSTEM/ShellAPIReady"));
    static WNDCLASSW screenClass = {};
    screenClass.lpfnWndProc = StandInTodayScreenProc;
    screenClass.hInstance = GetModuleHandleW(nullptr);
    screenClass.lpszClassName = u"BenchTodayScreen";
    RegisterClassW(&screenClass);
    s.parent = CreateWindowExW(0, u"BenchTodayScreen", u"Today", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    s.library = LoadLibraryW(KpFromUtf8(KP_BUILD_DIR "/today/libKalmenoTP.so").c_str());
    auto initialize = (PFNCUSTOMINITIALIZEITEM)(void*)GetProcAddress(s.library, u"InitializeCustomItem");
    s.item = initialize(&s.record, s.parent);
    SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
    MoveWindow(s.item, 0, 24, 240, (int)s.record.cyp, TRUE);
    return true;
  }(setup);
  (void)ready;
  return setup;
}

void BM_RefreshQueryUnchangedFileOf10000Entries(benchmark::State& state) {
  Setup& s = Item();
  for (auto _ : state) {
    LRESULT reply = SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
    benchmark::DoNotOptimize(reply);
    if (reply) state.SkipWithError("the unchanged file was taken as changed");
  }
}
BENCHMARK(BM_RefreshQueryUnchangedFileOf10000Entries)->Unit(benchmark::kMillisecond);

// The options dialog as the user leaves it: the reminder's value and unit (1 minutes .. 3 days).
PFNCUSTOMOPTIONSDLGPROC g_pfnOptions = nullptr;
INT_PTR OptionsAdapter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_pfnOptions(dialog, message, (UINT)wParam, (LONG)lParam) ? TRUE : FALSE;
}
void ChooseReminder(Setup& s, int value, int unit) {
  g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(s.library, u"CustomItemOptionsDlgProc");
  HWND dialog = CreateDialogParamW(s.library, MAKEINTRESOURCEW(500), s.parent, OptionsAdapter, 0);
  SetDlgItemInt(dialog, 1007, (UINT)value, TRUE);
  SendDlgItemMessageW(dialog, 1008, CB_SETCURSEL, (WPARAM)unit, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (IsWindow(dialog)) DestroyWindow(dialog);
}

// The same query with reminders on, one day before or 400 days before (every coming occurrence
// of this year and next year's list inside the interval). The due ones are announced, as bubbles
// of the screen, at the first query, before the measured ones; after that the query checks them
// again only when the minute changes: the second case moves the clock on by a minute (within the
// same hour and day, so that nothing more falls due) before every query.
void BM_RefreshQueryWithRemindersOf10000Entries(benchmark::State& state) {
  Setup& s = Item();
  bool minuteChanges = state.range(1) != 0;
  ChooseReminder(s, (int)state.range(0), 3);
  SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
  int minute = 0;
  for (auto _ : state) {
    if (minuteChanges) {
      SYSTEMTIME time = {2007, 12, 6, 8, 15, (WORD)(minute++ % 60), 0, 0};
      KpSetClock(&time);
    }
    LRESULT reply = SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
    benchmark::DoNotOptimize(reply);
  }
  ChooseReminder(s, 0, 0);
}
BENCHMARK(BM_RefreshQueryWithRemindersOf10000Entries)
    ->ArgNames({"days", "minute_changes"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({400, 0})
    ->Args({400, 1})
    ->Unit(benchmark::kMillisecond);

void BM_PaintItem(benchmark::State& state) {
  Setup& s = Item();
  for (auto _ : state) {
    InvalidateRect(s.item, nullptr, TRUE);
    UpdateWindow(s.item);
  }
}
BENCHMARK(BM_PaintItem)->Unit(benchmark::kMicrosecond);

// A minute of the Today screen left alone with a data file of a million entries (98 MB): a refresh
// query every two seconds, on the stepped clock, the file unchanged. The item reads it whole once a
// minute and otherwise only asks whether it changed. core_share is the CPU time of the minute over
// the minute: the share of one core the idle screen takes.
void BM_IdleMinuteOfMillionEntries(benchmark::State& state) {
  Setup& s = Item();
  const std::string data = s.folder.path() + "/million.dat";
  WriteEntries(data, 1000000);
  auto setData = [](const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Today\\Items\\Kalmeno", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &key, nullptr);
    std::u16string value = KpFromUtf8(path);
    RegSetValueExW(key, u"DATA", 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)((value.size() + 1) * 2));
    RegCloseKey(key);
  };
  setData(data);
  KpUseSteppedClock();
  SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
  double cpuSeconds = 0;
  for (auto _ : state) {
    timespec start, end;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    for (int refresh = 0; refresh < 30; ++refresh) {
      KpAdvanceClock(2000);
      LRESULT reply = SendMessageW(s.item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&s.record, 0);
      if (reply) state.SkipWithError("the unchanged file was taken as changed");
    }
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    cpuSeconds += (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
  }
  state.counters["core_share"] = benchmark::Counter(cpuSeconds / 60, benchmark::Counter::kAvgIterations);
  setData(s.folder.path() + "/qmrv.dat");
  std::remove(data.c_str());
}
BENCHMARK(BM_IdleMinuteOfMillionEntries)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
