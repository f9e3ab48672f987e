// Image lists: equally sized images cut from bitmaps, with transparency from a mask.
#include <QSet>
#include <vector>

#include "platform/ui/gdi_internal.h"

struct HIMAGELIST__ {
  QSize size;
  UINT flags = 0;
  std::vector<QImage> images;  // premultiplied alpha; transparent pixels have alpha 0
};

namespace {

// Never destroyed: lists may be destroyed by other static destructors at exit.
QSet<HIMAGELIST>& LiveLists() {
  static auto* lists = new QSet<HIMAGELIST>;
  return *lists;
}

bool Valid(HIMAGELIST list) { return list && LiveLists().contains(list); }

// Cuts `source` into images of the list's size, left to right; `transparent(x, y, pixel)` says
// which source pixels the images leave out.
template <typename Transparent>
int AddImages(HIMAGELIST list, const QImage& source, Transparent&& transparent) {
  const int count = source.width() / list->size.width();
  if (count == 0) return -1;
  const int first = static_cast<int>(list->images.size());
  const QImage pixels = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int i = 0; i < count; ++i) {
    const int left = i * list->size.width();
    QImage image = pixels.copy(left, 0, list->size.width(), list->size.height());
    for (int y = 0; y < image.height() && y < source.height(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if (transparent(left + x, y, row[x])) row[x] = 0;
    }
    list->images.push_back(std::move(image));
  }
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
  if (width <= 0 || height <= 0) return nullptr;
  auto* list = new HIMAGELIST__;
  list->size = QSize(width, height);
  list->flags = flags;
  list->images.reserve(initial > 0 ? initial : 0);
  LiveLists().insert(list);
  return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!Valid(list)) return FALSE;
  LiveLists().remove(list);
  delete list;
  return TRUE;
}

// A mask bitmap is white where the image is transparent and black where it shows.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  const KpBitmap* bitmap = KpAsBitmap(image);
  if (!Valid(list) || !bitmap) return -1;
  const KpBitmap* maskBitmap = KpAsBitmap(mask);
  if (!maskBitmap) return AddImages(list, bitmap->image, [](int, int, QRgb) { return false; });
  const QImage& m = maskBitmap->image;
  return AddImages(list, bitmap->image, [&m](int x, int y, QRgb) {
    return x < m.width() && y < m.height() && qGray(m.pixel(x, y)) >= 128;
  });
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  const KpBitmap* bitmap = KpAsBitmap(image);
  if (!Valid(list) || !bitmap) return -1;
  const QRgb key = KpToRgb(mask) & 0xFFFFFF;
  return AddImages(list, bitmap->image, [key](int, int, QRgb pixel) {
    return qAlpha(pixel) == 255 && (pixel & 0xFFFFFF) == key;
  });
}

// Transparent pixels are left out for every style: the list's images carry their own alpha.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
  if (!Valid(list) || !KpValidDC(dc) || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  KpDrawImage(dc, x, y, list->images[index]);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return Valid(list) ? static_cast<int>(list->images.size()) : 0; }
