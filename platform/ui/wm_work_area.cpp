// The work area: the screen between the shell's title bar at the top and the menu bar at the
// bottom, where windows and their drop-downs belong.
#include "platform/ui/wm_internal.h"

using namespace kpwm;

BOOL SystemParametersInfoW(UINT action, UINT, LPVOID value, UINT) {
  if (action != SPI_GETWORKAREA || !value) return FALSE;
  *static_cast<RECT*>(value) = RECT{0, TitleBarHeight(), ScreenWidth(), ScreenHeight() - MenuBarHeight()};
  return TRUE;
}
