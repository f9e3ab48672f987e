// Ending the program from outside as a desktop user does: the desktop window's close button, the
// Escape key, and the end of the session (SIGTERM, SIGHUP sent to the real process). Every way
// out that the user did not mean as "throw away" keeps the entries added since start.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/app/kalmeno_run.h"
#include "tests/support/held_file.h"

using namespace kalmeno_test;

namespace {

const std::string kOld = Record(2007, 12, 24, 18, 0, 0, u"성탄 전야");

// Opens the add dialog and types a title; `confirm` adds it (and answers the confirmation).
std::vector<std::string> Add(const std::string& title, bool confirm) {
  std::vector<std::string> lines{"wait 100", "command 32794", "wait 100", "set 1011 " + title};
  if (confirm) lines.insert(lines.end(), {"command 1", "wait 50", "answer", "wait 50"});
  return lines;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

size_t RecordCount(const Kalmeno& k) { return e2e::ReadBytes(k.dataFile).size() / 98; }

struct CloseCase {
  const char* what;
  std::vector<std::string> script;
  bool readOnlyFile;
  size_t records;                     // in the data file afterwards
  std::vector<std::string> boxes;     // message boxes shown, in order
  bool stillOpen = false;             // the window is still there at the script's end
};

TEST(CloseE2E, TheCloseButtonAndEscapeKeepWhatWasAdded) {
  const CloseCase cases[] = {
      {"the close button saves as 종료 does", Concat({Add("첫째", true), {"close", "wait 2000"}}), false, 2, {}},
      {"with the add dialog open, it is cancelled first, then the view saves",
       Concat({Add("첫째", true), Add("둘째", false), {"close", "wait 2000"}}), false, 2, {}},
      {"a failed save keeps the window, which a second close leaves as it was",
       Concat({Add("첫째", true), {"close", "wait 100", "answer", "answer", "quit"}}),
       true, 1,
       {"일정파일을 생성하지 못했습니다.", "일정을 저장하지 못했습니다. 다시 종료해 주세요."}},
      {"Escape in the month view does nothing; the exit after it saves",
       Concat({Add("첫째", true), {"key 27", "wait 200", "command 1", "wait 2000"}}), false, 2, {}},
      {"Escape in the add dialog cancels it; the next command goes to the view",
       Concat({Add("둘째", false), {"key 27", "wait 200", "command 1", "wait 2000"}}), false, 1, {}},
  };
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.what);
    Kalmeno k;
    e2e::WriteBytes(k.dataFile, kOld);
    if (c.readOnlyFile) chmod(k.dataFile.c_str(), 0444);
    std::vector<std::string> script = c.script;
    if (c.stillOpen) script.insert(script.end(), {"shot " + k.Shot("still.png"), "quit"});
    k.Run("2007-12-08T10:00:00", script);
    EXPECT_EQ(k.result.exitCode, 0) << k.result.output;
    EXPECT_EQ(e2e::Exists(k.Shot("still.png")), c.stillOpen);
    EXPECT_EQ(RecordCount(k), c.records);
    EXPECT_EQ(e2e::ReadBytes(k.dataFile).substr(0, 98), kOld);
    std::vector<std::string> boxes;
    for (const std::string& text : MessageBoxTexts(k.lines))
      if (text != "일정을 추가했습니다.") boxes.push_back(text);
    EXPECT_EQ(boxes, c.boxes) << "besides the confirmations of adding";
  }
}

// Starts the program in the background (its pid written by the shell that becomes it), sends it
// `signal` once the month view is up and the script has added an entry, and waits for its end.
struct SignalCase {
  const char* what;
  int signal;
  bool readOnlyFile;
  size_t records;
  bool complains;  // a line on stderr about the failed save
  bool heldAtTheSignal = false;  // another process (the Today item reading) holds the file for a moment
};

TEST(CloseE2E, SessionEndSignalsSaveAndEnd) {
  const SignalCase cases[] = {
      {"SIGTERM saves and ends", SIGTERM, false, 2, false},
      {"SIGHUP saves and ends", SIGHUP, false, 2, false},
      {"a failed save ends anyway, the file untouched, said on stderr", SIGTERM, true, 1, true},
      {"SIGTERM while the file is held for a moment: the save waits for it", SIGTERM, false, 2, false, true},
  };
  for (const SignalCase& c : cases) {
    SCOPED_TRACE(c.what);
    Kalmeno k;
    e2e::WriteBytes(k.dataFile, kOld);
    if (c.readOnlyFile) chmod(k.dataFile.c_str(), 0444);
    const std::string pidFile = k.dir.file("pid"), wrapper = k.dir.file("start.sh");
    e2e::WriteBytes(wrapper, "#!/bin/sh\necho $$ > '" + pidFile + "'\nexec '" + k.program + "'\n");
    chmod(wrapper.c_str(), 0755);
    k.program = wrapper;
    const std::string added = k.Shot("added.png");
    std::thread sender([&] {
      // The screenshot is taken once the entry is added and its confirmation answered: then the
      // signal goes. The run's own time limit ends a program that never gets there.
      for (int i = 0; i < 2000; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (e2e::Exists(added) && e2e::Exists(pidFile)) {
          if (!c.heldAtTheSignal) {
            kill(std::stoi(e2e::ReadBytes(pidFile)), c.signal);
            return;
          }
          HeldByAnotherProcess reader(k.dataFile);
          kill(std::stoi(e2e::ReadBytes(pidFile)), c.signal);
          std::this_thread::sleep_for(std::chrono::milliseconds(500));
          return;
        }
      }
    });
    // Nothing ever writes this trace line: only the signal ends the program.
    k.Run("2007-12-08T10:00:00", Concat({Add("첫째", true), {"shot " + added, "wait until trace 세션 종료", "quit"}}));
    sender.join();
    EXPECT_EQ(k.result.exitCode, 128 + c.signal) << k.result.output;
    EXPECT_EQ(RecordCount(k), c.records);
    EXPECT_EQ(e2e::ReadBytes(k.dataFile).substr(0, 98), kOld);
    EXPECT_EQ(k.result.output.find("일정을 저장하지 못했습니다") != std::string::npos, c.complains) << k.result.output;
  }
}

}  // namespace
