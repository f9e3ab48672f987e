#include "calendar/weekday_names.h"

#include <array>

namespace {

constexpr char16_t kNames[7][2] = {u"일", u"월", u"화", u"수", u"목", u"금", u"토"};

// The names' UTF-8, made from kNames: each is one Hangul syllable (U+AC00..U+D7A3), three bytes.
using Utf8Name = std::array<char, 4>;

constexpr Utf8Name EncodeSyllable(char16_t c) {
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F)), '\0'};
}

constexpr std::array<Utf8Name, 7> EncodeAll() {
  std::array<Utf8Name, 7> names{};
  for (int i = 0; i < 7; ++i) names[i] = EncodeSyllable(kNames[i][0]);
  return names;
}

constexpr std::array<Utf8Name, 7> kNamesUtf8 = EncodeAll();
static_assert(kNamesUtf8[0][0] == '\xEC' && kNamesUtf8[0][1] == '\x9D' && kNamesUtf8[0][2] == '\xBC',
              "U+C77C (일) is EC 9D BC in UTF-8");

}  // namespace

const char16_t* WeekdayName(int weekday) { return kNames[weekday]; }

const char* WeekdayNameUtf8(int weekday) { return kNamesUtf8[weekday].data(); }
