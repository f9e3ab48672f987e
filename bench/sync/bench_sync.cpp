// kalmeno-sync as a user's timer runs it (the real program, a new process each time) on 1,000
// entries (a quarter of them yearly lunar, listing eleven years' dates): into an empty folder, and again with nothing
// changed (which must touch no file).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/mixed_entries.h"
#include "bench/scratch_folder.h"

extern char** environ;

namespace {

void WriteDataFile(const std::string& path, int count) {
  std::ofstream file(path, std::ios::binary);
  for (const ScheduleEntry& entry : MixedEntries(count)) {
    unsigned char bytes[SCHEDULE_RECORD_SIZE];
    ScheduleEntryToBytes(entry, bytes);
    file.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  }
}

// Runs the program once; adds the CPU time it used (user and system), the figure that a busy
// machine does not inflate, to `cpuSeconds`.
void RunSync(benchmark::State& state, const std::string& folder, const std::string& data, double& cpuSeconds) {
  const char* argv[] = {KALMENO_SYNC_PROGRAM, "--from", "2026", "--to", "2036", folder.c_str(), data.c_str(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int status = -1;
  struct rusage usage {};
  if (posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ) != 0 ||
      wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    state.SkipWithError("kalmeno-sync failed");
  cpuSeconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  posix_spawn_file_actions_destroy(&actions);
}

void BM_SyncThousandEntriesIntoAnEmptyFolder(benchmark::State& state) {
  ScratchFolder scratch("bench-sync");
  const std::string data = scratch.path() + "/qmrv.dat", folder = scratch.path() + "/vdir";
  WriteDataFile(data, 1000);
  double cpuSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    for (const auto& item : std::filesystem::directory_iterator(scratch.path()))
      if (item.path().filename().string().starts_with("qmrv.dat.sync-")) std::filesystem::remove(item.path());
    state.ResumeTiming();
    RunSync(state, folder, data, cpuSeconds);
  }
  state.counters["program_cpu_ms"] = benchmark::Counter(cpuSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SyncThousandEntriesIntoAnEmptyFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SyncThousandEntriesNothingChanged(benchmark::State& state) {
  ScratchFolder scratch("bench-sync");
  const std::string data = scratch.path() + "/qmrv.dat", folder = scratch.path() + "/vdir";
  WriteDataFile(data, 1000);
  std::filesystem::create_directory(folder);
  double cpuSeconds = 0;
  RunSync(state, folder, data, cpuSeconds);
  cpuSeconds = 0;
  // A file written whole is renamed into its folder, which changes the folder's time.
  const auto objects = std::filesystem::last_write_time(folder), beside = std::filesystem::last_write_time(scratch.path());
  for (auto _ : state) RunSync(state, folder, data, cpuSeconds);
  state.counters["program_cpu_ms"] = benchmark::Counter(cpuSeconds * 1000, benchmark::Counter::kAvgIterations);
  if (std::filesystem::last_write_time(folder) != objects || std::filesystem::last_write_time(scratch.path()) != beside)
    state.SkipWithError("a run with nothing changed wrote a file");
}
BENCHMARK(BM_SyncThousandEntriesNothingChanged)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
