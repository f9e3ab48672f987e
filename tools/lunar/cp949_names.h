#pragma once
#include <string>

namespace lunar_tool {

// Appends a NUL-terminated CP949 name field of LunarDate (Hangul names) to out as UTF-8. A
// syllable the calendar never produces appears as '?'.
void AppendNameAsUtf8(const char* cp949, std::string& out);

}  // namespace lunar_tool
