// DrawTextW on real pixels: alignment, single-line-only vertical placement, wrapping, ellipsis,
// clipping, background modes and text colour.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/platform_gdi/canvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
const RECT kBox{10, 10, 190, 50};
constexpr LPCWSTR kSample = u"가나다 ABC";

InkBox Draw(Canvas& c, LPCWSTR text, RECT r, UINT format) {
  c.Fill(kWhite);
  SetBkMode(c.dc(), TRANSPARENT);
  DrawTextW(c.dc(), text, -1, &r, format);
  return c.Ink();
}

int LineHeight(HDC dc) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

TEST(DrawText, HorizontalAlignmentPlacesTheTextLeftCentreOrRight) {
  Canvas c(200, 60);
  const InkBox left = Draw(c, kSample, kBox, DT_SINGLELINE | DT_LEFT);
  const InkBox centre = Draw(c, kSample, kBox, DT_SINGLELINE | DT_CENTER);
  const InkBox right = Draw(c, kSample, kBox, DT_SINGLELINE | DT_RIGHT);
  ASSERT_FALSE(left.empty);
  EXPECT_GE(left.left, 10);
  EXPECT_LE(left.left, 12);
  EXPECT_NEAR((centre.left + centre.right) / 2.0, 100.0, 2.0);
  EXPECT_LE(right.right, 190);
  EXPECT_GE(right.right, 187);
  EXPECT_EQ(left.width(), right.width());
  EXPECT_EQ(left.top, right.top);
}

TEST(DrawText, VerticalCentreAndBottomActOnlyWithSingleLine) {
  Canvas c(200, 60);
  const InkBox top = Draw(c, kSample, kBox, DT_SINGLELINE);
  const InkBox vcentre = Draw(c, kSample, kBox, DT_SINGLELINE | DT_VCENTER);
  const InkBox bottom = Draw(c, kSample, kBox, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_LE(top.top, 14);
  EXPECT_NEAR((vcentre.top + vcentre.bottom) / 2.0, 30.0, 3.0);
  EXPECT_LE(bottom.bottom, 50);
  EXPECT_GE(bottom.bottom, 45);
  // Without DT_SINGLELINE the text stands at the top, whatever the vertical flags say.
  const InkBox multiVcentre = Draw(c, kSample, kBox, DT_VCENTER);
  const InkBox multiBottom = Draw(c, kSample, kBox, DT_BOTTOM | DT_END_ELLIPSIS);
  EXPECT_EQ(multiVcentre.top, top.top);
  EXPECT_EQ(multiVcentre.bottom, top.bottom);
  EXPECT_EQ(multiBottom.top, top.top);
}

TEST(DrawText, ReturnsTheTextHeightOrTheOffsetToItsBottom) {
  Canvas c(200, 60);
  const int h = LineHeight(c.dc());
  RECT r = kBox;
  EXPECT_EQ(DrawTextW(c.dc(), kSample, -1, &r, DT_SINGLELINE), h);
  EXPECT_EQ(DrawTextW(c.dc(), kSample, -1, &r, DT_SINGLELINE | DT_BOTTOM), 40);
  EXPECT_EQ(DrawTextW(c.dc(), u"a\nb", -1, &r, 0), 2 * h);
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
  Canvas c(200, 60);
  SIZE extent{};
  GetTextExtentPoint32W(c.dc(), kSample, 7, &extent);
  RECT r{5, 7, 400, 400};
  const int height = DrawTextW(c.dc(), kSample, -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, 5 + extent.cx);
  EXPECT_EQ(r.bottom, 7 + LineHeight(c.dc()));
  EXPECT_EQ(height, LineHeight(c.dc()));
  EXPECT_TRUE(c.Ink().empty);
}

TEST(DrawText, WordBreakWrapsAtSpacesWithinTheWidth) {
  Canvas c(200, 120);
  const int h = LineHeight(c.dc());
  LPCWSTR text = u"하나 둘 셋 넷 다섯 여섯 일곱";
  RECT measure{0, 0, 60, 0};
  const int height = DrawTextW(c.dc(), text, -1, &measure, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GE(height, 3 * h);
  EXPECT_EQ(height % h, 0);
  EXPECT_LE(measure.right, 60);
  const InkBox ink = Draw(c, text, RECT{0, 0, 60, 120}, DT_WORDBREAK);
  EXPECT_LE(ink.right, 60);
  EXPECT_GT(ink.height(), 2 * h);
  // Without the flag the same text is one line, cut at the rectangle's edge.
  const InkBox oneLine = Draw(c, text, RECT{0, 0, 60, 120}, 0);
  EXPECT_LT(oneLine.height(), h + 1);
}

TEST(DrawText, WordTooWideForTheLineIsBrokenNotLost) {
  Canvas c(100, 100);
  RECT r{0, 0, 30, 0};
  const int height = DrawTextW(c.dc(), u"가나다라마바사아자차", -1, &r, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GE(height, 3 * LineHeight(c.dc()));
  EXPECT_LE(r.right, 30);
}

TEST(DrawText, EndEllipsisCutsTheTextAndEndsWithDots) {
  Canvas c(200, 40);
  LPCWSTR text = u"내일(화) 10:00 아주 길고 긴 일정 제목입니다";
  const RECT box{10, 10, 90, 30};
  const InkBox cut = Draw(c, text, box, DT_END_ELLIPSIS | DT_VCENTER);
  EXPECT_LE(cut.right, 90);
  EXPECT_GT(cut.right, 70);
  // The last few columns of ink are the dots: low, small marks on the baseline.
  const InkBox tail = c.InkIn(cut.right - 3, 0, cut.right, 40);
  EXPECT_LE(tail.height(), 3) << c.Picture(cut.right - 12, 8, cut.right, 30);
  EXPECT_GT(tail.top, cut.top + 4);
  RECT measured = box;
  DrawTextW(c.dc(), text, -1, &measured, DT_END_ELLIPSIS | DT_SINGLELINE | DT_CALCRECT);
  EXPECT_LE(measured.right, 90);
  // Text that fits is left alone.
  const InkBox fits = Draw(c, u"짧다", box, DT_END_ELLIPSIS | DT_SINGLELINE);
  const InkBox plain = Draw(c, u"짧다", box, DT_SINGLELINE);
  EXPECT_EQ(fits.right, plain.right);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
  Canvas c(200, 40);
  const RECT small{10, 10, 30, 20};
  const InkBox clipped = Draw(c, kSample, small, DT_SINGLELINE);
  EXPECT_GE(clipped.left, 10);
  EXPECT_LE(clipped.right, 30);
  EXPECT_LE(clipped.bottom, 20);
  const InkBox free = Draw(c, kSample, small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(free.right, 40);
  EXPECT_GT(free.bottom, 20);
}

TEST(DrawText, OpaqueModeFillsBehindTheTextAndTransparentDoesNot) {
  Canvas c(200, 40);
  const COLORREF yellow = RGB(255, 255, 0);
  SetBkColor(c.dc(), yellow);
  RECT r{10, 10, 190, 30};
  SetBkMode(c.dc(), TRANSPARENT);
  DrawTextW(c.dc(), kSample, -1, &r, DT_SINGLELINE);
  EXPECT_EQ(c.CountOf(yellow), 0);
  SetBkMode(c.dc(), OPAQUE);
  DrawTextW(c.dc(), kSample, -1, &r, DT_SINGLELINE);
  const InkBox yellowBox = c.Ink();
  SIZE extent{};
  GetTextExtentPoint32W(c.dc(), kSample, 7, &extent);
  EXPECT_GT(c.CountOf(yellow), extent.cx * extent.cy / 2);
  EXPECT_EQ(yellowBox.left, 10);
  EXPECT_EQ(yellowBox.width(), extent.cx);
  EXPECT_EQ(yellowBox.height(), extent.cy);
}

TEST(DrawText, GlyphsAreDrawnInTheTextColour) {
  Canvas c(120, 30);
  SetTextColor(c.dc(), RGB(255, 0, 0));
  const InkBox ink = Draw(c, u"일월화 HIL", RECT{2, 2, 118, 28}, DT_SINGLELINE);
  ASSERT_FALSE(ink.empty);
  EXPECT_GT(c.CountOf(RGB(255, 0, 0)), 10) << "stems are fully covered pixels";
  // Red over white: every edge pixel is a mix of the two, never another hue.
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) {
      const COLORREF p = c.At(x, y);
      EXPECT_EQ(GetRValue(p), 255) << x << "," << y;
      EXPECT_EQ(GetGValue(p), GetBValue(p)) << x << "," << y;
    }
}

TEST(DrawText, AmpersandUnderlinesTheNextCharacterUnlessNoPrefix) {
  Canvas c(100, 30);
  SIZE plain{}, withAmp{};
  GetTextExtentPoint32W(c.dc(), u"OK", 2, &plain);
  GetTextExtentPoint32W(c.dc(), u"&OK", 3, &withAmp);
  RECT r{0, 0, 100, 30};
  DrawTextW(c.dc(), u"&OK", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.right, plain.cx);
  r = RECT{0, 0, 100, 30};
  DrawTextW(c.dc(), u"&OK", -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(r.right, withAmp.cx);
  r = RECT{0, 0, 100, 30};
  DrawTextW(c.dc(), u"A && B", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  SIZE literal{};
  GetTextExtentPoint32W(c.dc(), u"A & B", 5, &literal);
  EXPECT_EQ(r.right, literal.cx);
  const InkBox underlined = Draw(c, u"&OK", RECT{0, 0, 100, 30}, DT_SINGLELINE);
  const InkBox bare = Draw(c, u"OK", RECT{0, 0, 100, 30}, DT_SINGLELINE);
  EXPECT_GT(underlined.bottom, bare.bottom);
}

TEST(DrawText, CountLimitsTheTextAndBadArgumentsDrawNothing) {
  Canvas c(100, 30);
  RECT r{0, 0, 100, 30};
  SIZE two{};
  GetTextExtentPoint32W(c.dc(), u"가나", 2, &two);
  DrawTextW(c.dc(), u"가나다라", 2, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.right, two.cx);
  EXPECT_EQ(DrawTextW(nullptr, u"x", -1, &r, 0), 0);
  EXPECT_EQ(DrawTextW(c.dc(), u"x", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(c.dc(), nullptr, 3, &r, 0), 0);
  EXPECT_TRUE(c.Ink().empty);
}

}  // namespace
