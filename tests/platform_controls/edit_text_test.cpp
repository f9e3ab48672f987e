// What typing does to an edit control's text, apart from any window.
#include <gtest/gtest.h>

#include "platform/controls/edit_text.h"

namespace {

KpEditText Typed(const std::u16string& keys, bool multiLine = false, bool digitsOnly = false, size_t limit = 0) {
  KpEditText text;
  text.SetMultiLine(multiLine);
  text.SetDigitsOnly(digitsOnly);
  if (limit) text.SetLimit(limit);
  for (char16_t key : keys) text.Type(key);
  return text;
}

TEST(EditTextTyping, EnterInAMultiLineTextMakesCarriageReturnLineFeed) {
  EXPECT_EQ(Typed(u"ab\rc", true).Text(), u"ab\r\nc");
}

TEST(EditTextTyping, EnterInASingleLineTextTypesNothing) {
  EXPECT_EQ(Typed(u"ab\rc").Text(), u"abc");
}

TEST(EditTextTyping, BackspaceRemovesALineBreakWhole) {
  KpEditText text = Typed(u"ab\r\x08", true);
  EXPECT_EQ(text.Text(), u"ab");
  EXPECT_EQ(text.Caret(), 2u);
}

TEST(EditTextTyping, DigitsOnlyRefusesLettersAndKeepsDigits) {
  KpEditText text;
  text.SetDigitsOnly(true);
  EXPECT_EQ(text.Type(u'4'), KpEditText::Result::Changed);
  EXPECT_EQ(text.Type(u'x'), KpEditText::Result::Refused);
  EXPECT_EQ(text.Type(u'-'), KpEditText::Result::Refused);
  EXPECT_EQ(text.Type(u'2'), KpEditText::Result::Changed);
  EXPECT_EQ(text.Text(), u"42");
}

TEST(EditTextTyping, TheLimitRefusesFurtherCharactersAndALineBreakThatWouldNotFitWhole) {
  KpEditText text = Typed(u"abc", true, false, 4);
  EXPECT_EQ(text.Type(u'\r'), KpEditText::Result::Refused);  // CR LF needs two units
  EXPECT_EQ(text.Type(u'd'), KpEditText::Result::Changed);
  EXPECT_EQ(text.Type(u'e'), KpEditText::Result::Refused);
  EXPECT_EQ(text.Text(), u"abcd");
}

TEST(EditTextTyping, TypingReplacesTheSelection) {
  KpEditText text = Typed(u"hello");
  text.Select(1, 4);
  text.Type(u'a');
  EXPECT_EQ(text.Text(), u"hao");
  EXPECT_EQ(text.Caret(), 2u);
}

TEST(EditTextTyping, KoreanSyllablesAndSurrogatePairsArriveUnitByUnit) {
  KpEditText text = Typed(u"한글\xD83D\xDE00");
  EXPECT_EQ(text.Text(), u"한글\xD83D\xDE00");
  text.DeleteBackward();  // the emoji goes whole
  EXPECT_EQ(text.Text(), u"한글");
}

TEST(EditTextCaret, NeverStopsInsideALineBreak) {
  KpEditText text = Typed(u"a\rb", true);  // a CR LF b
  EXPECT_EQ(text.Next(1), 3u);
  EXPECT_EQ(text.Previous(3), 1u);
  text.MoveCaret(2, false);
  EXPECT_EQ(text.Caret(), 1u);
}

TEST(EditTextSelection, MinusOneStartRemovesTheSelectionAndMinusOneEndMeansTheEnd) {
  KpEditText text = Typed(u"hello");
  text.Select(2, -1);
  EXPECT_EQ(text.SelectionStart(), 2u);
  EXPECT_EQ(text.SelectionEnd(), 5u);
  text.Select(-1, 0);
  EXPECT_FALSE(text.HasSelection());
}

TEST(EditTextSelection, PositionsPastTheEndAreClamped) {
  KpEditText text = Typed(u"abc");
  text.Select(1, 99);
  EXPECT_EQ(text.SelectionEnd(), 3u);
}

TEST(EditTextLimit, ZeroMeansTheLargestAndSetTextIsNotBound) {
  KpEditText text;
  text.SetLimit(2);
  text.SetText(u"longer");
  EXPECT_EQ(text.Text(), u"longer");
  text.SetLimit(0);
  EXPECT_EQ(text.Limit(), KpEditText::kMaxLimit);
}

}  // namespace
