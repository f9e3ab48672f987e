// Line layout of multi-line edit text, with every unit 10 pixels wide.
#include <gtest/gtest.h>

#include "platform/controls/edit_layout.h"

namespace {

int TenEach(const char16_t*, int count) { return count * 10; }

std::vector<std::u16string> LinesOf(const std::u16string& text, int width, bool wrap = true) {
  std::vector<std::u16string> lines;
  for (const auto& line : KpLayOutEditText(text, width, wrap, TenEach))
    lines.push_back(text.substr(line.start, line.end - line.start));
  return lines;
}

TEST(EditLayout, CarriageReturnLineFeedStartsANewLine) {
  EXPECT_EQ(LinesOf(u"ab\r\ncd", 100), (std::vector<std::u16string>{u"ab", u"cd"}));
  EXPECT_EQ(LinesOf(u"ab\r\n", 100), (std::vector<std::u16string>{u"ab", u""}));
}

TEST(EditLayout, WrapsAfterTheLastSpaceThatFits) {
  EXPECT_EQ(LinesOf(u"aaa bbb ccc", 80), (std::vector<std::u16string>{u"aaa bbb ", u"ccc"}));
}

TEST(EditLayout, AWordLongerThanTheLineBreaksInsideIt) {
  EXPECT_EQ(LinesOf(u"abcdefgh", 30), (std::vector<std::u16string>{u"abc", u"def", u"gh"}));
}

TEST(EditLayout, WithoutWrappingOnlyLineBreaksSplit) {
  EXPECT_EQ(LinesOf(u"aaa bbb ccc", 30, false), (std::vector<std::u16string>{u"aaa bbb ccc"}));
}

TEST(EditLayout, TheCaretAtASoftBreakStandsOnTheNextLine) {
  std::u16string text = u"abcdef";
  auto lines = KpLayOutEditText(text, 30, true, TenEach);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(KpEditLineOf(lines, 3), 1u);
  EXPECT_EQ(KpEditLineOf(lines, 6), 1u);
  EXPECT_EQ(KpEditLineOf(lines, 2), 0u);
}

TEST(EditLayout, HitTestPicksTheNearestCaretPosition) {
  std::u16string text = u"abcd";
  KpEditLine line{0, 4};
  EXPECT_EQ(KpEditHitTest(text, line, 14, TenEach), 1u);
  EXPECT_EQ(KpEditHitTest(text, line, 16, TenEach), 2u);
  EXPECT_EQ(KpEditHitTest(text, line, 500, TenEach), 4u);
  EXPECT_EQ(KpEditHitTest(text, line, -5, TenEach), 0u);
}

}  // namespace
