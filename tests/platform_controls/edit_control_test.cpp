// The edit control as a person types into it: characters, Enter, editing keys, limits, the
// digits-only style, the parent's EN_CHANGE, and the script's `set`.
#include "tests/platform_controls/control_test_support.h"

namespace {

using EditControl = ControlTest;

LRESULT ScriptSet(HWND control, LPCWSTR value) {
  return SendMessageW(control, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(value));
}

TEST_F(EditControl, TypedCharactersBecomeTheTextAndEachChangeIsReported) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 160, 20);
  Type(edit, u"일정 1");
  EXPECT_EQ(TextOf(edit), u"일정 1");
  EXPECT_EQ(GetWindowTextLengthW(edit), 4);
  EXPECT_EQ(NoticesOf(EN_CHANGE).size(), 4u);
  EXPECT_EQ(NoticesOf(EN_CHANGE)[0].id, 1011);
}

TEST_F(EditControl, EnterInAMultiLineEditReadsBackAsCarriageReturnLineFeed) {
  HWND memo = Create(u"EDIT", WS_BORDER | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 1010, 10, 10, 200, 40);
  Type(memo, u"첫줄\r둘째");
  EXPECT_EQ(TextOf(memo), u"첫줄\r\n둘째");
}

TEST_F(EditControl, EnterInASingleLineEditAddsNothing) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 160, 20);
  Type(edit, u"ab\rc");
  EXPECT_EQ(TextOf(edit), u"abc");
}

TEST_F(EditControl, DigitsOnlyRefusesLetters) {
  HWND number = Create(u"EDIT", WS_BORDER | ES_NUMBER | ES_CENTER, 1007, 10, 10, 60, 20);
  Type(number, u"1a2-3");
  EXPECT_EQ(TextOf(number), u"123");
}

TEST_F(EditControl, TheLimitStopsTyping) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 160, 20);
  SendMessageW(edit, EM_LIMITTEXT, 3, 0);
  Type(edit, u"abcdef");
  EXPECT_EQ(TextOf(edit), u"abc");
}

TEST_F(EditControl, EditingKeysMoveTheCaretAndDelete) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 160, 20);
  Type(edit, u"abcd");
  Key(edit, VK_HOME);
  Key(edit, VK_DELETE);       // bcd
  Key(edit, VK_RIGHT);
  Type(edit, u"X");           // bXcd
  Key(edit, VK_END);
  Type(edit, u"\x08");        // bXc
  Key(edit, VK_LEFT);
  Type(edit, u"Y");           // bXYc
  EXPECT_EQ(TextOf(edit), u"bXYc");
}

TEST_F(EditControl, SelectionMessagesSelectAndTypingReplacesTheSelection) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 160, 20, u"hello");
  SendMessageW(edit, EM_SETSEL, 1, 4);
  DWORD start = 0, end = 0;
  LRESULT packed = SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 4u);
  EXPECT_EQ(packed, MAKELONG(1, 4));
  Type(edit, u"a");
  EXPECT_EQ(TextOf(edit), u"hao");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 3u);
}

TEST_F(EditControl, OnlyASelectionIsHighlighted) {
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 10, 100, 20);
  SetFocus(edit);
  Type(edit, u"한글 한글");
  auto highlighted = [&] {
    int count = 0;
    for (int x = 0; x < 100; ++x)
      for (int y = 0; y < 20; ++y)
        if (PixelOf(edit, x, y) == GetSysColor(COLOR_HIGHLIGHT)) ++count;
    return count;
  };
  EXPECT_EQ(highlighted(), 0);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  EXPECT_GT(highlighted(), 50);
}

TEST_F(EditControl, APressTakesTheFocusAndPlacesTheCaret) {
  HWND first = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1, 10, 10, 160, 20, u"abc");
  HWND second = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 2, 10, 40, 160, 20, u"xyz");
  Tap(second, 150, 10);
  EXPECT_EQ(GetFocus(), second);
  Type(second, u"!");
  EXPECT_EQ(TextOf(second), u"xyz!");
  Tap(first, 1, 10);
  EXPECT_EQ(GetFocus(), first);
  Type(first, u"!");
  EXPECT_EQ(TextOf(first), u"!abc");
}

TEST_F(EditControl, ASingleLineEditScrollsToKeepTheCaretInView) {
  HWND edit = Create(u"EDIT", ES_AUTOHSCROLL, 1011, 10, 10, 60, 20);
  SetFocus(edit);
  // Blank spaces push the word far past the right edge unless the text scrolls.
  Type(edit, std::u16string(40, u' ') + u"한글");
  SetFocus(nullptr);  // no caret in the picture
  int dark = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 20; ++y)
      if (IsDark(PixelOf(edit, x, y))) ++dark;
  EXPECT_GT(dark, 20);
}

TEST_F(EditControl, AMultiLineEditScrollsDownToTheLineBeingTyped) {
  HWND memo = Create(u"EDIT", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 1010, 10, 10, 120, 40);
  SetFocus(memo);
  // Eight empty lines push the word below the box unless the text scrolls.
  Type(memo, std::u16string(8, u'\r') + u"한글한글");
  SetFocus(nullptr);
  int dark = 0;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 40; ++y)
      if (IsDark(PixelOf(memo, x, y))) ++dark;
  EXPECT_GT(dark, 20);
  EXPECT_EQ(GetWindowTextLengthW(memo), 8 * 2 + 4);
}

TEST_F(EditControl, WithoutHorizontalScrollingTypingStopsAtTheRightEdge) {
  HWND edit = Create(u"EDIT", WS_BORDER, 1011, 10, 10, 40, 20);
  Type(edit, std::u16string(30, u'8'));
  EXPECT_GT(GetWindowTextLengthW(edit), 0);
  EXPECT_LT(GetWindowTextLengthW(edit), 30);
}

TEST_F(EditControl, TheScriptTypesTheValueWithBackslashNAsEnter) {
  HWND memo = Create(u"EDIT", WS_BORDER | ES_MULTILINE | ES_WANTRETURN, 1010, 10, 10, 200, 60, u"old");
  EXPECT_EQ(ScriptSet(memo, u"가\\n나"), TRUE);
  EXPECT_EQ(TextOf(memo), u"가\r\n나");
  EXPECT_FALSE(NoticesOf(EN_CHANGE).empty());
}

TEST_F(EditControl, TheScriptIsRefusedWhatTheControlRefuses) {
  HWND number = Create(u"EDIT", WS_BORDER | ES_NUMBER, 1007, 10, 10, 60, 20);
  EXPECT_EQ(ScriptSet(number, u"12a"), FALSE);
  EXPECT_EQ(TextOf(number), u"12");
  EXPECT_EQ(ScriptSet(number, u"7"), TRUE);
  EXPECT_EQ(TextOf(number), u"7");
}

}  // namespace
