// The system colours of the handheld and their brushes.
#include "platform/ui/gdi_internal.h"

namespace {

constexpr int kColourCount = 27;

// The handheld's standard scheme: grey button faces, white windows, blue selection.
constexpr COLORREF kColours[kColourCount] = {
    RGB(212, 208, 200),  // 0 COLOR_SCROLLBAR
    RGB(58, 110, 165),   // 1 COLOR_BACKGROUND
    RGB(0, 84, 227),     // 2 COLOR_ACTIVECAPTION
    RGB(122, 150, 223),  // 3 inactive caption
    RGB(255, 255, 255),  // 4 COLOR_MENU
    RGB(255, 255, 255),  // 5 COLOR_WINDOW
    RGB(0, 0, 0),        // 6 COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // 7 COLOR_MENUTEXT
    RGB(0, 0, 0),        // 8 COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // 9 COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(0, 84, 227),     // 13 COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // 14 COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // 15 COLOR_BTNFACE
    RGB(128, 128, 128),  // 16 COLOR_BTNSHADOW
    RGB(128, 128, 128),  // 17 COLOR_GRAYTEXT
    RGB(0, 0, 0),        // 18 COLOR_BTNTEXT
    RGB(216, 228, 248),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // 21 3-D dark shadow
    RGB(212, 208, 200),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tool-tip text
    RGB(255, 255, 225),  // 24 tool-tip background
    RGB(255, 255, 255),  // 25 COLOR_STATIC: static controls sit on the white dialog background
    RGB(0, 0, 0),        // 26 COLOR_STATICTEXT
};

}  // namespace

DWORD GetSysColor(int index) { return index >= 0 && index < kColourCount ? kColours[index] : 0; }

// One brush per colour for the life of the process; deleting it does nothing.
HBRUSH GetSysColorBrush(int index) {
  static KpBrush* brushes[kColourCount] = {};
  if (index < 0 || index >= kColourCount) return nullptr;
  if (!brushes[index]) brushes[index] = KpMakePermanentBrush(kColours[index]);
  return brushes[index];
}
