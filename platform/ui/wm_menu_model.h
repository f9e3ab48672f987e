#pragma once
// Menus as the window manager keeps them: a tree of items, popups owning their sub-menus.
#include <string>
#include <vector>

#include "windows.h"

namespace kpwm {

struct Menu;

struct MenuItem {
  UINT flags = 0;          // MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED
  UINT_PTR id = 0;
  std::u16string text;
  Menu* popup = nullptr;
};

struct Menu {
  std::vector<MenuItem> items;
};

Menu* MenuFromHandle(HMENU menu);   // null when not a live menu
inline HMENU MenuHandle(Menu* menu) { return reinterpret_cast<HMENU>(menu); }

// The popup menu loop (wm_popup_menu.cpp). With `openUpwards` the bottom edge is at y (a menu
// opened from the menu bar).
UINT_PTR TrackMenu(Menu* menu, int x, int y, bool openUpwards, HWND owner, bool returnCommand);

}  // namespace kpwm
