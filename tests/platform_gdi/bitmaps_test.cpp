// Off-screen drawing: DIB sections, copies between DCs, alpha blending and gradients.
#include <gtest/gtest.h>

#include "tests/platform_gdi/canvas.h"

namespace {

BLENDFUNCTION Constant(BYTE alpha) { return BLENDFUNCTION{AC_SRC_OVER, 0, alpha, 0}; }

TEST(Bitmaps, DibSectionBitsAreThePixelsTheDcDrawsOn) {
  Canvas c(6, 4);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(c.bitmap(), sizeof bm, &bm), static_cast<int>(sizeof bm));
  ASSERT_NE(bm.bmBits, nullptr);
  EXPECT_EQ(bm.bmWidth, 6);
  EXPECT_EQ(bm.bmHeight, 4);
  EXPECT_EQ(bm.bmWidthBytes, 24);
  SetPixel(c.dc(), 5, 3, RGB(10, 20, 30));
  const uint32_t* bits = static_cast<const uint32_t*>(bm.bmBits);
  EXPECT_EQ(bits[3 * 6 + 5] & 0xFFFFFF, 0x0A141Eu) << "blue, green, red in memory";
  const_cast<uint32_t*>(bits)[0] = 0xFF102030u;
  EXPECT_EQ(GetPixel(c.dc(), 0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(Bitmaps, BadDibSectionRequestsAreRefused) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 8;
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biWidth = 0;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 5), nullptr);
}

TEST(Bitmaps, BitBltCopiesTheSourceRectangleAndClipsAtTheEdges) {
  Canvas src(10, 10, RGB(0, 0, 0));
  SetPixel(src.dc(), 2, 3, RGB(255, 0, 0));
  Canvas dst(10, 10);
  ASSERT_TRUE(BitBlt(dst.dc(), 5, 5, 4, 4, src.dc(), 1, 1, SRCCOPY));
  EXPECT_EQ(dst.At(6, 7), RGB(255, 0, 0));
  EXPECT_EQ(dst.CountOf(RGB(0, 0, 0)), 15);
  EXPECT_EQ(dst.At(9, 9), RGB(255, 255, 255));
  EXPECT_TRUE(BitBlt(dst.dc(), 8, 8, 50, 50, src.dc(), 0, 0, SRCCOPY)) << "runs past the edge";
  EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 0x00F00021u)) << "an operation we do not have";
}

TEST(Bitmaps, BitBltWithinOneBitmapReadsThePixelsBeforeTheCopy) {
  Canvas c(10, 1);
  for (int x = 0; x < 10; ++x) SetPixel(c.dc(), x, 0, RGB(x, 0, 0));
  ASSERT_TRUE(BitBlt(c.dc(), 2, 0, 8, 1, c.dc(), 0, 0, SRCCOPY));
  for (int x = 2; x < 10; ++x) EXPECT_EQ(c.At(x, 0), RGB(x - 2, 0, 0)) << x;
}

TEST(Bitmaps, StretchBltScalesByRepeatingPixels) {
  Canvas src(2, 1);
  SetPixel(src.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(src.dc(), 1, 0, RGB(0, 0, 255));
  Canvas dst(8, 2);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 8, 2, src.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(dst.At(3, 1), RGB(255, 0, 0));
  EXPECT_EQ(dst.At(4, 0), RGB(0, 0, 255));
  EXPECT_EQ(dst.CountOf(RGB(255, 0, 0)), 8);
}

TEST(AlphaBlend, ConstantAlphaMixesSourceOverDestination) {
  // The schedule panel: a white-and-grey backdrop blended at 230 of 255 over the month grid.
  Canvas src(4, 4, RGB(200, 100, 0));
  Canvas dst(8, 8, RGB(0, 50, 250));
  ASSERT_TRUE(AlphaBlend(dst.dc(), 2, 2, 4, 4, src.dc(), 0, 0, 4, 4, Constant(128)));
  // (s * 128 + d * 127) / 255, rounded.
  EXPECT_EQ(dst.At(3, 3), RGB(100, 75, 125));
  EXPECT_EQ(dst.At(1, 1), RGB(0, 50, 250)) << "outside the destination rectangle";
  ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 1, 1, Constant(230)));
  EXPECT_EQ(dst.At(0, 0), RGB(180, 95, 25));
  ASSERT_TRUE(AlphaBlend(dst.dc(), 7, 7, 1, 1, src.dc(), 0, 0, 1, 1, Constant(255)));
  EXPECT_EQ(dst.At(7, 7), RGB(200, 100, 0));
  ASSERT_TRUE(AlphaBlend(dst.dc(), 7, 0, 1, 1, src.dc(), 0, 0, 1, 1, Constant(0)));
  EXPECT_EQ(dst.At(7, 0), RGB(0, 50, 250));
}

TEST(AlphaBlend, FailsForAnUnknownOperationOrASourceOutsideTheBitmap) {
  Canvas src(4, 4, RGB(0, 0, 0));
  Canvas dst(8, 8);
  BLENDFUNCTION bad = Constant(128);
  bad.BlendOp = 1;
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 4, 4, bad));
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 4, 4, src.dc(), 1, 0, 4, 4, Constant(128)));
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 4, 5, Constant(128)));
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 4, 4, src.dc(), -1, 0, 4, 4, Constant(128)));
  EXPECT_FALSE(AlphaBlend(dst.dc(), 0, 0, 4, 4, nullptr, 0, 0, 4, 4, Constant(128)));
  EXPECT_EQ(dst.CountOf(RGB(255, 255, 255)), 64) << "a failed blend leaves the destination alone";
}

TEST(AlphaBlend, BlendsAnOffScreenBitmapBuiltInACompatibleDc) {
  Canvas window(40, 40, RGB(0, 0, 0));
  HDC memory = CreateCompatibleDC(window.dc());
  HBITMAP backdrop = CreateCompatibleBitmap(window.dc(), 20, 10);
  HGDIOBJ old = SelectObject(memory, backdrop);
  RECT all{0, 0, 20, 10};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(AlphaBlend(window.dc(), 10, 10, 20, 10, memory, 0, 0, 20, 10, Constant(230)));
  EXPECT_EQ(window.At(10, 10), RGB(230, 230, 230));
  EXPECT_EQ(window.At(29, 19), RGB(230, 230, 230));
  EXPECT_EQ(window.At(30, 20), RGB(0, 0, 0));
  SelectObject(memory, old);
  EXPECT_TRUE(DeleteObject(backdrop));
  EXPECT_TRUE(DeleteDC(memory));
}

TEST(GradientFill, EndsCarryTheVertexColoursHorizontallyAndVertically) {
  Canvas c(100, 50);
  TRIVERTEX v[2] = {{0, 0, 0xFF00, 0x0000, 0x0000, 0}, {100, 50, 0x0000, 0x0000, 0xFF00, 0}};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(c.dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(99, 49), RGB(0, 0, 255));
  EXPECT_EQ(c.At(0, 49), RGB(255, 0, 0)) << "every row alike";
  for (int x = 1; x < 100; ++x) EXPECT_LE(GetRValue(c.At(x, 10)), GetRValue(c.At(x - 1, 10))) << x;
  ASSERT_TRUE(GradientFill(c.dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(c.At(99, 0), RGB(255, 0, 0));
  EXPECT_EQ(c.At(0, 49), RGB(0, 0, 255));
  const COLORREF middle = c.At(50, 25);
  EXPECT_NEAR(GetRValue(middle), 125, 3);
  EXPECT_NEAR(GetBValue(middle), 130, 3);
}

TEST(GradientFill, RefusesUnknownModesAndVerticesOutOfRange) {
  Canvas c(10, 10);
  TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {10, 10, 0, 0, 0, 0}};
  GRADIENT_RECT outOfRange{0, 2};
  EXPECT_FALSE(GradientFill(c.dc(), v, 2, &outOfRange, 1, GRADIENT_FILL_RECT_H));
  GRADIENT_RECT r{0, 1};
  EXPECT_FALSE(GradientFill(c.dc(), v, 2, &r, 1, 2));
  EXPECT_EQ(c.CountOf(RGB(255, 255, 255)), 100);
  // Vertices given right to left: each colour stays with its own vertex.
  TRIVERTEX swapped[2] = {{10, 0, 0xFF00, 0xFF00, 0xFF00, 0}, {0, 10, 0, 0, 0, 0}};
  ASSERT_TRUE(GradientFill(c.dc(), swapped, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(c.At(0, 5), RGB(0, 0, 0));
  EXPECT_EQ(c.At(9, 5), RGB(255, 255, 255));
}

}  // namespace
