#pragma once
// Text between the terminal's UTF-8 and the records' and paths' UTF-16. A unit or byte sequence
// that is no character becomes U+FFFD.
#include <string>

namespace tool_text {

std::string Utf8(const std::u16string& text);
std::u16string Utf16(const std::string& text);

// A path as the handheld writes it (backslashes) in the host's form, as UTF-8, and back.
std::string HostPath(const std::u16string& handheldPath);
std::u16string HandheldPath(const std::string& hostPath);

}  // namespace tool_text
