// The shell's services: full-screen dialog set-up and the menu bar's answers about its buttons.
#include <gtest/gtest.h>

#include "aygshell.h"
#include "kp_platform.h"
#include "kp_resources.h"
#include "tests/platform_wm/wm_test_support.h"
#include "tests/support/e2e.h"

using namespace wmtest;

namespace {

const KpMenuItem kFirstPopup[] = {{0, 41, u"가", nullptr, 0}};
const KpMenuItem kSecondPopup[] = {{0, 42, u"나", nullptr, 0}};
const KpMenuItem kBar[] = {{MF_POPUP, 0, u"첫째", kFirstPopup, 1}, {MF_POPUP, 0, u"둘째", kSecondPopup, 1}};
const KpMenuTemplate kMenus[] = {{400, kBar, 2}};
const KpModuleResources kResources = {nullptr, 0, kMenus, 1, nullptr, 0, nullptr, 0};
KP_REGISTER_MODULE_RESOURCES(kResources)

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    m_window = CreateWindowExW(0, u"Recorder", u"S", WS_POPUP | WS_VISIBLE, 20, 60, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(m_window); }
  HWND m_window = nullptr;
};

TEST_F(Shell, FullScreenDialogFillsTheWorkAreaAndDoneButtonIsTheCaptionOk) {
  SHINITDLGINFO info{SHIDIM_FLAGS, m_window, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
  ASSERT_TRUE(SHInitDialog(&info));
  RECT r;
  GetWindowRect(m_window, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 26);
  EXPECT_EQ(r.right, 240);
  EXPECT_EQ(r.bottom, 294);
  EXPECT_TRUE(GetWindowLongW(m_window, GWL_EXSTYLE) & static_cast<LONG>(WS_EX_CAPTIONOKBTN));
  // A tap on the caption's ok button is IDOK to the window.
  KpQueueScript("tap 222 12\n");
  ASSERT_TRUE(PumpUntil([] {
    for (const Seen& s : Log())
      if (s.message == WM_COMMAND && LOWORD(s.wParam) == IDOK) return true;
    return false;
  }));
}

TEST_F(Shell, MenuBarButtonsCarryTheirPopupMenus) {
  SHMENUBARINFO bar{sizeof(SHMENUBARINFO), m_window, SHCMBF_HMENU, 400, GetModuleHandleW(nullptr), 0, 0, nullptr, 0};
  ASSERT_TRUE(SHCreateMenuBar(&bar));
  ASSERT_TRUE(bar.hwndMB);
  RECT r;
  GetWindowRect(bar.hwndMB, &r);
  EXPECT_EQ(r.top, 294);
  EXPECT_EQ(r.bottom, 320);
  EXPECT_EQ(SendMessageW(bar.hwndMB, TB_BUTTONCOUNT, 0, 0), 2);
  TBBUTTON button{};
  ASSERT_TRUE(SendMessageW(bar.hwndMB, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button)));
  HMENU second = reinterpret_cast<HMENU>(button.dwData);
  EXPECT_EQ(GetMenuItemCount(second), 1);
  EXPECT_EQ(CheckMenuItem(second, 42, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED)) << "a live menu";
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_BYINDEX | TBIF_LPARAM;
  EXPECT_EQ(SendMessageW(bar.hwndMB, TB_GETBUTTONINFOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  HMENU first = reinterpret_cast<HMENU>(info.lParam);
  EXPECT_EQ(CheckMenuItem(first, 41, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(first, 42, MF_CHECKED), static_cast<DWORD>(-1)) << "each button its own popup";
  EXPECT_FALSE(SendMessageW(bar.hwndMB, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&button)));
  // The bar goes with its window.
  DestroyWindow(m_window);
  EXPECT_FALSE(IsWindow(bar.hwndMB));
}

TEST_F(Shell, ClosingTheDesktopWindowAsksTheActiveWindowToCancel) {
  HWND below = CreateWindowExW(0, u"Recorder", u"Below", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                               nullptr, nullptr);
  SetActiveWindow(m_window);
  Log().clear();
  ASSERT_TRUE(e2e::CloseDesktopWindow());
  PumpIdle();
  std::vector<Seen> cancels;
  for (const Seen& s : Log())
    if (s.message == WM_COMMAND) cancels.push_back(s);
  ASSERT_EQ(cancels.size(), 1u);
  EXPECT_EQ(cancels[0].window, m_window);
  EXPECT_EQ(LOWORD(cancels[0].wParam), IDCANCEL);
  EXPECT_TRUE(IsWindow(m_window)) << "the window decides; nothing is closed by force";
  DestroyWindow(below);
}

// The close button closes the windows top first: a window above the bottom one as its cancel
// would, then the bottom one with its title bar's ok. A window that stays ends the request.
TEST_F(Shell, TheCloseButtonClosesTheWindowsTopFirstAsAPersonWould) {
  struct Case {
    const char* what;
    bool upper;          // a second window above the bottom one
    bool upperCloses;    // it hides itself on IDCANCEL
    std::vector<int> commands;  // +id to the upper window, -id to the bottom one, in order
  };
  const Case cases[] = {
      {"alone: the title bar's ok", false, false, {-IDOK}},
      {"a window above goes first, then the ok", true, true, {IDCANCEL, -IDOK}},
      {"a window above that stays ends the request", true, false, {IDCANCEL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetWindowLongW(m_window, GWL_EXSTYLE, GetWindowLongW(m_window, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CAPTIONOKBTN));
    HWND upper = c.upper ? CreateWindowExW(0, u"Recorder", u"U", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr,
                                           nullptr, nullptr, nullptr)
                         : nullptr;
    if (upper) SetActiveWindow(upper);
    SetHook([&](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
      if (window == upper && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && c.upperCloses)
        ShowWindow(upper, SW_HIDE);
      return false;
    });
    Log().clear();
    ASSERT_TRUE(e2e::CloseDesktopWindow());
    PumpIdle();
    std::vector<int> commands;
    for (const Seen& s : Log())
      if (s.message == WM_COMMAND) commands.push_back(s.window == upper ? LOWORD(s.wParam) : -LOWORD(s.wParam));
    EXPECT_EQ(commands, c.commands);
    SetHook(nullptr);
    if (upper) DestroyWindow(upper);
  }
}

TEST_F(Shell, MenuBarFromAMissingResourceFails) {
  SHMENUBARINFO bar{sizeof(SHMENUBARINFO), m_window, SHCMBF_HMENU, 999, GetModuleHandleW(nullptr), 0, 0, nullptr, 0};
  EXPECT_FALSE(SHCreateMenuBar(&bar));
  EXPECT_EQ(bar.hwndMB, nullptr);
}

}  // namespace
