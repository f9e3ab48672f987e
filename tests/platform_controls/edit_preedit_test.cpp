// Korean typing in an edit control through the desktop's input method, driven with the events an
// input method sends to the desktop window: the syllable being composed shows at the caret,
// underlined, and the committed one takes its place in the text; the desktop window tells the
// input method where the caret is.
#include <QApplication>
#include <QInputMethodEvent>
#include <QWidget>

#include "tests/platform_controls/control_test_support.h"

namespace {

using EditComposition = ControlTest;

QWidget* DesktopWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->testAttribute(Qt::WA_InputMethodEnabled)) return widget;
  return nullptr;
}

void SendInputMethodEvent(QWidget* desktop, const QString& preedit, const QString& commit) {
  QInputMethodEvent event(preedit, {});
  event.setCommitString(commit);
  QApplication::sendEvent(desktop, &event);
}

std::vector<COLORREF> Pixels(HWND window, int width, int height) {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(ControlTest::PixelOf(window, x, y));
  return pixels;
}

// The rectangle the desktop window gives the input method, in screen pixels (the desktop window
// shows the screen scaled by a whole factor).
QRect CaretForInputMethod(QWidget* desktop, HWND edit) {
  UpdateWindow(edit);
  QRect inDesktop = desktop->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  int scale = desktop->width() / GetSystemMetrics(SM_CXSCREEN);
  return QRect(inDesktop.topLeft() / scale, inDesktop.size() / scale);
}

TEST_F(EditComposition, ComposedSyllableShowsUnderlinedAtTheCaretUntilTheCommittedOneReplacesIt) {
  QWidget* desktop = DesktopWindow();
  ASSERT_NE(desktop, nullptr);
  constexpr int kWidth = 160, kHeight = 20;
  HWND edit = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 40, kWidth, kHeight);
  SetFocus(edit);
  Type(edit, u"일정 ");
  QRect before = CaretForInputMethod(desktop, edit);
  POINT origin{0, 0};
  ClientToScreen(edit, &origin);
  QRect editOnScreen(origin.x, origin.y, kWidth, kHeight);
  ASSERT_TRUE(editOnScreen.contains(before.topLeft())) << "the caret, not a corner of the window";

  // Each composing step leaves the text as it was; the caret stands after the syllable.
  for (const QString& step : {QStringLiteral("ㅎ"), QStringLiteral("하"), QStringLiteral("한")}) {
    SendInputMethodEvent(desktop, step, QString());
    EXPECT_EQ(TextOf(edit), u"일정 ") << step.toStdString();
    EXPECT_GT(CaretForInputMethod(desktop, edit).left(), before.left()) << step.toStdString();
  }
  std::vector<COLORREF> composing = Pixels(edit, kWidth, kHeight);
  QRect composingCaret = CaretForInputMethod(desktop, edit);

  SendInputMethodEvent(desktop, QString(), QStringLiteral("한"));
  EXPECT_EQ(TextOf(edit), u"일정 한");
  EXPECT_EQ(NoticesOf(EN_CHANGE).size(), 4u) << "three typed characters and the committed syllable";
  std::vector<COLORREF> committed = Pixels(edit, kWidth, kHeight);
  EXPECT_EQ(CaretForInputMethod(desktop, edit), composingCaret);

  // The same text shows before and after the commit; only the underline under the syllable goes.
  int row = -1, left = kWidth, right = -1, differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      size_t i = static_cast<size_t>(y * kWidth + x);
      if (composing[i] == committed[i]) continue;
      ++differing;
      EXPECT_TRUE(row == -1 || row == y) << "a second row differs: " << y;
      EXPECT_TRUE(IsDark(composing[i])) << x << "," << y;
      row = y;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  ASSERT_NE(row, -1) << "no underline while composing";
  EXPECT_EQ(differing, right - left + 1) << "one unbroken line";
  EXPECT_GE(right - left + 1, 8) << "as wide as the syllable";
  EXPECT_LE(right + origin.x, composingCaret.left()) << "ending at the caret";
}

}  // namespace

TEST_F(EditComposition, MovingTheFocusKeepsTheSyllableWhereItWasBeingComposed) {
  QWidget* desktop = DesktopWindow();
  ASSERT_NE(desktop, nullptr);
  HWND title = Create(u"EDIT", WS_BORDER | ES_AUTOHSCROLL, 1011, 10, 40, 160, 20);
  HWND memo = Create(u"EDIT", WS_BORDER | ES_MULTILINE, 1010, 10, 70, 160, 40);
  SetFocus(title);
  SendInputMethodEvent(desktop, QStringLiteral("하"), QString());
  SetFocus(memo);
  SendInputMethodEvent(desktop, QStringLiteral("ㄱ"), QString());
  SendInputMethodEvent(desktop, QString(), QStringLiteral("그"));
  EXPECT_EQ(TextOf(title), u"하");
  EXPECT_EQ(TextOf(memo), u"그");
}
