// CString: the system's formats and the string operations the program uses.
#include <gtest/gtest.h>

#include "afxwin.h"

namespace {

struct FormatRow {
  const char* what;
  std::u16string expected;
  CString actual;
};


template <class... Args>
CString F(LPCWSTR format, Args... args) {
  CString s;
  s.Format(format, args...);
  return s;
}

TEST(CStringFormat, ProducesWhatTheSystemsFormatsProduce) {
  const WCHAR* nullText = nullptr;
  const FormatRow rows[] = {
      {"year and month title", u"2007년12월", F(u"%04d년%02d월", 2007, 12)},
      {"small year is zero-padded", u"0987년01월", F(u"%04d년%02d월", 987, 1)},
      {"negative with zeros after the sign", u"-0042", F(u"%05d", -42)},
      {"width right and left", u"[   7][7   ]", F(u"[%4d][%-4d]", 7, 7)},
      {"unsigned of -1", u"4294967295", F(u"%u", -1)},
      {"hex both cases", u"ff FF 000000FF", F(u"%x %X %08X", 255, 255, 255)},
      {"wide string and character", u"일정: 생일!", F(u"%s: %s%c", u"일정", u"생일", u'!')},
      {"string width", u"  ab|ab  ", F(u"%4s|%-4s", u"ab", u"ab")},
      {"string precision", u"abc", F(u"%.3s", u"abcdef")},
      {"null string", u"(null)", F(u"%s", nullText)},
      {"percent sign", u"100%", F(u"%d%%", 100)},
      {"long is 32 bits", u"-5 7", F(u"%ld %lu", -5, 7u)},
      {"64-bit", u"-9000000000 9000000000", F(u"%I64d %lld", -9000000000LL, 9000000000LL)},
      {"star width", u"   9", F(u"%*d", 4, 9)},
      {"plus sign", u"+3", F(u"%+d", 3)},
      {"unknown conversion kept", u"%q5", F(u"%q%d", 5)},
  };
  for (const FormatRow& row : rows) EXPECT_EQ(row.actual.str(), row.expected) << row.what;
}

TEST(CStringFormat, HasNoLengthLimit) {
  std::u16string longText(3000, u'가');
  CString s;
  s.Format(u"<%s>", longText.c_str());
  EXPECT_EQ(s.GetLength(), 3002);
  EXPECT_EQ(s.Mid(1, 3000).str(), longText);
}

TEST(CStringOperations, PiecesAreClampedToTheString) {
  CString s(u"음력보기");
  EXPECT_EQ(s.Left(2), u"음력");
  EXPECT_EQ(s.Left(10), u"음력보기");
  EXPECT_EQ(s.Left(-1), u"");
  EXPECT_EQ(s.Mid(2), u"보기");
  EXPECT_EQ(s.Mid(1, 2), u"력보");
  EXPECT_EQ(s.Mid(3, 10), u"기");
  EXPECT_EQ(s.Mid(9), u"");
  EXPECT_EQ((s + u"!"), u"음력보기!");
}

TEST(CStringOperations, BufferTakesTheTextUpToItsTerminator) {
  CString s(u"ab");
  LPWSTR buffer = s.GetBuffer(10);
  lstrcpyW(buffer, u"일정파일");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_EQ(s, u"일정파일");
  buffer = s.GetBuffer(4);
  buffer[1] = u'X';
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, u"일X");
}

}  // namespace
