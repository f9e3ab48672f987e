// Module image resources: bitmaps as stored (8-bit palettes to 32-bit), icons at the nearest size
// scaled to the size asked for with their transparency, masked image lists, resource strings.
#include <gtest/gtest.h>

#include <string>

#include "kp_resources.h"
#include "tests/platform_gdi/canvas.h"
#include "tests/support/test_images.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

// An arrow-button strip as the month view has: two 54 x 20 images side by side, 8 bits per pixel.
// Image 0: a blue square on magenta (the mask colour). Image 1: white with a black border.
int StripIndex(int x, int y) {
  if (x < 54) return x >= 20 && x < 30 && y >= 5 && y < 15 ? 1 : 0;
  const int ix = x - 54;
  return ix == 0 || ix == 53 || y == 0 || y == 19 ? 3 : 2;
}

// Icon 101 in three sizes, each its own colour, with a transparent top-left pixel and a
// half-transparent pixel at (1, 0).
uint32_t IconPixel(uint32_t rgb, int x, int y) {
  if (x == 0 && y == 0) return 0x00000000u;
  if (x == 1 && y == 0) return 0x80000000u | rgb;
  return 0xFF000000u | rgb;
}

struct Resources {
  std::string strip = testimages::Bmp8(108, 20, {0xFF00FF, 0x0000FF, 0xFFFFFF, 0x000000}, StripIndex);
  std::string icon16 = testimages::Png(16, 16, [](int x, int y) { return IconPixel(0xFF0000, x, y); });
  std::string icon32 = testimages::Png(32, 32, [](int x, int y) { return IconPixel(0x00A000, x, y); });
  std::string icon48 = testimages::Png(48, 48, [](int x, int y) { return IconPixel(0x0000FF, x, y); });
  std::string broken = "not an image";
  KpImageEntry images[5];
  KpStringEntry strings[1] = {{1, u"Kalmeno Today Plugin"}};
  KpModuleResources table{};
  HINSTANCE module = nullptr;

  Resources() {
    auto bytes = [](const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); };
    images[0] = {131, KP_IMAGE_BITMAP, bytes(strip), static_cast<unsigned long>(strip.size())};
    images[1] = {101, KP_IMAGE_ICON, bytes(icon16), static_cast<unsigned long>(icon16.size())};
    images[2] = {101, KP_IMAGE_ICON, bytes(icon32), static_cast<unsigned long>(icon32.size())};
    images[3] = {101, KP_IMAGE_ICON, bytes(icon48), static_cast<unsigned long>(icon48.size())};
    images[4] = {102, KP_IMAGE_ICON, bytes(broken), static_cast<unsigned long>(broken.size())};
    table.images = images;
    table.imageCount = 5;
    table.strings = strings;
    table.stringCount = 1;
    KpRegisterModuleResources(&table, &table);
    module = KpModuleOfAddress(&table);
  }
};

Resources& Res() {
  static Resources resources;
  return resources;
}

HICON LoadIconSized(int size) {
  return static_cast<HICON>(LoadImageW(Res().module, MAKEINTRESOURCEW(101), IMAGE_ICON, size, size, 0));
}

TEST(Images, BitmapIsLoadedAsStoredWithItsPaletteTurnedIntoColours) {
  HBITMAP strip = LoadBitmapW(Res().module, MAKEINTRESOURCEW(131));
  ASSERT_NE(strip, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(strip, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 108);
  EXPECT_EQ(bm.bmHeight, 20);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, strip);
  EXPECT_EQ(GetPixel(dc, 0, 0), kMagenta);
  EXPECT_EQ(GetPixel(dc, 25, 10), kBlue);
  EXPECT_EQ(GetPixel(dc, 54, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 60, 10), RGB(255, 255, 255));
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(strip));
  HANDLE again = LoadImageW(Res().module, MAKEINTRESOURCEW(131), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(DeleteObject(static_cast<HGDIOBJ>(again)));
}

TEST(Images, MissingOrUndecodableResourcesGiveNull) {
  EXPECT_EQ(LoadBitmapW(Res().module, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(LoadIconW(Res().module, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(LoadImageW(Res().module, MAKEINTRESOURCEW(102), IMAGE_ICON, 16, 16, 0), nullptr);
  EXPECT_EQ(LoadBitmapW(Res().module, u"BYNAME"), nullptr);
}

TEST(ImageLists, MaskColourBecomesTransparent) {
  HBITMAP strip = LoadBitmapW(Res().module, MAKEINTRESOURCEW(131));
  HIMAGELIST list = ImageList_Create(54, 20, ILC_COLOR | ILC_MASK, 2, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_AddMasked(list, strip, kMagenta), 0);
  DeleteObject(strip);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);

  Canvas c(80, 30, kGreen);
  ASSERT_TRUE(ImageList_Draw(list, 0, c.dc(), 5, 1, ILD_NORMAL));
  EXPECT_EQ(c.CountOf(kMagenta), 0) << "the mask colour never reaches the screen";
  EXPECT_EQ(c.CountOf(kBlue), 100);
  EXPECT_EQ(c.At(5, 1), kGreen);
  EXPECT_EQ(c.At(30, 11), kBlue);
  ASSERT_TRUE(ImageList_Draw(list, 1, c.dc(), 5, 1, ILD_NORMAL));
  EXPECT_EQ(c.At(5, 1), RGB(0, 0, 0));
  EXPECT_EQ(c.At(30, 11), RGB(255, 255, 255));
  EXPECT_EQ(c.At(59, 11), kGreen) << "nothing beyond the image's width";
  EXPECT_FALSE(ImageList_Draw(list, 2, c.dc(), 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Draw(list, -1, c.dc(), 0, 0, ILD_NORMAL));
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
}

TEST(ImageLists, MaskBitmapMarksTransparentPixelsInWhite) {
  Canvas image(8, 4, RGB(200, 0, 0));
  Canvas mask(8, 4, RGB(0, 0, 0));
  SetPixel(mask.dc(), 1, 1, RGB(255, 255, 255));
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 2, 2);
  // A bitmap selected into a DC can still be added: the list copies its pixels.
  EXPECT_EQ(ImageList_Add(list, image.bitmap(), mask.bitmap()), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  Canvas c(10, 10, kGreen);
  ImageList_Draw(list, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(c.At(1, 1), kGreen);
  EXPECT_EQ(c.At(2, 1), RGB(200, 0, 0));
  ImageList_Destroy(list);
  HIMAGELIST wide = ImageList_Create(20, 4, ILC_COLOR, 1, 0);
  EXPECT_EQ(ImageList_Add(wide, image.bitmap(), nullptr), -1) << "a bitmap narrower than one image";
  ImageList_Destroy(wide);
}

TEST(Icons, NearestEntryIsChosenAndScaledToExactlyTheSizeAskedFor) {
  struct Case { int size; COLORREF colour; };
  // 16 and 32 exist; 20 is nearest 16; 40 lies between 32 and 48 and takes the larger.
  const Case cases[] = {{16, RGB(255, 0, 0)}, {32, RGB(0, 160, 0)}, {48, RGB(0, 0, 255)},
                        {20, RGB(255, 0, 0)}, {40, RGB(0, 0, 255)}};
  for (const Case& k : cases) {
    HICON icon = LoadIconSized(k.size);
    ASSERT_NE(icon, nullptr) << k.size;
    Canvas c(64, 64);
    ASSERT_TRUE(DrawIconEx(c.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    const InkBox ink = c.Ink();
    EXPECT_EQ(ink.right, k.size) << k.size;
    EXPECT_EQ(ink.bottom, k.size) << k.size;
    EXPECT_EQ(c.At(k.size / 2, k.size / 2), k.colour) << k.size;
    EXPECT_TRUE(DestroyIcon(icon));
  }
}

TEST(Icons, IconsKeepTheirTransparency) {
  HICON icon = LoadIconSized(16);
  Canvas c(20, 20);
  DrawIcon(c.dc(), 2, 2, icon);
  EXPECT_EQ(c.At(2, 2), RGB(255, 255, 255)) << "fully transparent pixel";
  const COLORREF half = c.At(3, 2);
  EXPECT_EQ(GetRValue(half), 255);
  EXPECT_NEAR(GetGValue(half), 127, 2) << "half-transparent red over white";
  EXPECT_EQ(c.At(4, 2), RGB(255, 0, 0));
  DestroyIcon(icon);
}

TEST(Icons, DrawIconExScalesToTheGivenSizeAndZeroMeansOwnSize) {
  HICON own = static_cast<HICON>(LoadImageW(Res().module, MAKEINTRESOURCEW(101), IMAGE_ICON, 0, 0, 0));
  Canvas c(80, 80);
  DrawIconEx(c.dc(), 0, 0, own, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(c.Ink().right, 16) << "the first entry, as stored";
  c.Fill(RGB(255, 255, 255));
  DrawIconEx(c.dc(), 4, 4, own, 64, 32, 0, nullptr, DI_NORMAL);
  const InkBox ink = c.Ink();
  EXPECT_EQ(ink.right, 68);
  EXPECT_EQ(ink.bottom, 36);
  EXPECT_FALSE(DrawIconEx(c.dc(), 0, 0, own, 0, 0, 0, nullptr, 0));
  DestroyIcon(own);
  EXPECT_FALSE(DestroyIcon(own));
  EXPECT_FALSE(DrawIcon(c.dc(), 0, 0, own));
}

TEST(Icons, LoadIconIsSharedAndSurvivesDestroyIcon) {
  HICON a = LoadIconW(Res().module, MAKEINTRESOURCEW(101));
  HICON b = LoadIconW(Res().module, MAKEINTRESOURCEW(101));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(DestroyIcon(a));
  Canvas c(40, 40);
  EXPECT_TRUE(DrawIcon(c.dc(), 0, 0, a));
  EXPECT_EQ(c.Ink().right, 32) << "the standard 32 x 32 entry";
}

TEST(Strings, LoadStringCopiesTruncatesOrPointsAtTheResource) {
  WCHAR buffer[64];
  EXPECT_EQ(LoadStringW(Res().module, 1, buffer, 64), 20);
  EXPECT_EQ(std::u16string(buffer), u"Kalmeno Today Plugin");
  EXPECT_EQ(LoadStringW(Res().module, 1, buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"Kalmeno");
  LPCWSTR direct = nullptr;
  EXPECT_EQ(LoadStringW(Res().module, 1, reinterpret_cast<LPWSTR>(&direct), 0), 20);
  EXPECT_EQ(std::u16string(direct), u"Kalmeno Today Plugin");
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(Res().module, 77, buffer, 64), 0);
  EXPECT_EQ(buffer[0], 0);
}

}  // namespace
