// Pixel rules of lines, rectangles and fills: a line leaves out its last point, a rectangle its
// right column and bottom row; one-pixel pens are exact, with no antialiasing.
#include <gtest/gtest.h>

#include "tests/platform_gdi/canvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(Lines, HorizontalLineLeavesOutItsLastPoint) {
  Canvas c(20, 5);
  MoveToEx(c.dc(), 2, 2, nullptr);
  LineTo(c.dc(), 10, 2);
  for (int x = 2; x < 10; ++x) EXPECT_EQ(c.At(x, 2), kBlack) << x;
  EXPECT_EQ(c.At(10, 2), kWhite);
  EXPECT_EQ(c.At(1, 2), kWhite);
  EXPECT_EQ(c.CountOf(kBlack), 8);
}

TEST(Lines, LinesDrawnBackwardsLeaveOutTheirEndNotTheirStart) {
  Canvas c(20, 20);
  MoveToEx(c.dc(), 10, 3, nullptr);
  LineTo(c.dc(), 2, 3);  // right to left
  MoveToEx(c.dc(), 15, 15, nullptr);
  LineTo(c.dc(), 15, 5);  // bottom to top
  EXPECT_EQ(c.At(10, 3), kBlack);
  EXPECT_EQ(c.At(2, 3), kWhite);
  EXPECT_EQ(c.At(3, 3), kBlack);
  EXPECT_EQ(c.At(15, 15), kBlack);
  EXPECT_EQ(c.At(15, 5), kWhite);
  EXPECT_EQ(c.CountOf(kBlack), 8 + 10);
}

TEST(Lines, DiagonalLineIsOnePixelPerStepWithoutAntialiasing) {
  Canvas c(12, 12);
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 9, 9);
  for (int i = 1; i < 9; ++i) EXPECT_EQ(c.At(i, i), kBlack) << i;
  EXPECT_EQ(c.At(9, 9), kWhite);
  EXPECT_EQ(c.CountOf(kBlack), 8);
  EXPECT_EQ(c.CountOf(kWhite), 144 - 8) << "no grey edge pixels";
}

TEST(Lines, LineToMovesTheCurrentPositionSoSegmentsJoin) {
  Canvas c(10, 10);
  POINT previous{};
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 6, 1);
  LineTo(c.dc(), 6, 6);
  MoveToEx(c.dc(), 0, 0, &previous);
  EXPECT_EQ(previous.x, 6);
  EXPECT_EQ(previous.y, 6);
  EXPECT_EQ(c.At(6, 1), kBlack) << "the corner is the second segment's first point";
  EXPECT_EQ(c.At(6, 6), kWhite);
  EXPECT_EQ(c.CountOf(kBlack), 10);
}

TEST(Lines, ClosedPolylineDrawsEveryCornerOnce) {
  // The selection frame of the month grid: a closed ring drawn back to its start.
  Canvas c(12, 12);
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ old = SelectObject(c.dc(), red);
  const POINT ring[] = {{2, 2}, {2, 8}, {9, 8}, {9, 2}, {2, 2}};
  EXPECT_TRUE(Polyline(c.dc(), ring, 5));
  SelectObject(c.dc(), old);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(c.CountOf(kRed), 2 * 6 + 2 * 7) << c.Picture(0, 0, 12, 12);
  for (const POINT& p : ring) EXPECT_EQ(c.At(p.x, p.y), kRed) << p.x << "," << p.y;
  EXPECT_EQ(c.At(5, 5), kWhite);
}

TEST(Lines, OpenPolylineLeavesOutItsLastPoint) {
  Canvas c(10, 10);
  const POINT path[] = {{1, 1}, {5, 1}, {5, 5}};
  Polyline(c.dc(), path, 3);
  EXPECT_EQ(c.At(5, 1), kBlack);
  EXPECT_EQ(c.At(5, 4), kBlack);
  EXPECT_EQ(c.At(5, 5), kWhite);
  EXPECT_FALSE(Polyline(c.dc(), path, 1));
}

TEST(Lines, NullPenDrawsNothingAndWidePensAreSolid) {
  Canvas c(20, 20);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  MoveToEx(c.dc(), 0, 5, nullptr);
  LineTo(c.dc(), 19, 5);
  EXPECT_EQ(c.CountOf(kWhite), 400);
  HPEN wide = CreatePen(PS_SOLID, 3, kBlack);
  SelectObject(c.dc(), wide);
  MoveToEx(c.dc(), 2, 10, nullptr);
  LineTo(c.dc(), 18, 10);
  EXPECT_EQ(c.At(10, 9), kBlack);
  EXPECT_EQ(c.At(10, 10), kBlack);
  EXPECT_EQ(c.At(10, 11), kBlack);
  EXPECT_EQ(c.At(10, 12), kWhite);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(wide);
}

TEST(Rectangles, RectangleExcludesRightAndBottomAndFillsInsideWithTheBrush) {
  Canvas c(12, 12);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(c.dc(), blue);
  Rectangle(c.dc(), 2, 3, 8, 10);
  const InkBox box = c.Ink();
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 3);
  EXPECT_EQ(box.right, 8);
  EXPECT_EQ(box.bottom, 10);
  EXPECT_EQ(c.At(7, 9), kBlack);
  EXPECT_EQ(c.At(2, 3), kBlack);
  EXPECT_EQ(c.At(3, 4), RGB(0, 0, 255));
  EXPECT_EQ(c.At(6, 8), RGB(0, 0, 255));
  EXPECT_EQ(c.CountOf(RGB(0, 0, 255)), 4 * 5);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(blue);
}

TEST(Rectangles, FillRectCoversExactlyTheRectangle) {
  Canvas c(10, 10);
  RECT r{1, 2, 4, 7};
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  EXPECT_NE(FillRect(c.dc(), &r, green), 0);
  EXPECT_EQ(c.CountOf(RGB(0, 128, 0)), 3 * 5);
  const InkBox box = c.Ink();
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.right, 4);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.bottom, 7);
  DeleteObject(green);
}

TEST(Rectangles, FillRectTakesSystemColourIndexPlusOneAsBrush) {
  Canvas c(4, 4);
  RECT r{0, 0, 4, 4};
  FillRect(c.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(c.At(3, 3), RGB(212, 208, 200));
  FillRect(c.dc(), &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(c.At(0, 0), RGB(0, 84, 227));
}

TEST(Rectangles, FrameRectIsOnePixelInsideTheRectangle) {
  Canvas c(10, 10);
  RECT r{1, 1, 7, 6};
  FrameRect(c.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.CountOf(kBlack), 2 * 6 + 2 * 3) << c.Picture(0, 0, 10, 10);
  EXPECT_EQ(c.At(6, 5), kBlack);
  EXPECT_EQ(c.At(7, 5), kWhite);
  EXPECT_EQ(c.At(3, 3), kWhite);
}

TEST(Rectangles, EmptyOrInvertedRectanglesFillNothing) {
  Canvas c(10, 10);
  RECT inverted{6, 6, 2, 2};
  FillRect(c.dc(), &inverted, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FrameRect(c.dc(), &inverted, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.CountOf(kWhite), 100);
}

TEST(Pixels, SetPixelAndGetPixelAgreeWithTheBitsAndRefuseOutsidePoints) {
  Canvas c(5, 5);
  EXPECT_EQ(SetPixel(c.dc(), 2, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(c.At(2, 3), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.dc(), 2, 3), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.dc(), 5, 0), 0xFFFFFFFFu);
  EXPECT_EQ(GetPixel(c.dc(), -1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(SetPixel(c.dc(), 0, 9, RGB(1, 2, 3)), 0xFFFFFFFFu);
}

TEST(Lines, DrawingPastTheBitmapEdgeIsClipped) {
  Canvas c(8, 8);
  MoveToEx(c.dc(), -20, 4, nullptr);
  LineTo(c.dc(), 30, 4);
  MoveToEx(c.dc(), -5, -5, nullptr);
  LineTo(c.dc(), 20, 20);
  RECT big{-100, -100, 3, 100};
  FillRect(c.dc(), &big, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.At(7, 4), kBlack);
  EXPECT_EQ(c.At(7, 7), kBlack);
  EXPECT_EQ(c.At(2, 0), kBlack);
  EXPECT_EQ(c.At(3, 0), kWhite);
}

}  // namespace
