#pragma once
// The Today item's registry key: the installation writes its values (DATA, the data file; EXE, the
// program a tap starts; DLL, the plug-in), the plug-in and the tools only read them.
#include "windef.h"

// Internal to each file that uses it: a shared (inline) variable would be a unique symbol that keeps
// the plug-in from ever being unloaded.
constexpr WCHAR kItemKey[] = u"Software\\Microsoft\\Today\\Items\\Kalmeno";
