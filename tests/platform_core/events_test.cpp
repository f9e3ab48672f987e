// Named events seen across processes; waits with and without a time-out.
#include <gtest/gtest.h>

#include <cstdlib>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

class Events : public ::testing::Test {
 protected:
  // Each test gets its own event folder, so no state leaks between tests or runs.
  void SetUp() override { setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
  ScratchFolder folder;
};

int SetFromChild(void*) {
  HANDLE event = OpenEventW(EVENT_ALL_ACCESS, FALSE, u"SYSTEM/ShellAPIReady");
  if (!event) return 1;
  return SetEvent(event) ? 0 : 2;
}

int WaitInChild(void*) {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, u"SYSTEM/ShellAPIReady");
  if (!event) return 1;
  return WaitForSingleObject(event, 0) == WAIT_OBJECT_0 ? 0 : 3;
}

TEST_F(Events, AnEventSetInAnotherProcessIsSeenHere) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, u"SYSTEM/ShellAPIReady");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_EQ(RunInChild(WaitInChild, nullptr), 3);
  EXPECT_EQ(RunInChild(SetFromChild, nullptr), 0);
  EXPECT_EQ(WaitForSingleObject(event, 1000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0) << "a manual-reset event stays set";
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(RunInChild(WaitInChild, nullptr), 3);
  CloseHandle(event);
}

TEST_F(Events, CreatingAnExistingEventOpensItWithoutChangingItsState) {
  HANDLE first = CreateEventW(nullptr, TRUE, TRUE, u"Kalmeno.Test");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = CreateEventW(nullptr, TRUE, FALSE, u"Kalmeno.Test");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  CloseHandle(first);
  CloseHandle(second);
}

int CreateSetAndDie(void*) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, u"Kalmeno.Crashed");
  if (!event || !SetEvent(event)) return 1;
  _exit(0);  // no CloseHandle: the process ends as a crash would end it
}

TEST_F(Events, ASignalDoesNotOutliveEveryHolder) {
  ASSERT_EQ(RunInChild(CreateSetAndDie, nullptr), 0);
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, u"Kalmeno.Crashed"), nullptr) << "its only holder is gone";
  ASSERT_EQ(RunInChild(CreateSetAndDie, nullptr), 0);
  HANDLE fresh = CreateEventW(nullptr, TRUE, FALSE, u"Kalmeno.Crashed");
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "created anew";
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT) << "not signalled by the dead process";
  CloseHandle(fresh);
}

TEST_F(Events, AnEventLivesWhileAnyHandleIsOpen) {
  HANDLE first = CreateEventW(nullptr, TRUE, TRUE, u"Kalmeno.Shared");
  HANDLE second = OpenEventW(SYNCHRONIZE, FALSE, u"Kalmeno.Shared");
  ASSERT_NE(second, nullptr);
  CloseHandle(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0) << "still there for the second handle";
  CloseHandle(second);
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, u"Kalmeno.Shared"), nullptr) << "gone with the last handle";
}

TEST_F(Events, OpeningAnEventNobodyCreatedFails) {
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, u"NeverCreated"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Events, AWaitTimesOutAfterItsTime) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, u"Unset");
  DWORD start = GetTickCount();
  EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
  DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 50u);
  EXPECT_LT(waited, 3000u);
  CloseHandle(event);
}

TEST_F(Events, AnUnnamedAutoResetEventLetsOneWaitThrough) {
  HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  CloseHandle(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED) << "a closed handle cannot be waited on";
}

}  // namespace
