// The formatter and string functions, checked against what the system's own format strings need.
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

template <typename... Args>
std::string Format(const char16_t* format, Args... args) {
  WCHAR buffer[1100];
  int n = wsprintfW(buffer, format, args...);
  EXPECT_EQ(n, lstrlenW(buffer)) << "the result counts the units written";
  return KpToUtf8(buffer);
}

TEST(Formatter, NumbersWithWidthAndPadding) {
  EXPECT_EQ(Format(u"%d", 0), "0");
  EXPECT_EQ(Format(u"%d", -123), "-123");
  EXPECT_EQ(Format(u"%02d", 5), "05");
  EXPECT_EQ(Format(u"%02d", 123), "123") << "width is a minimum, never a cut";
  EXPECT_EQ(Format(u"%04d", 2007), "2007");
  EXPECT_EQ(Format(u"%04d", 7), "0007");
  EXPECT_EQ(Format(u"%03d", -5), "-05") << "zeros go after the sign";
  EXPECT_EQ(Format(u"%4d|%-4d|", 42, 42), "  42|42  |");
  EXPECT_EQ(Format(u"%u", 4294967295u), "4294967295");
  EXPECT_EQ(Format(u"%x %X %08x", 0xbeefu, 0xbeefu, 0x1fu), "beef BEEF 0000001f");
  EXPECT_EQ(Format(u"%i", 17), "17");
  EXPECT_EQ(Format(u"%ld", -2147483647L - 1), "-2147483648");
}

TEST(Formatter, TextCharactersAndPercent) {
  EXPECT_EQ(Format(u"%s\\%s", u"\\home\\a", u"qmrv.dat"), "\\home\\a\\qmrv.dat");
  EXPECT_EQ(Format(u"%s", u""), "");
  EXPECT_EQ(Format(u"[%c]", static_cast<int>(u'음')), "[음]");
  EXPECT_EQ(Format(u"100%%"), "100%");
  EXPECT_EQ(Format(u"%d월 %d일", 12, 8), "12월 8일");
  EXPECT_EQ(Format(u"%5s|", u"ab"), "   ab|");
}

TEST(Formatter, StopsAtTheSystemLimitOf1024Units) {
  std::u16string longText(2000, u'x');
  WCHAR buffer[1100];
  buffer[1023] = u'?';
  int n = wsprintfW(buffer, u"%s", longText.c_str());
  EXPECT_EQ(n, 1023);
  EXPECT_EQ(buffer[1023], 0);
}

TEST(Strings, CopyCompareAndBoundedCopy) {
  WCHAR buffer[8];
  EXPECT_EQ(lstrlenW(u"가나다"), 3);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  lstrcpyW(buffer, u"abc");
  EXPECT_EQ(lstrcmpW(buffer, u"abc"), 0);
  EXPECT_LT(lstrcmpW(u"abc", u"abd"), 0);
  EXPECT_GT(lstrcmpW(u"abc", u"ab"), 0);
  for (WCHAR& c : buffer) c = u'#';
  lstrcpynW(buffer, u"abcdefghij", 4);
  EXPECT_EQ(Utf8(buffer), "abc") << "maxUnits counts the terminator";
  EXPECT_EQ(buffer[4], u'#') << "nothing written past maxUnits";
}

TEST(TextConversion, Utf16AndUtf8BothWays) {
  const char16_t korean[] = u"칼메노 2007년";
  EXPECT_EQ(KpFromUtf8(KpToUtf8(korean)), std::u16string(korean));
  const char16_t pair[] = {0xD83C, 0xDF15, 0};  // a full-moon emoji, as a surrogate pair
  EXPECT_EQ(KpToUtf8(pair), "\xF0\x9F\x8C\x95");
  EXPECT_EQ(KpFromUtf8("\xF0\x9F\x8C\x95"), std::u16string(pair));
  EXPECT_EQ(KpToUtf8(u"abcdef", 3), "abc") << "a count limits the units";
  const char16_t lone[] = {u'a', 0xD800, u'b', 0};
  EXPECT_EQ(KpToUtf8(lone), "a\xEF\xBF\xBD" "b") << "a lone surrogate becomes U+FFFD";
  EXPECT_EQ(KpFromUtf8("a\xC3"), u"a\uFFFD") << "a cut sequence becomes U+FFFD";
  EXPECT_EQ(KpFromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD") << "an overlong form is refused";
}

TEST(Paths, HandheldAndHostFormsMapBothWays) {
  EXPECT_EQ(KpHostPath(u"\\home\\a\\qmrv.dat"), "/home/a/qmrv.dat");
  EXPECT_EQ(KpHostPath(u"/home/a/qmrv.dat"), "/home/a/qmrv.dat");
  EXPECT_EQ(KpHandheldPath("/home/a/칼메노/qmrv.dat"), u"\\home\\a\\칼메노\\qmrv.dat");
}

}  // namespace
