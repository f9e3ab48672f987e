#pragma once
// The handheld's system interface, as the program and the plug-in see it.
#include "windef.h"
#include "winbase.h"
#include "winreg.h"
#include "winuser.h"
#include "wingdi.h"
#include "commctrl.h"
#include "imm.h"
