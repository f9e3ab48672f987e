// Static text and icons, push buttons and check boxes, driven by messages as the window manager
// and the dialog manager send them.
#include "tests/platform_controls/control_test_support.h"

namespace {

using StaticControl = ControlTest;
using ButtonControl = ControlTest;

TEST_F(StaticControl, KeepsItsTextAndFont) {
  HWND label = Create(u"STATIC", SS_LEFT, 10, 0, 0, 100, 20, u"처음");
  EXPECT_EQ(TextOf(label), u"처음");
  SetWindowTextW(label, u"바뀐 글");
  EXPECT_EQ(TextOf(label), u"바뀐 글");
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), font);
}

TEST_F(StaticControl, ClassNamesAreFoundWhateverTheirLetterCase) {
  EXPECT_NE(Create(u"STATIC", SS_CENTER, 11, 0, 0, 50, 20), nullptr);
  EXPECT_NE(Create(u"sysListView32", LVS_REPORT, 12, 0, 30, 50, 50), nullptr);
  HWND button = Create(u"Button", BS_PUSHBUTTON, 13, 0, 90, 80, 20);
  ASSERT_NE(button, nullptr);
  char16_t name[32] = {};
  GetClassNameW(button, name, 32);
  EXPECT_EQ(std::u16string(name), u"BUTTON");  // the name as registered
}

TEST_F(StaticControl, TheParentsBrushFillsTheBackgroundAndItsTextColourDrawsTheText) {
  g_staticBrush = CreateSolidBrush(RGB(0, 128, 0));
  g_staticText = RGB(255, 0, 0);
  HWND label = Create(u"STATIC", SS_LEFT, 10, 0, 0, 120, 30, u"■■■■");
  EXPECT_EQ(PixelOf(label, 118, 28), RGB(0, 128, 0));
  int redPixels = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 20; ++y)
      if (PixelOf(label, x, y) == RGB(255, 0, 0)) ++redPixels;
  EXPECT_GT(redPixels, 20);
}

// The columns of the control that hold text pixels.
static std::pair<int, int> InkColumns(HWND control, int width, int height) {
  int first = -1, last = -1;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (ControlTest::IsDark(ControlTest::PixelOf(control, x, y))) {
        if (first < 0) first = x;
        last = x;
      }
  return {first, last};
}

TEST_F(StaticControl, AlignsItsTextAndRepaintsWhenTheTextChanges) {
  HWND left = Create(u"STATIC", SS_LEFT, 10, 0, 0, 200, 20, u"한글");
  HWND right = Create(u"STATIC", SS_RIGHT, 11, 0, 30, 200, 20, u"한글");
  HWND centre = Create(u"STATIC", SS_CENTER, 12, 0, 60, 200, 20, u"한글");
  EXPECT_LT(InkColumns(left, 200, 20).first, 5);
  EXPECT_GT(InkColumns(right, 200, 20).second, 194);
  auto middle = InkColumns(centre, 200, 20);
  EXPECT_NEAR((middle.first + middle.second) / 2, 100, 4);
  SetWindowTextW(left, u"");
  EXPECT_EQ(InkColumns(left, 200, 20).first, -1);
}

TEST_F(StaticControl, WrapsLongTextUnlessTold) {
  HWND wrapped = Create(u"STATIC", SS_LEFT, 10, 0, 0, 60, 60, u"가나다 라마바 사아자");
  HWND single = Create(u"STATIC", SS_LEFTNOWORDWRAP, 11, 0, 70, 60, 60, u"가나다 라마바 사아자");
  auto inkRows = [](HWND control) {
    int rows = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x)
        if (ControlTest::IsDark(ControlTest::PixelOf(control, x, y))) { rows = y; break; }
    return rows;  // the lowest row with ink
  };
  EXPECT_GT(inkRows(wrapped), 20);
  EXPECT_LT(inkRows(single), 18);
}

TEST_F(StaticControl, IconMessagesSwapTheIconAndReturnThePreviousOne) {
  HWND icon = Create(u"STATIC", SS_ICON, 14, 0, 0, 32, 32);
  EXPECT_EQ(SendMessageW(icon, STM_GETICON, 0, 0), 0);
  // Only the handle is kept and handed back; it is taken away again before anything paints.
  auto handle = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x5A5A));
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(handle), 0), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)), handle);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(icon, STM_SETICON, 0, 0)), handle);
}

TEST_F(ButtonControl, ATapSendsClickedWithItsIdToTheParent) {
  HWND button = Create(u"BUTTON", BS_PUSHBUTTON, 1001, 10, 10, 80, 24, u"확인");
  Tap(button, 40, 12);
  auto clicks = NoticesOf(BN_CLICKED);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].id, 1001);
  EXPECT_EQ(clicks[0].from, button);
}

TEST_F(ButtonControl, ReleasingOutsideIsNoClick) {
  HWND button = Create(u"BUTTON", BS_DEFPUSHBUTTON, 1001, 10, 10, 80, 24, u"확인");
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
  SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 12));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 12));
  EXPECT_TRUE(NoticesOf(BN_CLICKED).empty());
}

TEST_F(ButtonControl, LooksPressedWhileHeld) {
  HWND button = Create(u"BUTTON", BS_PUSHBUTTON, 1001, 10, 10, 80, 24, u"");
  COLORREF released = PixelOf(button, 40, 12);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
  COLORREF held = PixelOf(button, 40, 12);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
  EXPECT_NE(released, held);
  EXPECT_EQ(PixelOf(button, 40, 12), released);
}

TEST_F(ButtonControl, AnAutoCheckBoxTogglesOnATapAndAnswersItsState) {
  HWND box = Create(u"BUTTON", BS_AUTOCHECKBOX, 1008, 10, 10, 15, 15);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Tap(box, 7, 7);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(NoticesOf(BN_CLICKED).size(), 1u);
  SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(NoticesOf(BN_CLICKED).size(), 1u);  // setting it is no click
}

TEST_F(ButtonControl, TheCheckMarkIsDrawn) {
  HWND box = Create(u"BUTTON", BS_AUTOCHECKBOX, 1008, 10, 10, 15, 15);
  auto darkInBox = [&] {
    int dark = 0;
    for (int x = 3; x < 12; ++x)
      for (int y = 3; y < 12; ++y)
        if (PixelOf(box, x, y) == RGB(0, 0, 0)) ++dark;
    return dark;
  };
  EXPECT_EQ(darkInBox(), 0);
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_GT(darkInBox(), 8);
}

TEST_F(ButtonControl, TheScriptTicksACheckBoxAsATapWould) {
  HWND box = Create(u"BUTTON", BS_AUTOCHECKBOX, 1009, 10, 10, 15, 15);
  EXPECT_EQ(SendMessageW(box, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"1")), TRUE);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(NoticesOf(BN_CLICKED).size(), 1u);
  EXPECT_EQ(SendMessageW(box, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"1")), TRUE);
  EXPECT_EQ(NoticesOf(BN_CLICKED).size(), 1u);  // already ticked: no second click
  EXPECT_EQ(SendMessageW(box, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"yes")), FALSE);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
