// GDI objects: selection hands back the previous object; objects in use are not freed;
// stock objects and system colours.
#include <gtest/gtest.h>

#include "tests/platform_gdi/canvas.h"

namespace {

TEST(Objects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
  Canvas c(4, 4);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  EXPECT_EQ(SelectObject(c.dc(), red), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(c.dc(), blue), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(c.dc(), GetStockObject(BLACK_PEN)), red);
  EXPECT_EQ(SelectObject(c.dc(), GetStockObject(WHITE_BRUSH)), blue);
  EXPECT_EQ(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)), GetStockObject(SYSTEM_FONT));
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_TRUE(DeleteObject(blue));
  EXPECT_EQ(SelectObject(c.dc(), nullptr), nullptr);
}

TEST(Objects, ObjectStillSelectedIsNotDeletedAndKeepsDrawing) {
  Canvas c(10, 3);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(c.dc(), red);
  EXPECT_FALSE(DeleteObject(red));
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 5, 1);
  EXPECT_EQ(c.At(4, 1), RGB(255, 0, 0));
  SelectObject(c.dc(), old);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red)) << "a handle is deleted once";
  EXPECT_EQ(SelectObject(c.dc(), red), nullptr) << "a deleted handle is refused";
}

TEST(Objects, StockObjectsSurviveDeleteObject) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(white));
  Canvas c(2, 2, RGB(0, 0, 0));
  RECT r{0, 0, 2, 2};
  FillRect(c.dc(), &r, static_cast<HBRUSH>(white));
  EXPECT_EQ(c.At(1, 1), RGB(255, 255, 255));
  EXPECT_NE(GetStockObject(NULL_BRUSH), nullptr);
  EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Objects, HollowBrushLeavesTheInsideOfARectangle) {
  Canvas c(10, 10, RGB(0, 255, 0));
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Rectangle(c.dc(), 0, 0, 10, 10);
  EXPECT_EQ(c.At(5, 5), RGB(0, 255, 0));
  EXPECT_EQ(c.At(0, 5), RGB(0, 0, 0));
}

TEST(Objects, BitmapLivesInOneMemoryDcAtATime) {
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 4, 4);
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HGDIOBJ stockA = SelectObject(a, bitmap);
  ASSERT_NE(stockA, nullptr);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap)) << "selected bitmaps stay";
  SelectObject(a, stockA);
  EXPECT_NE(SelectObject(b, bitmap), nullptr);
  DeleteDC(b);  // deleting the DC lets go of the bitmap
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(a);
  EXPECT_FALSE(DeleteDC(a));
}

TEST(Objects, DcStateDefaultsAndSetters) {
  Canvas c(2, 2);
  EXPECT_EQ(GetTextColor(c.dc()), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(c.dc()), OPAQUE);
  EXPECT_EQ(SetTextColor(c.dc(), RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(GetTextColor(c.dc()), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(c.dc(), RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_EQ(SetBkMode(c.dc(), TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(c.dc(), 7), 0);
  EXPECT_EQ(GetBkMode(c.dc()), TRANSPARENT);
}

TEST(SystemColours, ButtonFaceAndFriendsHaveTheHandheldsValues) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 84, 227));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_TRUE(DeleteObject(face));
  Canvas c(2, 2);
  RECT r{0, 0, 2, 2};
  FillRect(c.dc(), &r, face);
  EXPECT_EQ(c.At(0, 0), RGB(212, 208, 200)) << "system colour brushes are never freed";
  EXPECT_EQ(GetSysColorBrush(-1), nullptr);
}

TEST(DeviceCaps, ResolutionAndScreenComeFromTheEnvironment) {
  Canvas c(2, 2);
  unsetenv("KALMENO_DPI");
  unsetenv("KALMENO_SCREEN");
  EXPECT_EQ(GetDeviceCaps(c.dc(), LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(c.dc(), HORZRES), 240);
  EXPECT_EQ(GetDeviceCaps(c.dc(), VERTRES), 320);
  setenv("KALMENO_DPI", "192", 1);
  setenv("KALMENO_SCREEN", "480x640", 1);
  EXPECT_EQ(GetDeviceCaps(c.dc(), LOGPIXELSX), 192);
  EXPECT_EQ(GetDeviceCaps(c.dc(), LOGPIXELSY), 192);
  EXPECT_EQ(GetDeviceCaps(c.dc(), HORZRES), 480);
  EXPECT_EQ(GetDeviceCaps(c.dc(), VERTRES), 640);
  setenv("KALMENO_DPI", "nonsense", 1);
  setenv("KALMENO_SCREEN", "wide", 1);
  EXPECT_EQ(GetDeviceCaps(c.dc(), LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(c.dc(), HORZRES), 240);
  unsetenv("KALMENO_DPI");
  unsetenv("KALMENO_SCREEN");
}

}  // namespace
