// The in-process tests share one platform per process: it is set up before any test runs.
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "tests/today/today_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (for ctest) needs no platform.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // Time moves only as the tests let it (Pump): the moon's animation, the refresh and the
  // reminders come at exactly the steps the tests expect, however busy the machine is.
  KpUseSteppedClock();
  SetUpTodayTestEnvironment();
  int result = RUN_ALL_TESTS();
  TearDownTodayTestEnvironment();
  return result;
}
