// A framework program run the way a user runs it: scripted taps and commands, read back through
// its trace and its output.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"

namespace {

struct ProbeRun {
  e2e::RunResult result;
  std::vector<e2e::TraceLine> trace;
};

ProbeRun RunProbe(const e2e::TempDir& dir, const std::string& script, std::vector<std::string> args = {}) {
  e2e::WriteBytes(dir.file("script"), script);
  ProbeRun run;
  run.result = e2e::Run(e2e::Built("tests/platform_afx/afxprobe"), args,
                        {{"KALMENO_SCRIPT", dir.file("script")}, {"KALMENO_TRACE", dir.file("trace")}}, 20000);
  run.trace = e2e::ReadTrace(dir.file("trace"));
  return run;
}

bool HasLine(const std::vector<e2e::TraceLine>& lines, const std::string& kind, const std::vector<std::string>& fields) {
  for (const auto& line : e2e::Select(lines, kind)) {
    if (line.fields == fields) return true;
  }
  return false;
}

TEST(FrameworkProgram, DialogRunsModallyTakesTheUsersInputAndTheProgramExitsWithZero) {
  e2e::TempDir dir;
  ProbeRun run = RunProbe(dir, "set 1002 1\nset 1003 15\ncommand 1\n");
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
  EXPECT_NE(run.result.output.find("app name Afxprobe"), std::string::npos) << run.result.output;
  EXPECT_NE(run.result.output.find("result=1 remind=1 count=15"), std::string::npos) << run.result.output;
  // The dialog is named by its template id in the trace.
  EXPECT_FALSE(e2e::Select(run.trace, "window", "300").empty());
  EXPECT_TRUE(HasLine(run.trace, "exit", {"0"}));
}

TEST(FrameworkProgram, CancelEndsTheDialogWithoutTakingTheControls) {
  e2e::TempDir dir;
  ProbeRun run = RunProbe(dir, "set 1002 1\ncommand 2\n");
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_NE(run.result.output.find("result=2 remind=0 count=0"), std::string::npos) << run.result.output;
}

TEST(FrameworkProgram, TextThatIsNoNumberKeepsTheDialogOpenWithAMessage) {
  e2e::TempDir dir;
  ProbeRun run = RunProbe(dir, "set 1003 abc\ncommand 1\nanswer\nset 1003 7\ncommand 1\n");
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_TRUE(HasLine(run.trace, "msgbox", {"Afxprobe", "정수를 입력하십시오."}));
  EXPECT_NE(run.result.output.find("result=1 remind=0 count=7"), std::string::npos) << run.result.output;
}

TEST(FrameworkProgram, IndexOutsideAnArrayShowsTheErrorAndEndsWithCodeThree) {
  e2e::TempDir dir;
  ProbeRun run = RunProbe(dir, "command 5000\nanswer\n");
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_EQ(run.result.exitCode, 3) << run.result.output;
  EXPECT_TRUE(HasLine(run.trace, "msgbox", {"Afxprobe", "Invalid argument."}));
  EXPECT_TRUE(HasLine(run.trace, "exit", {"3"}));
  EXPECT_NE(run.result.output.find("Invalid argument."), std::string::npos);
  EXPECT_EQ(run.result.output.find("value "), std::string::npos) << "read outside the array";
}

TEST(FrameworkProgram, ApplicationLoopEndsWithTheQuitCode) {
  e2e::TempDir dir;
  ProbeRun run = RunProbe(dir, "", {"loop"});
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_EQ(run.result.exitCode, 4) << run.result.output;
  EXPECT_TRUE(HasLine(run.trace, "exit", {"4"}));
}

}  // namespace
