// The program and the Today screen at once on one data file. The program is started again and
// again: each run adds an entry (and, once four are kept, deletes the oldest) through its
// dialogs and exits through "종료", which saves; a save that finds the file held by the Today
// item is reported and tried again. Meanwhile the Today screen re-reads the file every 50 ms.
//
// Every state the file passes through keeps at most four entries on distinct days, so the Today
// item shows all of them: a partial file (some records of a state, or a torn record) would show as
// a set of titles that no complete state has.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "schedule/schedule_entry.h"
#include "tests/support/e2e.h"

namespace {

const int kRuns = 12;
const int kKept = 4;
const char* kNoMoreLine = "더 이상 표시할 일정이 없습니다.";

std::string Quoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string Title(int run) { return "T" + std::to_string(run); }

// Run `run` adds its entry on 2007-12-(9 + run), one day each, all after the clock's today.
std::string ProgramScript(int run, bool deleteOldest) {
  std::string s = "wait 200\ncommand 32794\nwait 200\nset 1011 " + Title(run) + "\nset 1005 2007-12-" +
                  std::to_string(9 + run) + "\nset 1007 09:00:00\ncommand 1\nwait 100\nanswer\nwait 100\n";
  if (deleteOldest) s += "command 32795\nwait 200\nset 1012 0:1\ncommand 1013\nwait 100\ncommand 1\nwait 100\n";
  // Exit; while the Today item holds the file the save fails with its messages: answer, retry.
  for (int attempt = 0; attempt < 20; ++attempt) s += "command 1\nwait 120\nanswer\nwait 30\nanswer\nwait 30\n";
  return s;
}

// Titles shown on the item's schedule lines, one frame per paint of the item.
std::vector<std::vector<std::string>> ItemFrames(const std::vector<e2e::TraceLine>& trace) {
  std::vector<std::vector<std::string>> frames;
  for (const e2e::TraceLine& line : e2e::Select(trace, "text", "Kalmeno Today Plugin")) {
    const std::string& text = line.fields.back();
    if (text.rfind("음력", 0) == 0) {
      frames.emplace_back();
      continue;
    }
    if (frames.empty()) continue;
    if (text == kNoMoreLine) {
      frames.back().push_back("");
    } else {
      frames.back().push_back(text.substr(text.rfind(' ') + 1));
    }
  }
  return frames;
}

TEST(TwoProcessesUnderLoad, EverySaveLandsWholeAndTheTodayItemOnlyEverSeesWholeFiles) {
  std::string kalmeno = e2e::Built("app/kalmeno");
  std::string today = e2e::Built("host/kalmeno-today");
  if (!e2e::Exists(kalmeno) || !e2e::Exists(today)) GTEST_SKIP() << "the programs are not built";
  e2e::TempDir dir;
  std::string exe = dir.file("kalmeno");
  e2e::WriteBytes(exe, e2e::ReadBytes(kalmeno));
  chmod(exe.c_str(), 0755);
  WriteText(dir.file("registry.reg"),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n\"DATA\"=" +
                Quoted(dir.file("qmrv.dat")) + "\n\"EXE\"=\"/bin/true\"\n\"DLL\"=" +
                Quoted(e2e::Built("today/libKalmenoTP.so")) + "\n");
  e2e::WriteBytes(dir.file("qmrv.dat"), "");

  // The Today screen: five schedule lines, then answer whatever it reports, for the whole test.
  std::string todayScript = "wait 500\ncommand 40001\nwait 300\nset 1006 4\ncommand 1\n";
  for (int i = 0; i < 350; ++i) todayScript += "wait 100\nanswer\n";
  todayScript += "quit\n";
  WriteText(dir.file("today.script"), todayScript);
  std::map<std::string, std::string> common = {{"KALMENO_NOW", "2007-12-08T15:00:00"},
                                               {"KALMENO_REGISTRY", dir.file("registry.reg")},
                                               {"XDG_RUNTIME_DIR", dir.path()},
                                               // Two processes side by side, each at its own pace:
                                               // this test is about real time, so it runs on it.
                                               {"KALMENO_CLOCK", "real"}};
  std::map<std::string, std::string> todayEnv = common;
  todayEnv["KALMENO_SCRIPT"] = dir.file("today.script");
  todayEnv["KALMENO_TRACE"] = dir.file("today.log");
  todayEnv["KALMENO_TODAY_REFRESH_MS"] = "50";
  e2e::RunResult todayRun;
  std::thread todayThread([&] { todayRun = e2e::Run(today, {}, todayEnv, 90000); });
  // The runs start once the item has taken the height of five lines (the bound only ends a wait
  // for something that never comes).
  auto fiveLines = [&] {
    for (const e2e::TraceLine& line : e2e::Select(e2e::ReadTrace(dir.file("today.log")), "window", "Kalmeno Today Plugin"))
      if (line.fields.at(1) == "0,50,240,170") return true;
    return false;
  };
  for (int i = 0; i < 3000 && !fiveLines(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(fiveLines()) << "the options never took effect";

  // The states the file may pass through: before each run, and after each.
  std::vector<std::string> model;
  std::set<std::vector<std::string>> states = {{}};
  int saves = 0, failedSaves = 0;
  for (int run = 1; run <= kRuns; ++run) {
    model.push_back(Title(run));
    bool deleteOldest = model.size() > static_cast<size_t>(kKept);
    if (deleteOldest) model.erase(model.begin());
    states.insert(model);
    std::string trace = dir.file("run" + std::to_string(run) + ".log");
    WriteText(dir.file("run.script"), ProgramScript(run, deleteOldest));
    std::map<std::string, std::string> env = common;
    env["KALMENO_SCRIPT"] = dir.file("run.script");
    env["KALMENO_TRACE"] = trace;
    e2e::RunResult result = e2e::Run(exe, {}, env, 60000);
    ASSERT_FALSE(result.timedOut) << "run " << run << " never managed to save: " << result.output;
    ASSERT_EQ(result.exitCode, 0) << result.output;
    std::vector<e2e::TraceLine> lines = e2e::ReadTrace(trace);
    // Every failed save was reported with the program's two messages, never taken for success.
    int couldNotCreate = 0, notSaved = 0;
    for (const e2e::TraceLine& box : e2e::Select(lines, "msgbox")) {
      if (box.fields.back() == "일정파일을 생성하지 못했습니다.") ++couldNotCreate;
      if (box.fields.back() == "일정을 저장하지 못했습니다. 다시 종료해 주세요.") ++notSaved;
    }
    EXPECT_EQ(couldNotCreate, notSaved) << "run " << run;
    failedSaves += notSaved;
    ++saves;
    // What the run meant to leave is what the file holds.
    std::string bytes = e2e::ReadBytes(dir.file("qmrv.dat"));
    ASSERT_EQ(bytes.size(), 98u * model.size()) << "after run " << run;
    for (size_t i = 0; i < model.size(); ++i) {
      ScheduleEntry entry = ScheduleEntryFromBytes(reinterpret_cast<const unsigned char*>(bytes.data()) + 98 * i);
      std::string title;
      for (int k = 0; k < 11 && entry.szTitle[k]; ++k) title += static_cast<char>(entry.szTitle[k]);
      EXPECT_EQ(title, model[i]) << "record " << i << " after run " << run;
    }
  }
  todayThread.join();

  std::vector<e2e::TraceLine> todayTrace = e2e::ReadTrace(dir.file("today.log"));
  std::vector<std::vector<std::string>> frames = ItemFrames(todayTrace);
  int failedReads = 0;
  for (const e2e::TraceLine& box : e2e::Select(todayTrace, "msgbox")) {
    EXPECT_NE(box.fields.back().find("에 일정 파일이 존재하지 않거나 읽을 수 없습니다."), std::string::npos)
        << box.fields.back();
    ++failedReads;
  }
  int fullFrames = 0;
  for (const std::vector<std::string>& frame : frames) {
    if (frame.size() != 5) continue;  // the frame painted before the options took effect
    ++fullFrames;
    std::vector<std::string> shown;
    for (const std::string& title : frame)
      if (!title.empty()) shown.push_back(title);
    EXPECT_TRUE(states.count(shown)) << "the item showed a set of entries no whole file held";
  }
  EXPECT_GE(fullFrames, kRuns / 2) << "the Today item repainted as the file changed";
  std::printf("saves %d, failed saves %d, item paints %d, failed reads reported %d\n", saves, failedSaves,
              fullFrames, failedReads);
}

}  // namespace
