// Fonts: the system font is NanumGothic and really resolves; LOGFONTW heights and weights.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform_gdi/canvas.h"

namespace {

std::u16string FaceOf(HDC dc) {
  WCHAR face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  return face;
}

InkBox InkOf(HFONT font, LPCWSTR text, int* inkPixels = nullptr) {
  Canvas c(200, 60);
  SelectObject(c.dc(), font);
  SetBkMode(c.dc(), TRANSPARENT);
  RECT r{0, 0, 200, 60};
  DrawTextW(c.dc(), text, -1, &r, DT_SINGLELINE);
  if (inkPixels) *inkPixels = 200 * 60 - c.CountOf(RGB(255, 255, 255));
  SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
  return c.Ink();
}

HFONT SystemFontWith(LONG height, LONG weight) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  lf.lfHeight = height;
  lf.lfWeight = weight;
  return CreateFontIndirectW(&lf);
}

TEST(Fonts, SystemFontIsNanumGothicAndResolvesWithoutADisplay) {
  Canvas c(10, 10);
  ASSERT_EQ(FaceOf(c.dc()), u"NanumGothic")
      << "NanumGothic did not resolve through fontconfig: install the Debian package fonts-nanum";
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"NanumGothic");
  EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetObjectW(GetStockObject(SYSTEM_FONT), 4, &lf), 0) << "too small a buffer";
}

TEST(Fonts, LargerCharacterHeightDrawsTallerGlyphs) {
  HFONT small = SystemFontWith(-9, FW_NORMAL);
  HFONT large = SystemFontWith(-16, FW_NORMAL);
  const InkBox s = InkOf(small, u"가나다");
  const InkBox l = InkOf(large, u"가나다");
  EXPECT_GT(l.height(), s.height());
  EXPECT_GT(l.width(), s.width());
  EXPECT_GE(l.height(), 12);
  EXPECT_LE(s.height(), 10);
  EXPECT_TRUE(DeleteObject(small));
  EXPECT_TRUE(DeleteObject(large));
}

TEST(Fonts, PositiveHeightIsTheCellHeight) {
  HFONT cell = SystemFontWith(20, FW_NORMAL);
  Canvas c(10, 10);
  SelectObject(c.dc(), cell);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(c.dc(), &tm));
  EXPECT_NEAR(tm.tmHeight, 20, 1);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
  GetTextMetricsW(c.dc(), &tm);
  EXPECT_GE(tm.tmHeight, 12) << "the cell of a 12-pixel character is at least 12 pixels";
  EXPECT_LT(tm.tmHeight, 20);
  DeleteObject(cell);
}

TEST(Fonts, BoldPutsMoreInkOnTheScreen) {
  HFONT normal = SystemFontWith(-12, FW_NORMAL);
  HFONT bold = SystemFontWith(-12, FW_BOLD);
  int normalInk = 0, boldInk = 0;
  InkOf(normal, u"일정 제목 Schedule", &normalInk);
  InkOf(bold, u"일정 제목 Schedule", &boldInk);
  EXPECT_GT(boldInk, normalInk * 11 / 10);
  Canvas c(10, 10);
  SelectObject(c.dc(), bold);
  TEXTMETRICW tm{};
  GetTextMetricsW(c.dc(), &tm);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
  DeleteObject(normal);
  DeleteObject(bold);
}

TEST(Fonts, QualityFlagsKeepTheSameMetrics) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  lf.lfQuality = CLEARTYPE_QUALITY;
  HFONT smooth = CreateFontIndirectW(&lf);
  const InkBox a = InkOf(smooth, u"음력 2026년");
  const InkBox b = InkOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), u"음력 2026년");
  EXPECT_NEAR(a.width(), b.width(), 2);
  EXPECT_NEAR(a.height(), b.height(), 2);
  DeleteObject(smooth);
}

TEST(Fonts, TextExtentGrowsWithTheText) {
  Canvas c(10, 10);
  SIZE one{}, three{};
  ASSERT_TRUE(GetTextExtentPoint32W(c.dc(), u"가", 1, &one));
  ASSERT_TRUE(GetTextExtentPoint32W(c.dc(), u"가가가", 3, &three));
  EXPECT_GT(one.cx, 6);
  EXPECT_EQ(three.cx, 3 * one.cx);
  EXPECT_EQ(one.cy, three.cy);
}

}  // namespace
