#pragma once
// The Today item's registry key: the installation writes its values (DATA, the data file; EXE, the
// program a tap starts; DLL, the plug-in), the plug-in and the tools only read them.
#include "windef.h"

inline constexpr WCHAR kItemKey[] = u"Software\\Microsoft\\Today\\Items\\Kalmeno";
