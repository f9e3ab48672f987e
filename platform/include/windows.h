#pragma once
// The handheld's system interface, as the program and the plug-in see it.
#include "commctrl.h"
#include "imm.h"
#include "winbase.h"
#include "windef.h"
#include "wingdi.h"
#include "winreg.h"
#include "winuser.h"
