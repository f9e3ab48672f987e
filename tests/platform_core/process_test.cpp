// Starting programs: what the child gets, what fails, and that nothing is left behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

class Processes : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KALMENO_TRACE", folder.file("trace").c_str(), 1);
    setenv("KALMENO_SCRIPT", "/parent/script", 1);
    setenv("KALMENO_NOW", "2007-12-08T10:00:00", 1);
    setenv("KP_TEST_ENV_OUT", folder.file("env").c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"KALMENO_TRACE", "KALMENO_SCRIPT", "KALMENO_CHILD_SCRIPT", "KALMENO_NOW", "KP_TEST_ENV_OUT"})
      unsetenv(name);
  }
  // A program that writes its environment, its pid, process group and session to $KP_TEST_ENV_OUT.
  std::string MakeEnvDumper() {
    std::string path = folder.file("dump env.sh");
    WriteWholeFile(path,
                   "#!/bin/sh\nenv > \"$KP_TEST_ENV_OUT.part\"\n"
                   "echo \"pid=$$ pgid=$(sed 's/.*) //' /proc/$$/stat | cut -d' ' -f3) "
                   "sid=$(sed 's/.*) //' /proc/$$/stat | cut -d' ' -f4)\" >> \"$KP_TEST_ENV_OUT.part\"\n"
                   "mv \"$KP_TEST_ENV_OUT.part\" \"$KP_TEST_ENV_OUT\"\n");
    chmod(path.c_str(), 0755);
    return path;
  }
  std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 500 && access(path.c_str(), F_OK) != 0; ++i) usleep(10000);
    return ReadWholeFile(path);
  }
  static BOOL Start(const std::u16string& path, PROCESS_INFORMATION* info = nullptr) {
    PROCESS_INFORMATION ignored;
    return CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                          info ? info : &ignored);
  }
  ScratchFolder folder;
};

TEST_F(Processes, TheChildGetsTheChildScriptInPlaceOfOurs) {
  setenv("KALMENO_CHILD_SCRIPT", "/child/script", 1);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(Start(KpHandheldPath(MakeEnvDumper()), &info));
  EXPECT_GT(info.dwProcessId, 0u);
  std::string env = WaitForFile(folder.file("env"));
  EXPECT_NE(env.find("\nKALMENO_SCRIPT=/child/script\n"), std::string::npos) << env;
  EXPECT_EQ(env.find("KALMENO_SCRIPT=/parent/script"), std::string::npos);
  EXPECT_NE(env.find("KALMENO_NOW=2007-12-08T10:00:00\n"), std::string::npos);
  EXPECT_NE(env.find("KALMENO_TRACE="), std::string::npos);
}

TEST_F(Processes, WithoutAChildScriptTheChildRunsNone) {
  ASSERT_TRUE(Start(KpFromUtf8(MakeEnvDumper())));
  std::string env = WaitForFile(folder.file("env"));
  ASSERT_FALSE(env.empty());
  EXPECT_EQ(env.find("KALMENO_SCRIPT="), std::string::npos) << env;
}

TEST_F(Processes, AStartIsTracedWithThePathAsGiven) {
  std::u16string path = KpHandheldPath(MakeEnvDumper());
  ASSERT_TRUE(Start(path));
  WaitForFile(folder.file("env"));
  EXPECT_EQ(ReadWholeFile(folder.file("trace")), "platform_core_tests\tspawn\t" + Utf8(path) + "\n");
}

TEST_F(Processes, AStartedChildIsNotLeftAsOurZombie) {
  ASSERT_TRUE(Start(KpHandheldPath(MakeEnvDumper())));
  WaitForFile(folder.file("env"));
  usleep(50000);
  int status;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1) << "the child is not ours to reap";
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(Processes, AStartedChildRunsInASessionOfItsOwn) {
  // A Ctrl+C or a hang-up meant for the starter's terminal must not end what it started.
  ASSERT_TRUE(Start(KpHandheldPath(MakeEnvDumper())));
  std::string env = WaitForFile(folder.file("env"));
  size_t at = env.find("pid=");
  ASSERT_NE(at, std::string::npos) << env;
  std::string pid = env.substr(at + 4, env.find(' ', at) - at - 4);
  EXPECT_NE(env.find("pid=" + pid + " pgid=" + pid + " sid=" + pid + "\n"), std::string::npos) << env;
  EXPECT_NE(pid, std::to_string(getpgrp()));
}

TEST_F(Processes, AMissingOrNonExecutableFileIsNotStarted) {
  EXPECT_FALSE(Start(KpHandheldPath(folder.file("absent"))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  WriteWholeFile(folder.file("plain.txt"), "#!/bin/sh\ntouch should-not-run\n");
  chmod(folder.file("plain.txt").c_str(), 0644);
  EXPECT_FALSE(Start(KpHandheldPath(folder.file("plain.txt"))));
  EXPECT_FALSE(Start(KpHandheldPath(folder.path()))) << "a folder is not a program";
  EXPECT_EQ(ReadWholeFile(folder.file("trace")), "") << "nothing started, nothing traced";
}

}  // namespace
