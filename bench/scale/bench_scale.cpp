// Kalmeno at scale: with 0, 1,000 and 1,000,000 entries (98 MB), each figure against its
// yardstick in the same iteration, reported as a ratio:
//   start_ratio   program start to first paint / (the smallest Qt program's start to first paint
//                 + one read of the data file);
//   memory_ratio  the program's peak resident memory over a start and an exit with its save /
//                 (the smallest Qt program's + the data file's size); the benchmark's own peak
//                 memory, which the kernel counts into both, is kept small;
//   save_ratio    the exit's save (ScheduleStore::Save) / (`cp` of the data file + fsync of the copy).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/scratch_folder.h"
#include "schedule/schedule_store.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

// Entries spread over every month of both calendars, a tenth of them in the month shown at start.
ScheduleEntry BenchEntry(int n) {
  ScheduleEntry e{};
  e.wYear = static_cast<WORD>(n % 10 == 0 ? 2007 : 1990 + n % 30);
  e.wMonth = static_cast<WORD>(n % 10 == 0 ? 12 : 1 + n % 12);
  e.wDay = static_cast<WORD>(1 + n % 28);
  e.wHour = static_cast<WORD>(n % 24);
  e.wFlags = static_cast<WORD>((n % 3 == 0 ? SCHEDULE_LUNAR : 0) | (n % 4 == 0 ? SCHEDULE_YEARLY : 0));
  const char16_t title[] = u"벤치마크일정";
  for (int i = 0; i < 6; ++i) e.szTitle[i] = title[i];
  return e;
}

// A folder per entry count holding the program's copy and its data file, made once.
struct Install {
  explicit Install(int entries) : scratch("kalmeno-bench-scale") {
    program = scratch.path() + "/kalmeno";
    data = scratch.path() + "/qmrv.dat";
    std::filesystem::copy_file(KALMENO_PROGRAM, program);
    // Written in blocks: this process's own memory stays small (see ReadOnce).
    std::ofstream out(data, std::ios::binary);
    std::vector<unsigned char> block;
    for (int n = 0; n < entries; ++n) {
      block.resize(block.size() + SCHEDULE_RECORD_SIZE);
      ScheduleEntryToBytes(BenchEntry(n), block.data() + block.size() - SCHEDULE_RECORD_SIZE);
      if (block.size() >= (1 << 20) || n + 1 == entries) {
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
        block.clear();
      }
    }
    out.close();
    fileSize = std::filesystem::file_size(data);
  }
  ScratchFolder scratch;
  std::string program, data;
  std::uintmax_t fileSize = 0;
};

Install& InstallOf(int entries) {
  static std::map<int, std::unique_ptr<Install>> installs;
  std::unique_ptr<Install>& install = installs[entries];
  if (!install) install = std::make_unique<Install>(entries);
  return *install;
}

struct Child {
  pid_t pid = -1;
  int output = -1;  // its standard output, when asked for
};

Child Start(const std::string& program, const std::vector<std::string>& env, bool pipeOutput) {
  std::vector<std::string> strings = env;
  for (const char* keep : {"PATH", "HOME", "LANG"})
    if (const char* v = std::getenv(keep)) strings.push_back(std::string(keep) + "=" + v);
  std::vector<char*> envp;
  for (std::string& s : strings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string arg0 = program;
  char* argv[] = {arg0.data(), nullptr};
  int fds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (pipeOutput && pipe(fds) == 0) {
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Child child;
  if (posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (fds[1] >= 0) close(fds[1]);
  child.output = fds[0];
  return child;
}

// Waits for the child's end; its peak resident memory in bytes.
long long PeakMemoryAtEnd(const Child& child) {
  int status = 0;
  struct rusage usage {};
  wait4(child.pid, &status, 0, &usage);
  if (child.output >= 0) close(child.output);
  return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// The smallest Qt program: seconds from start to its first paint, and its peak memory.
std::pair<double, long long> SmallestQtProgram() {
  const Clock::time_point start = Clock::now();
  Child child = Start(SMALLEST_QT_PROGRAM, {"QT_QPA_PLATFORM=offscreen"}, true);
  std::string said;
  char buffer[64];
  for (ssize_t n; said.find("painted") == std::string::npos && (n = read(child.output, buffer, sizeof buffer)) > 0;)
    said.append(buffer, static_cast<size_t>(n));
  const double seconds = Seconds(start, Clock::now());
  return {seconds, PeakMemoryAtEnd(child)};
}

// One read of the whole file into memory, as the least any reader of it must do. In a child of
// its own: a process started later inherits this one's peak memory (the kernel counts what the
// starter held before it became the started program), which must stay small.
double ReadOnce(const std::string& path) {
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::vector<char> bytes(std::filesystem::file_size(path));
    const int fd = open(path.c_str(), O_RDONLY);
    size_t held = 0;
    for (ssize_t n; held < bytes.size() && (n = read(fd, bytes.data() + held, bytes.size() - held)) > 0;) held += n;
    _exit(held == bytes.size() ? 0 : 1);
  }
  waitpid(child, nullptr, 0);
  return Seconds(start, Clock::now());
}

// Kalmeno started on the install, ended by 종료 (which saves): seconds to its first paint, and
// its peak memory; a negative time when it never painted.
std::pair<double, long long> Kalmeno(const Install& install) {
  const std::string script = install.scratch.path() + "/script.txt", trace = install.scratch.path() + "/trace.txt";
  std::ofstream(script) << "wait 100\ncommand 1\n";
  std::filesystem::remove(trace);
  const Clock::time_point start = Clock::now();
  Child child = Start(install.program,
                      {"QT_QPA_PLATFORM=offscreen", "KALMENO_NOW=2007-12-08T10:00:00", "KALMENO_SCRIPT=" + script,
                       "KALMENO_TRACE=" + trace, "KALMENO_REGISTRY=" + install.scratch.path() + "/registry.reg",
                       "XDG_RUNTIME_DIR=" + install.scratch.path()},
                      false);
  double painted = -1;
  while (painted < 0 && Seconds(start, Clock::now()) < 60) {
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find("\tpaint\t") != std::string::npos) painted = Seconds(start, Clock::now());
    else std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return {painted, PeakMemoryAtEnd(child)};
}

void BM_StartAndPeakMemory(benchmark::State& state) {
  const Install& install = InstallOf(static_cast<int>(state.range(0)));
  double startRatio = 0, memoryRatio = 0, peak = 0;
  for (auto _ : state) {
    const auto [qtSeconds, qtMemory] = SmallestQtProgram();
    const double yardstick = qtSeconds + ReadOnce(install.data);
    const auto [seconds, memory] = Kalmeno(install);
    if (seconds < 0) {
      state.SkipWithError("no paint traced");
      break;
    }
    state.SetIterationTime(seconds);
    startRatio += seconds / yardstick;
    memoryRatio += static_cast<double>(memory) / static_cast<double>(qtMemory + install.fileSize);
    peak += static_cast<double>(memory) / (1024 * 1024);
  }
  state.counters["start_ratio"] = benchmark::Counter(startRatio, benchmark::Counter::kAvgIterations);
  state.counters["memory_ratio"] = benchmark::Counter(memoryRatio, benchmark::Counter::kAvgIterations);
  state.counters["peak_MiB"] = benchmark::Counter(peak, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartAndPeakMemory)->Arg(0)->Arg(1000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// `cp` of the file, then the copy flushed to disk.
double CopyAndFlush(const std::string& from, const std::string& to) {
  const Clock::time_point start = Clock::now();
  pid_t pid = -1;
  std::string a0 = "cp", a1 = from, a2 = to;
  char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
  posix_spawn(&pid, "/bin/cp", nullptr, nullptr, argv, environ);
  waitpid(pid, nullptr, 0);
  const int fd = open(to.c_str(), O_RDONLY);
  fsync(fd);
  close(fd);
  return Seconds(start, Clock::now());
}

void BM_ExitSave(benchmark::State& state) {
  const Install& install = InstallOf(static_cast<int>(state.range(0)));
  const std::u16string folder(install.scratch.path().begin(), install.scratch.path().end());
  ScheduleStore store(folder.c_str());
  double ratio = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    if (store.Save() != ScheduleWriteOutcome::Written) {
      state.SkipWithError("the save failed");
      break;
    }
    const double seconds = Seconds(start, Clock::now());
    state.SetIterationTime(seconds);
    const std::string copy = install.scratch.path() + "/copy.dat";
    ratio += seconds / CopyAndFlush(install.data, copy);
    std::filesystem::remove(copy);
  }
  state.counters["save_ratio"] = benchmark::Counter(ratio, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ExitSave)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
