#pragma once
// A parent window for control tests: it records the WM_COMMAND and WM_NOTIFY messages its
// controls send, and answers WM_CTLCOLORSTATIC with a colour the test chooses.
#include <gtest/gtest.h>

#include <vector>

#include "kp_platform.h"
#include "windows.h"

struct Notice {
  UINT message;     // WM_COMMAND or WM_NOTIFY
  int id;
  UINT code;        // notification code
  HWND from;
  NMLISTVIEW list;  // for LVN_ITEMCHANGED
  SYSTEMTIME time;  // for DTN_DATETIMECHANGE
};

class ControlTest : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  HWND Create(LPCWSTR className, DWORD style, int id, int x, int y, int width, int height, LPCWSTR text = u"");
  // A tap at a point of the window's client area, as the window manager delivers it.
  static void Tap(HWND window, int x, int y);
  static void Type(HWND window, const std::u16string& text);
  static void Key(HWND window, UINT key);
  // The notices with this code (WM_COMMAND code or WM_NOTIFY code).
  std::vector<Notice> NoticesOf(UINT code) const;
  static std::u16string TextOf(HWND window);
  // Paints now and reads a pixel of the window's client area.
  static COLORREF PixelOf(HWND window, int x, int y);
  // The top-most top-level window that is not the test's parent (a drop-down, when one is open).
  HWND TopPopup() const;
  static int SystemLineHeight(HWND window);
  // Text pixels, anti-aliased or not.
  static bool IsDark(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 110; }

  HWND m_parent = nullptr;
};

extern std::vector<Notice> g_notices;
extern HBRUSH g_staticBrush;
extern COLORREF g_staticText;
