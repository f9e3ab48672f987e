// The common control classes register themselves when the platform library loads (each control's
// file does it from a static initialiser), so these calls only confirm that they are there.
#include "windows.h"

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init && init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  return TRUE;
}

void InitCommonControls() {}
