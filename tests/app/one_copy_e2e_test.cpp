// Starting the program: a second start on the same data file brings the running copy forward and
// ends at once, without a month view and without writing; a program folder the handheld's paths
// cannot name is refused with a message.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

const std::string kOld = Record(2007, 12, 24, 18, 0, 0, u"성탄 전야");

// Adds an entry and takes a screenshot (`shot`, when given) once it is added; then, once the
// trace has a line with `until`, lets the come-forward check run a few times and exits with a save.
std::vector<std::string> AddAndExitAfter(const std::string& title, const std::string& until,
                                         const std::string& shot = "") {
  std::vector<std::string> lines{"command 32794", "set 1011 " + title, "command 1", "answer"};
  if (!shot.empty()) lines.push_back("shot " + shot);
  lines.insert(lines.end(), {"wait until trace " + until, "wait 1000", "command 1", "wait 2000"});
  return lines;
}

size_t WindowLines(const std::string& trace) { return e2e::Select(e2e::ReadTrace(trace), "window").size(); }

// Waits, as an observer (the programs run on), until `holds`; the bound only ends a wait for
// something that never comes.
template <typename Condition>
void Await(Condition holds) {
  for (int i = 0; i < 2000 && !holds(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

size_t LinesOf(const std::string& trace, const std::string& program, const std::string& kind) {
  size_t seen = 0;
  for (const e2e::TraceLine& line : e2e::Select(e2e::ReadTrace(trace), kind)) seen += line.program == program;
  return seen;
}

TEST(OneCopyE2E, ASecondStartBringsTheRunningCopyForwardAndEndsWithoutWriting) {
  Kalmeno first;
  e2e::WriteBytes(first.dataFile, kOld);
  size_t windowsBefore = 0, windowsAfter = 0;
  e2e::RunResult second;
  const std::string secondTrace = first.dir.file("second-trace.txt"), added = first.Shot("added.png");
  std::thread starter([&] {
    // Once the first copy has added its entry, start another; when that one has ended and the
    // first has come forward, tell the first copy through its trace.
    Await([&] { return e2e::Exists(added); });
    windowsBefore = WindowLines(first.trace);
    e2e::WriteBytes(first.dir.file("second-script.txt"), "command 32794\nset 1011 둘째\ncommand 1\nanswer\n"
                                                         "command 1\nwait 2000\n");
    second = e2e::Run(first.program, {},
                      {{"KALMENO_NOW", "2007-12-08T10:00:00"},
                       {"KALMENO_SCRIPT", first.dir.file("second-script.txt")},
                       {"KALMENO_TRACE", secondTrace},
                       {"KALMENO_REGISTRY", first.dir.file("registry.reg")}});
    Await([&] { return WindowLines(first.trace) > windowsBefore; });
    windowsAfter = WindowLines(first.trace);
    std::ofstream(first.trace, std::ios::app) << "test\tsecond copy ended\n";
  });
  first.Run("2007-12-08T10:00:00", AddAndExitAfter("첫째", "second copy ended", added));
  starter.join();
  EXPECT_FALSE(second.timedOut);
  EXPECT_EQ(second.exitCode, 0) << second.output;
  EXPECT_TRUE(e2e::Select(e2e::ReadTrace(secondTrace), "window").empty()) << "no second month view";
  EXPECT_GT(windowsAfter, windowsBefore) << "the running copy came forward";
  EXPECT_EQ(first.result.exitCode, 0) << first.result.output;
  const std::string saved = e2e::ReadBytes(first.dataFile);
  ASSERT_EQ(saved.size(), 2 * 98u) << "the old entry and the running copy's, nothing of the second start";
  EXPECT_EQ(saved.substr(0, 98), kOld);
  // Once the first copy has ended, the program starts again as usual.
  Kalmeno& again = first;
  again.Run("2007-12-08T10:00:00", {"command 32794", "set 1011 셋째", "command 1", "answer", "command 1", "wait 2000"});
  EXPECT_EQ(e2e::ReadBytes(first.dataFile).size(), 3 * 98u);
}

TEST(OneCopyE2E, ASecondTapOnTheTodayItemBringsTheRunningCopyForward) {
  Kalmeno k;  // the program's copy in its own folder, as installed
  e2e::WriteBytes(k.dataFile, kOld);
  auto quoted = [](const std::string& path) { return "\"" + path + "\""; };
  e2e::WriteBytes(k.dir.file("registry.reg"),
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n\"DATA\"=" +
                      quoted(k.dataFile) + "\n\"EXE\"=" + quoted(k.program) + "\n\"DLL\"=" +
                      quoted(e2e::Built("today/libKalmenoTP.so")) + "\n");
  // The second tap comes once the first copy has added its entry; that copy exits after the
  // second one has ended. Every started copy runs the child script, so a second copy that did
  // not end at once would add an entry of its own.
  e2e::WriteBytes(k.dir.file("today.script"),
                  "wait 800\ntap 100 70\nwait until trace kalmeno msgbox\ntap 100 70\nwait until trace kalmeno exit\nquit\n");
  std::string child;
  for (const std::string& line : AddAndExitAfter("탭", "kalmeno exit")) child += line + "\n";
  e2e::WriteBytes(k.dir.file("child.script"), child);
  const e2e::RunResult today = e2e::Run(e2e::Built("host/kalmeno-today"), {},
                                        {{"KALMENO_NOW", "2007-12-08T15:00:00"},
                                         {"KALMENO_REGISTRY", k.dir.file("registry.reg")},
                                         {"KALMENO_TRACE", k.trace},
                                         {"KALMENO_SCRIPT", k.dir.file("today.script")},
                                         {"KALMENO_CHILD_SCRIPT", k.dir.file("child.script")}},
                                        40000);
  ASSERT_FALSE(today.timedOut) << today.output;
  Await([&] { return LinesOf(k.trace, "kalmeno", "exit") == 2; });  // the first copy outlives the script
  const std::vector<e2e::TraceLine> trace = e2e::ReadTrace(k.trace);
  EXPECT_EQ(e2e::Select(trace, "spawn").size(), 2u) << "both taps started the program";
  int added = 0;
  for (const e2e::TraceLine& box : e2e::Select(trace, "msgbox"))
    if (box.program == "kalmeno" && box.fields.back() == "일정을 추가했습니다.") ++added;
  EXPECT_EQ(added, 1) << "only the running copy took input";
  EXPECT_EQ(e2e::ReadBytes(k.dataFile).size(), 2 * 98u);
}

// Other paths to the same data file: each second start finds the running copy and ends.
struct OtherPath {
  const char* what;
  // Makes the second program (in `other`, a folder of its own when needed); returns its path.
  std::string (*make)(const Kalmeno& first, const e2e::TempDir& other);
};
const OtherPath kOtherPaths[] = {
    {"another install whose qmrv.dat links to the running copy's file",
     [](const Kalmeno& first, const e2e::TempDir& other) {
       std::filesystem::copy_file(first.program, other.file("kalmeno"));
       std::filesystem::create_symlink(first.dataFile, other.file("qmrv.dat"));
       return other.file("kalmeno");
     }},
    {"a hard link to the program under another name",
     [](const Kalmeno& first, const e2e::TempDir&) {
       std::filesystem::create_hard_link(first.program, first.dir.file("calendar"));
       return first.dir.file("calendar");
     }},
};

TEST(OneCopyE2E, EveryPathToTheDataFileFindsTheRunningCopy) {
  for (const OtherPath& path : kOtherPaths) {
    SCOPED_TRACE(path.what);
    Kalmeno first;
    e2e::TempDir other;
    e2e::WriteBytes(first.dataFile, kOld);
    const std::string second = path.make(first, other), secondTrace = other.file("trace.txt");
    e2e::WriteBytes(other.file("script.txt"), "command 32794\nset 1011 둘째\ncommand 1\nanswer\ncommand 1\nwait 2000\n");
    e2e::RunResult secondRun;
    std::thread starter([&] {
      Await([&] { return WindowLines(first.trace) > 0; });
      secondRun = e2e::Run(second, {},
                           {{"KALMENO_NOW", "2007-12-08T10:00:00"},
                            {"KALMENO_SCRIPT", other.file("script.txt")},
                            {"KALMENO_TRACE", secondTrace},
                            {"KALMENO_REGISTRY", other.file("registry.reg")}});
      std::ofstream(first.trace, std::ios::app) << "test\tsecond copy ended\n";
    });
    first.Run("2007-12-08T10:00:00", {"wait until trace second copy ended", "command 1", "wait 1000"});
    starter.join();
    EXPECT_EQ(secondRun.exitCode, 0) << secondRun.output;
    EXPECT_TRUE(e2e::Select(e2e::ReadTrace(secondTrace), "window").empty()) << "no second month view";
    EXPECT_EQ(e2e::ReadBytes(first.dataFile), kOld) << "nothing of the second start";
  }
}

TEST(OneCopyE2E, ASecondStartOfTheTodayScreenBringsTheFirstForwardAndEnds) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), kOld);
  e2e::WriteBytes(dir.file("registry.reg"),
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n\"DATA\"=\"" +
                      dir.file("qmrv.dat") + "\"\n\"EXE\"=\"/bin/true\"\n\"DLL\"=\"" + e2e::Built("today/libKalmenoTP.so") +
                      "\"\n");
  e2e::WriteBytes(dir.file("first.script"), "wait until trace second screen ended\nquit\n");
  e2e::WriteBytes(dir.file("second.script"), "wait 500\nquit\n");
  auto start = [&](const std::string& name) {
    return e2e::Run(e2e::Built("host/kalmeno-today"), {},
                    {{"KALMENO_NOW", "2007-12-08T15:00:00"},
                     {"KALMENO_REGISTRY", dir.file("registry.reg")},
                     {"KALMENO_TRACE", dir.file(name + ".trace")},
                     {"KALMENO_SCRIPT", dir.file(name + ".script")}},
                    40000);
  };
  size_t windowsBefore = 0, windowsAfter = 0;
  e2e::RunResult second;
  std::thread starter([&] {
    Await([&] { return WindowLines(dir.file("first.trace")) > 0; });
    windowsBefore = WindowLines(dir.file("first.trace"));
    second = start("second");
    Await([&] { return WindowLines(dir.file("first.trace")) > windowsBefore; });
    windowsAfter = WindowLines(dir.file("first.trace"));
    std::ofstream(dir.file("first.trace"), std::ios::app) << "test\tsecond screen ended\n";
  });
  const e2e::RunResult first = start("first");
  starter.join();
  ASSERT_FALSE(first.timedOut) << first.output;
  EXPECT_EQ(second.exitCode, 0) << second.output;
  EXPECT_TRUE(e2e::Select(e2e::ReadTrace(dir.file("second.trace")), "window").empty()) << "no second Today screen";
  EXPECT_GT(windowsAfter, windowsBefore) << "the running screen came forward";
}

TEST(OneCopyE2E, AProgramFolderWithABackslashInItsNameIsRefusedWithAMessage) {
  e2e::TempDir dir;
  const std::string folder = dir.file("a\\b");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string program = folder + "/kalmeno";
  std::filesystem::copy_file(e2e::Built("app/kalmeno"), program);
  e2e::WriteBytes(dir.file("script.txt"), "wait 100\ncommand 1\nwait 2000\n");
  const e2e::RunResult result = e2e::Run(program, {},
                                         {{"KALMENO_NOW", "2007-12-08T10:00:00"},
                                          {"KALMENO_SCRIPT", dir.file("script.txt")},
                                          {"KALMENO_TRACE", dir.file("trace.txt")}});
  EXPECT_FALSE(result.timedOut);
  EXPECT_NE(result.output.find("역슬래시"), std::string::npos) << result.output;
  EXPECT_TRUE(e2e::Select(e2e::ReadTrace(dir.file("trace.txt")), "window").empty());
  EXPECT_FALSE(e2e::Exists(folder + "/qmrv.dat"));
  EXPECT_FALSE(e2e::Exists(dir.file("a/qmrv.dat")));
  EXPECT_FALSE(e2e::Exists(dir.file("qmrv.dat")));
}

}  // namespace
