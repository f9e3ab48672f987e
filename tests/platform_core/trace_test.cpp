// The trace hook: one whole line per event, shared safely between processes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

TEST(Trace, FieldsAreTabSeparatedAfterProgramAndKind) {
  ScratchFolder folder;
  setenv("KALMENO_TRACE", folder.file("trace").c_str(), 1);
  KpTrace("msgbox", "Kalmeno", "일정을 저장하지 못했습니다.");
  const char* fields[] = {"a", "b\tc", "line\nbreak", ""};
  KpTrace("text", fields, 4);
  unsetenv("KALMENO_TRACE");
  KpTrace("lost", "nowhere");
  EXPECT_EQ(ReadWholeFile(folder.file("trace")),
            "platform_core_tests\tmsgbox\tKalmeno\t일정을 저장하지 못했습니다.\n"
            "platform_core_tests\ttext\ta\tb\\tc\tline\\nbreak\t\n");
}

TEST(Trace, LinesFromSeveralProcessesNeverInterleave) {
  ScratchFolder folder;
  setenv("KALMENO_TRACE", folder.file("trace").c_str(), 1);
  std::string longField(3000, 'x');
  const int kChildren = 4, kLines = 200;
  pid_t children[kChildren];
  for (int c = 0; c < kChildren; ++c) {
    children[c] = fork();
    if (children[c] == 0) {
      for (int i = 0; i < kLines; ++i) KpTrace("paint", std::to_string(c).c_str(), longField.c_str());
      _exit(0);
    }
  }
  for (pid_t child : children) waitpid(child, nullptr, 0);
  unsetenv("KALMENO_TRACE");
  std::istringstream lines(ReadWholeFile(folder.file("trace")));
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_EQ(line.size(), std::string("platform_core_tests\tpaint\t0\t").size() + longField.size()) << count;
  }
  EXPECT_EQ(count, kChildren * kLines);
}

int QuitWithCode(void*) { KpQuitNow(7); }

TEST(Trace, QuittingAtOnceTracesTheExitCode) {
  ScratchFolder folder;
  setenv("KALMENO_TRACE", folder.file("trace").c_str(), 1);
  EXPECT_EQ(RunInChild(QuitWithCode, nullptr), 7);
  unsetenv("KALMENO_TRACE");
  EXPECT_EQ(ReadWholeFile(folder.file("trace")), "platform_core_tests\texit\t7\n");
}

}  // namespace
