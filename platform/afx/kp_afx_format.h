#pragma once
// The formatting behind CString::Format.
#include <cstdarg>
#include <string>

#include "windows.h"

// Formats like wsprintfW, without its length limit. Understands flags '-', '+', ' ', '0', '#',
// a width and a precision (digits or '*'), the sizes h, l (32 bits, as on the handheld), ll and
// I64, and the conversions d i u x X o c s S (S: a narrow string) and %%. An unknown conversion
// is copied as it stands.
std::u16string KpFormatV(LPCWSTR format, va_list args);
