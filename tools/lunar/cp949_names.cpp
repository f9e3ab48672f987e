// The calendar's name fields are CP949 (two bytes a syllable); the converter prints UTF-8. The
// names only ever use the few syllables below (stems, branches, animals, weekdays), so a fixed
// table decodes them without a code-page library. Made with Python: c.encode('cp949').
#include "tools/lunar/cp949_names.h"

#include <algorithm>
#include <iterator>

namespace lunar_tool {
namespace {

struct Syllable {
  unsigned short cp949;  // lead byte << 8 | trail byte
  const char* utf8;
};

// Sorted by cp949 code.
constexpr Syllable kSyllables[] = {
    {0xB0A9, "갑"},
    {0xB0B3, "개"},
    {0xB0E6, "경"},
    {0xB0E8, "계"},
    {0xB1DD, "금"},
    {0xB1E2, "기"},
    {0xB3A2, "끼"},
    {0xB4DF, "닭"},
    {0xB5C5, "돼"},
    {0xB8BB, "말"},
    {0xB8F1, "목"},
    {0xB9A6, "묘"},
    {0xB9AB, "무"},
    {0xB9CC, "미"},
    {0xB9EC, "뱀"},
    {0xB9FC, "범"},
    {0xBAB4, "병"},
    {0xBBE7, "사"},
    {0xBCD2, "소"},
    {0xBCF6, "수"},
    {0xBCFA, "술"},
    {0xBCFE, "숭"},
    {0xBDC5, "신"},
    {0xBEE7, "양"},
    {0xBFC0, "오"},
    {0xBFEB, "용"},
    {0xBFF8, "원"},
    {0xBFF9, "월"},
    {0xC0AF, "유"},
    {0xC0BB, "을"},
    {0xC0CC, "이"},
    {0xC0CE, "인"},
    {0xC0CF, "일"},
    {0xC0D3, "임"},
    {0xC0DA, "자"},
    {0xC1A4, "정"},
    {0xC1E3, "쥐"},
    {0xC1F6, "지"},
    {0xC1F8, "진"},
    {0xC3E0, "축"},
    {0xC5E4, "토"},
    {0xC7D8, "해"},
    {0xC8AD, "화"},
};

constexpr bool IsSorted() {
  for (size_t i = 1; i < std::size(kSyllables); ++i)
    if (kSyllables[i - 1].cp949 >= kSyllables[i].cp949) return false;
  return true;
}
static_assert(IsSorted(), "kSyllables must be sorted by code for the binary search");

}  // namespace

void AppendNameAsUtf8(const char* cp949, std::string& out) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(cp949); p[0] && p[1]; p += 2) {
    const unsigned short code = static_cast<unsigned short>(p[0] << 8 | p[1]);
    auto it = std::lower_bound(std::begin(kSyllables), std::end(kSyllables), code,
                               [](const Syllable& s, unsigned short c) { return s.cp949 < c; });
    out += it != std::end(kSyllables) && it->cp949 == code ? it->utf8 : "?";
  }
}

}  // namespace lunar_tool
