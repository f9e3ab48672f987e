// Static text and icons, push buttons and check boxes, driven by messages as the window manager
// and the dialog manager send them.
#include "control_test_support.h"

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

TEST_F(StaticControl, ClassNamesAreFoundInCapitalsAsRegistered) {
  EXPECT_NE(Create(u"STATIC", SS_CENTER, 11, 0, 0, 50, 20), nullptr);
  EXPECT_NE(Create(WC_LISTVIEWW, LVS_REPORT, 12, 0, 30, 50, 50), nullptr);
  EXPECT_NE(Create(DATETIMEPICK_CLASSW, 0, 13, 0, 90, 80, 20), nullptr);
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
