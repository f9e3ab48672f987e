// Message boxes are modal nested loops: while one is open every other window's timers and posted
// messages keep running, its owner takes no input, and a second box may open over the first.
#include <gtest/gtest.h>

#include "aygshell.h"
#include "kp_platform.h"
#include "tests/platform_wm/wm_test_support.h"

using namespace wmtest;

namespace {

class ModalLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    m_window = CreateWindowExW(0, u"Recorder", u"Owner", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    PumpIdle();
    Log().clear();
  }
  void TearDown() override {
    SetHook(nullptr);
    DestroyWindow(m_window);
  }
  int Count(UINT message) {
    int n = 0;
    for (const Seen& s : Log())
      if (s.window == m_window && s.message == message) ++n;
    return n;
  }
  HWND m_window = nullptr;
};

TEST_F(ModalLoop, OpenMessageBoxKeepsTimersAndPostedMessagesOfOtherWindowsRunning) {
  bool ownerEnabledDuringBox = true;
  SetHook([&](HWND w, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m == WM_TIMER) ownerEnabledDuringBox = ownerEnabledDuringBox && IsWindowEnabled(w);
    return false;
  });
  SetTimer(m_window, 1, 20, nullptr);
  PostMessageW(m_window, WM_USER + 7, 0, 0);
  KpQueueScript("wait 300\nanswer\n");
  DWORD start = GetTickCount();
  EXPECT_EQ(MessageBoxW(m_window, u"본문", u"제목", MB_OK), IDOK);
  DWORD open = GetTickCount() - start;
  KillTimer(m_window, 1);
  EXPECT_GE(open, 300u) << "the box stays open until answered";
  EXPECT_EQ(Count(WM_USER + 7), 1);
  EXPECT_EQ(Count(WM_TIMER), 15) << "a 20 ms timer ran on through 300 ms";
  EXPECT_FALSE(ownerEnabledDuringBox) << "the owner is disabled while its box is open";
  EXPECT_TRUE(IsWindowEnabled(m_window)) << "and enabled again afterwards";
}

TEST_F(ModalLoop, OwnerTakesNoStylusInputWhileItsBoxIsOpen) {
  KpQueueScript("tap 20 40\nanswer\ntap 20 40\n");
  MessageBoxW(m_window, u"본문", u"제목", MB_OK);
  EXPECT_EQ(Count(WM_LBUTTONDOWN), 0);
  PumpUntil([&] { return Count(WM_LBUTTONUP) == 1; }, 2000);
  EXPECT_EQ(Count(WM_LBUTTONDOWN), 1) << "after the box, taps arrive again";
}

TEST_F(ModalLoop, SecondBoxOpenedFromATimerClosesFirstAndTheFirstStaysOpen) {
  std::vector<std::string> events;
  SetHook([&](HWND w, UINT m, WPARAM id, LPARAM, LRESULT*) {
    if (m != WM_TIMER || id != 2) return false;
    KillTimer(w, 2);
    events.push_back("inner opens");
    MessageBoxW(nullptr, u"두 번째", u"안쪽", MB_OK);
    events.push_back("inner closed");
    return true;
  });
  SetTimer(m_window, 2, 50, nullptr);
  KpQueueScript("wait 200\nanswer\nwait 100\nanswer\n");
  MessageBoxW(m_window, u"첫 번째", u"바깥", MB_OK);
  events.push_back("outer closed");
  EXPECT_EQ(events, (std::vector<std::string>{"inner opens", "inner closed", "outer closed"}));
}

TEST_F(ModalLoop, QuitPostedInsideTheBoxEndsItAndReachesTheOuterLoop) {
  KpQueueScript("wait 50\n");
  SetTimer(m_window, 3, 20, nullptr);
  SetHook([&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m == WM_TIMER) PostQuitMessage(4);
    return false;
  });
  MessageBoxW(m_window, u"본문", u"제목", MB_OK);
  KillTimer(m_window, 3);
  MSG msg;
  ASSERT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 4u);
}

}  // namespace

namespace {

TEST_F(ModalLoop, MenuBarOfTheOwnerTakesNoTapsWhileItsBoxIsOpen) {
  SHMENUBARINFO bar{sizeof(SHMENUBARINFO), m_window, SHCMBF_EMPTYBAR, 0, nullptr, 0, 0, nullptr, 0};
  ASSERT_TRUE(SHCreateMenuBar(&bar));
  std::vector<UINT> barMessages;
  // The bar's own procedure stays in place; a subclass only watches what reaches it.
  static WNDPROC original;
  static std::vector<UINT>* seen;
  seen = &barMessages;
  original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(bar.hwndMB, GWLP_WNDPROC));
  SetWindowLongPtrW(bar.hwndMB, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
                      if (m == WM_LBUTTONDOWN) seen->push_back(m);
                      return CallWindowProcW(original, w, m, wp, lp);
                    }));
  KpQueueScript("tap 60 307\nanswer\n");
  MessageBoxW(m_window, u"본문", u"제목", MB_OK);
  EXPECT_TRUE(barMessages.empty());
  KpQueueScript("tap 60 307\n");
  PumpUntil([&] { return !barMessages.empty(); }, 2000);
  EXPECT_EQ(barMessages.size(), 1u) << "after the box the bar takes taps again";
}

}  // namespace

namespace {

TEST_F(ModalLoop, AnOpenBoxIsTheActiveWindowThatScriptCommandsReach) {
  HWND activeDuringBox = nullptr;
  WCHAR caption[8] = {};
  SetTimer(m_window, 4, 20, nullptr);
  SetHook([&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m != WM_TIMER || activeDuringBox) return false;
    activeDuringBox = KpGetActiveTopLevel();
    GetWindowTextW(activeDuringBox, caption, 8);
    return false;
  });
  // IDOK to the active window: the box's OK.
  KpQueueScript("wait 100\ncommand 1\n");
  MessageBoxW(m_window, u"본문", u"상자", MB_OK);
  KillTimer(m_window, 4);
  ASSERT_TRUE(activeDuringBox);
  EXPECT_NE(activeDuringBox, m_window);
  EXPECT_EQ(std::u16string(caption), u"상자");
  EXPECT_EQ(Count(WM_COMMAND), 0) << "the command went to the box, not to its owner";
  EXPECT_EQ(KpGetActiveTopLevel(), m_window);
}

}  // namespace
