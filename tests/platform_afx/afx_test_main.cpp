// The framework's in-process tests run against the real window manager, headless.
#include <gtest/gtest.h>

#include <cstdlib>

#include "kp_platform.h"

namespace {

class HeadlessPlatform : public testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    KpInitialize(0, nullptr);
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new HeadlessPlatform);
  return RUN_ALL_TESTS();
}
