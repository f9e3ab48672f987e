#pragma once
// The Today item's registry key: the installation writes its values (DATA, the data file; EXE, the
// program a tap starts; DLL, this library), the library and the converter only read them.
#include "windef.h"

inline constexpr WCHAR kItemKey[] = u"Software\\Microsoft\\Today\\Items\\Kalmeno";
