// Menus: loading from resources, check marks, and the popup menu's nested loop (a tap on an
// item sends its command, a press outside closes it, the release that ends the opening gesture
// chooses nothing).
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "kp_resources.h"
#include "tests/platform_wm/wm_test_support.h"

using namespace wmtest;

namespace {

const KpMenuItem kSubItems[] = {{0, 31, u"셋", nullptr, 0}, {MF_CHECKED, 32, u"넷", nullptr, 0}};
const KpMenuItem kPopupItems[] = {
    {0, 21, u"하나", nullptr, 0}, {MF_SEPARATOR, 0, nullptr, nullptr, 0}, {MF_POPUP, 0, u"더", kSubItems, 2}};
const KpMenuItem kTopItems[] = {{MF_POPUP, 0, u"메뉴", kPopupItems, 3}};
const KpMenuTemplate kMenus[] = {{300, kTopItems, 1}};
const KpModuleResources kResources = {nullptr, 0, kMenus, 1, nullptr, 0, nullptr, 0};
KP_REGISTER_MODULE_RESOURCES(kResources)

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    KpInitialize(0, nullptr);
    RegisterRecorderClass();
    m_window = CreateWindowExW(0, u"Recorder", u"M", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    m_menu = CreatePopupMenu();
    AppendMenuW(m_menu, MF_STRING, 11, u"하나");
    AppendMenuW(m_menu, MF_STRING, 12, u"둘");
    PumpIdle();
    Log().clear();
  }
  void TearDown() override {
    SetHook(nullptr);
    DestroyMenu(m_menu);
    DestroyWindow(m_window);
  }
  std::vector<WPARAM> Commands() {
    std::vector<WPARAM> ids;
    for (const Seen& s : Log())
      if (s.message == WM_COMMAND) ids.push_back(s.wParam);
    return ids;
  }
  HWND m_window = nullptr;
  HMENU m_menu = nullptr;
};

// A menu opened at (10, 50): items are 24 px rows below a 1 px border, the first at y 51..74.
TEST_F(Menus, TappingAnItemPostsItsCommandToTheOwner) {
  KpQueueScript("tap 30 90\n");
  EXPECT_TRUE(TrackPopupMenuEx(m_menu, 0, 10, 50, m_window, nullptr));
  PumpIdle();
  EXPECT_EQ(Commands(), std::vector<WPARAM>{12});
}

TEST_F(Menus, ReturnCommandGivesTheChoiceInsteadOfPostingIt) {
  KpQueueScript("tap 30 60\n");
  EXPECT_EQ(TrackPopupMenuEx(m_menu, TPM_RETURNCMD, 10, 50, m_window, nullptr), 11);
  PumpIdle();
  EXPECT_TRUE(Commands().empty());
}

TEST_F(Menus, PressOutsideClosesTheMenuAndIsUsedUp) {
  KpQueueScript("tap 200 250\n");
  EXPECT_EQ(TrackPopupMenuEx(m_menu, TPM_RETURNCMD, 10, 50, m_window, nullptr), 0);
  PumpIdle();
  for (const Seen& s : Log()) EXPECT_NE(s.message, WM_LBUTTONDOWN) << "the closing press reached the window";
}

TEST_F(Menus, ReleaseEndingTheOpeningPressDoesNotChoose) {
  int chosen = -1;
  SetHook([&](HWND w, UINT m, WPARAM, LPARAM l, LRESULT*) {
    if (m != WM_LBUTTONDOWN) return false;
    POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    ClientToScreen(w, &at);
    chosen = TrackPopupMenuEx(m_menu, TPM_RETURNCMD, at.x, at.y, w, nullptr);
    return true;
  });
  // The release lands on the first item, right under the stylus; the later tap is on the second.
  KpQueueScript("down 20 60\nup 25 65\ntap 25 90\n");
  ASSERT_TRUE(PumpUntil([&] { return chosen != -1; }));
  EXPECT_EQ(chosen, 12);
}

TEST_F(Menus, MenusFromResourcesKeepTheirTreeAndCheckMarks) {
  HMENU loaded = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(300));
  ASSERT_TRUE(loaded);
  HMENU popup = GetSubMenu(loaded, 0);
  ASSERT_TRUE(popup);
  EXPECT_EQ(GetMenuItemCount(popup), 3);
  EXPECT_EQ(GetSubMenu(popup, 0), nullptr) << "a command item has no sub-menu";
  // By command, the search reaches into sub-menus; the previous state comes back.
  EXPECT_EQ(CheckMenuItem(loaded, 32, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(loaded, 32, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(popup, 21, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(popup, 21, MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(popup, 99, MF_CHECKED), static_cast<DWORD>(-1));
  EXPECT_EQ(CheckMenuItem(popup, 0, MF_BYPOSITION | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(301)), nullptr);
  EXPECT_TRUE(DestroyMenu(loaded));
  EXPECT_EQ(GetMenuItemCount(popup), -1) << "destroying a menu destroys its sub-menus";
}

}  // namespace
