// The tap-and-hold recogniser: 1000 only once the stylus has been held still for the hold time,
// 0 as soon as it is lifted; either way the window still gets its release (every case ends with
// the release arriving).
#include <gtest/gtest.h>

#include "aygshell.h"
#include "kp_platform.h"
#include "tests/platform_wm/wm_test_support.h"

using namespace wmtest;

namespace {

class Gesture : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    m_window = CreateWindowExW(0, u"Recorder", u"G", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    SetHook([this](HWND w, UINT m, WPARAM, LPARAM l, LRESULT*) {
      if (m == WM_LBUTTONUP) m_released = true;
      if (m != WM_LBUTTONDOWN) return false;
      SHRGINFO info{sizeof(SHRGINFO), w, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}, SHRG_RETURNCMD};
      DWORD start = GetTickCount();
      m_result = static_cast<int>(SHRecognizeGesture(&info));
      m_heldMs = static_cast<int>(GetTickCount() - start);
      return true;
    });
    PumpIdle();
  }
  void TearDown() override {
    SetHook(nullptr);
    DestroyWindow(m_window);
  }
  HWND m_window = nullptr;
  int m_result = -1;
  int m_heldMs = -1;
  bool m_released = false;
};

// How long the stylus stays down, what the recogniser answers and when: on the stepped clock the
// answer comes at the hold time exactly, or at the release when that is earlier.
TEST_F(Gesture, TheAnswerComesAtTheHoldTimeOrAtTheReleaseWhicheverIsFirst) {
  const struct {
    const char* script;
    int result;
    int answeredAfterMs;
  } cases[] = {
      {"hold 50 100\n", GN_CONTEXTMENU, 500},
      {"down 50 100\nwait 1500\nup 50 100\n", GN_CONTEXTMENU, 500},  // reported at the hold time
      {"down 50 100\nwait 499\nup 50 100\n", 0, 499},
      {"down 50 100\nwait 150\nup 50 100\n", 0, 150},
      {"tap 50 100\n", 0, 0},
  };
  for (const auto& c : cases) {
    m_released = false;
    m_result = m_heldMs = -1;
    KpQueueScript(c.script);
    ASSERT_TRUE(PumpUntil([&] { return m_released; })) << c.script;
    EXPECT_EQ(m_result, c.result) << c.script;
    EXPECT_EQ(m_heldMs, c.answeredAfterMs) << c.script;
  }
}

TEST_F(Gesture, WithoutAPressedStylusThereIsNoGesture) {
  SHRGINFO info{sizeof(SHRGINFO), m_window, POINT{5, 5}, SHRG_RETURNCMD};
  EXPECT_EQ(SHRecognizeGesture(&info), 0u);
}

}  // namespace
