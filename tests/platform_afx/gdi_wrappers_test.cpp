// Drawing-object wrappers own what they hold; temporary wrappers never delete.
#include <gtest/gtest.h>

#include "afxwin.h"

namespace {

LOGFONTW SystemLogFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
  return font;
}

TEST(GdiWrappers, FontCreatedFromTheSystemFontKeepsItsFaceWithTheNewHeight) {
  LOGFONTW wanted = SystemLogFont();
  wanted.lfHeight = -16;
  wanted.lfWeight = FW_BOLD;
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&wanted));
  LOGFONTW got{};
  ASSERT_GT(font.GetLogFont(&got), 0);
  EXPECT_EQ(got.lfHeight, -16);
  EXPECT_EQ(got.lfWeight, FW_BOLD);
  EXPECT_EQ(std::u16string(got.lfFaceName), std::u16string(wanted.lfFaceName));
}

TEST(GdiWrappers, DeleteObjectReleasesOnceAndDetachHandsTheObjectOver) {
  CBrush brush;
  EXPECT_FALSE(brush.DeleteObject());  // nothing held yet
  ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_TRUE(brush.DeleteObject());
  EXPECT_EQ(brush.GetSafeHandle(), nullptr);
  EXPECT_FALSE(brush.DeleteObject());

  HGDIOBJ kept = nullptr;
  {
    CBrush owner(RGB(4, 5, 6));
    kept = owner.Detach();
  }
  // Detached before the wrapper went: the brush is still usable, and ours to delete.
  CBrush again;
  EXPECT_TRUE(again.Attach(kept));
  EXPECT_FALSE(again.Attach(kept));  // one object at a time
  EXPECT_TRUE(again.DeleteObject());
}

TEST(GdiWrappers, TemporaryFontWrapperIsSharedAndDoesNotOwn) {
  HFONT system = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  CFont* first = CFont::FromHandle(system);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CFont::FromHandle(system), first);
  EXPECT_EQ(static_cast<HFONT>(*first), system);
  EXPECT_EQ(CFont::FromHandle(nullptr), nullptr);
}

TEST(GdiWrappers, MemoryDcSelectsBitmapsAndHandsBackThePreviousOne) {
  CClientDC screen(nullptr);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
  CBitmap* previous = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, 8, 8, RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(memory, 3, 3), RGB(10, 20, 30));
  if (previous) memory.SelectObject(previous);
  EXPECT_TRUE(memory.DeleteDC());
  EXPECT_FALSE(memory.DeleteDC());
}

TEST(GdiWrappers, ImageListCutsABitmapIntoImages) {
  CClientDC screen(nullptr);
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 20, 10));
  CImageList images;
  ASSERT_TRUE(images.Create(10, 10, ILC_MASK | ILC_COLOR8, 2, 0));
  EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
  EXPECT_EQ(images.GetImageCount(), 2);
  EXPECT_TRUE(images.DeleteImageList());
  EXPECT_FALSE(images.DeleteImageList());
}

}  // namespace
