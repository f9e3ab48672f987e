// Module image resources (PNG or BMP bytes), icons, resource strings.
#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "kp_resources.h"
#include "platform/ui/gdi_internal.h"

struct HICON__ {
  QImage image;         // premultiplied alpha
  QImage scaled;        // the last size drawn at other than its own, kept for the next paint
  bool shared = false;  // from LoadIconW: lives as long as the process
  // The resource it came from, so that a denser screen is drawn from the entry nearest its size.
  HINSTANCE module = nullptr;
  int id = -1;
};

namespace {

constexpr int kMaxEntries = 16;
constexpr int kDefaultIconSize = 32;

// Never destroyed: icons may be destroyed by other static destructors at exit.
QSet<HICON>& LiveIcons() {
  static auto* icons = new QSet<HICON>;
  return *icons;
}

bool ValidIcon(HICON icon) { return icon && LiveIcons().contains(icon); }

HICON NewIcon(QImage image, bool shared, HINSTANCE module = nullptr, int id = -1) {
  if (image.isNull()) return nullptr;
  auto* icon = new HICON__;
  icon->image = std::move(image);
  icon->shared = shared;
  icon->module = module;
  icon->id = id;
  LiveIcons().insert(icon);
  return icon;
}

// 8-bit palettes and 24-bit pixels become 32-bit; images with transparency keep it, premultiplied.
QImage ToDrawable(const QImage& decoded, bool keepAlpha) {
  if (keepAlpha || decoded.hasAlphaChannel())
    return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return decoded.convertToFormat(QImage::Format_RGB32);
}

// How far an entry's size is from the request; a zero in the request matches any size.
int Distance(const QSize& have, int width, int height) {
  return (width ? std::abs(have.width() - width) : 0) + (height ? std::abs(have.height() - height) : 0);
}

HBITMAP NewBitmapFromImage(QImage image) {
  if (image.isNull()) return nullptr;
  auto* bitmap = new KpBitmap;
  bitmap->image = std::move(image);
  KpRegisterObject(bitmap, KpGdiKind::Bitmap);
  return bitmap;
}

int ResourceId(LPCWSTR name) {
  return name && IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(name)) : -1;
}

}  // namespace

// Resources are PNG or BMP, both read by Qt itself. Naming the format, with detection off, spares
// the start a scan that loads every image-format plug-in to ask whether it knows the bytes.
QImage KpDecodeResourceImage(const KpImageEntry& entry) {
  const unsigned char* b = entry.data;
  const bool png = entry.size >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G';
  const bool bmp = entry.size >= 2 && b[0] == 'B' && b[1] == 'M';
  if (!png && !bmp) return QImage();
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(entry.data), static_cast<int>(entry.size));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, png ? "PNG" : "BMP");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QImage KpLoadResourceImage(HINSTANCE module, int id, int kind, int width, int height) {
  const KpImageEntry* entries[kMaxEntries];
  const int count = KpFindImages(module, id, static_cast<KpImageKind>(kind), entries, kMaxEntries);
  QImage best;
  int bestDistance = INT_MAX;
  for (int i = 0; i < std::min(count, kMaxEntries); ++i) {
    QImage decoded = KpDecodeResourceImage(*entries[i]);
    if (decoded.isNull()) continue;
    if (width == 0 && height == 0) {  // as stored: the first entry that decodes
      best = decoded;
      break;
    }
    const int d = Distance(decoded.size(), width, height);
    // On a tie the larger image wins: scaling down loses less than scaling up.
    if (d < bestDistance || (d == bestDistance && decoded.width() > best.width())) {
      best = decoded;
      bestDistance = d;
    }
  }
  if (best.isNull()) return best;
  const QSize wanted(width ? width : best.width(), height ? height : best.height());
  if (best.size() != wanted) best = best.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return ToDrawable(best, kind == KP_IMAGE_ICON);
}

QImage KpIconImage(HICON icon) { return ValidIcon(icon) ? icon->image : QImage(); }

namespace {

// Blends an image that has exactly the target pixels' size onto them at `at` (target pixels).
void BlendAt(HDC dc, const QRect& at, const QImage& image) {
  const bool opaqueSource = !image.hasAlphaChannel();
  KpForEachTargetSpan(dc, at, [&](int row, int from, int to, QRgb* out) {
    const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(row - at.top())) - at.left();
    for (int tx = from; tx < to; ++tx) {
      const QRgb s = in[tx];
      const int a = opaqueSource ? 255 : qAlpha(s);
      if (a == 255) {
        out[tx] = s | 0xFF000000u;
      } else if (a > 0) {
        const QRgb d = out[tx];
        out[tx] = qRgba(qRed(s) + (qRed(d) * (255 - a) + 127) / 255, qGreen(s) + (qGreen(d) * (255 - a) + 127) / 255,
                        qBlue(s) + (qBlue(d) * (255 - a) + 127) / 255, 255);
      }
    }
  });
}

}  // namespace

void KpDrawImage(HDC dc, int x, int y, const QImage& image, QSize size) {
  if (image.isNull() || !dc->target) return;
  const QRect at = KpTargetRect(dc, QRect(QPoint(x, y), size.isEmpty() ? image.size() : size));
  if (at.isEmpty()) return;
  if (at.size() == image.size()) return BlendAt(dc, at, image);
  BlendAt(dc, at, image.scaled(at.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  const int id = ResourceId(name);
  if (id < 0) return nullptr;
  // Loaded icons are shared: every caller gets the same one and need not destroy it.
  static auto* cache = new QHash<QPair<quintptr, int>, HICON>;
  const auto key = qMakePair(reinterpret_cast<quintptr>(instance), id);
  if (HICON cached = cache->value(key)) return cached;
  KpEnsureGuiApplication();
  // The entry nearest the standard icon size, at its own size.
  const KpImageEntry* entries[kMaxEntries];
  const int count = KpFindImages(instance, id, KP_IMAGE_ICON, entries, kMaxEntries);
  QImage best;
  for (int i = 0; i < std::min(count, kMaxEntries); ++i) {
    QImage decoded = KpDecodeResourceImage(*entries[i]);
    if (!decoded.isNull() && (best.isNull() || Distance(decoded.size(), kDefaultIconSize, kDefaultIconSize) <
                                                   Distance(best.size(), kDefaultIconSize, kDefaultIconSize)))
      best = decoded;
  }
  HICON icon = NewIcon(best.isNull() ? best : ToDrawable(best, true), true, instance, id);
  if (icon) cache->insert(key, icon);
  return icon;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  const int id = ResourceId(name);
  if (id < 0) return nullptr;
  KpEnsureGuiApplication();
  return NewBitmapFromImage(KpLoadResourceImage(instance, id, KP_IMAGE_BITMAP, 0, 0));
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
  if (type == IMAGE_BITMAP) return static_cast<HGDIOBJ>(LoadBitmapW(instance, name));
  const int id = ResourceId(name);
  if (type != IMAGE_ICON || id < 0 || width < 0 || height < 0) return nullptr;
  KpEnsureGuiApplication();
  if (flags & LR_DEFAULTSIZE) {
    if (!width) width = kDefaultIconSize;
    if (!height) height = kDefaultIconSize;
  }
  return NewIcon(KpLoadResourceImage(instance, id, KP_IMAGE_ICON, width, height), false, instance, id);
}

BOOL DestroyIcon(HICON icon) {
  if (!ValidIcon(icon)) return FALSE;
  if (icon->shared) return TRUE;
  LiveIcons().remove(icon);
  delete icon;
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT flags) {
  if (!KpValidDC(dc) || !ValidIcon(icon) || !(flags & DI_NORMAL) || !dc->target) return FALSE;
  const QSize own = icon->image.size();
  const QSize size(width ? width : own.width(), height ? height : own.height());
  // The icon covers `size` DC pixels; a denser target draws it from the resource entry nearest
  // the pixels it covers, so that it stays as sharp as the text beside it.
  const QRect at = KpTargetRect(dc, QRect(QPoint(x, y), size));
  const QImage* image = &icon->image;
  if (at.size() != own) {
    if (icon->scaled.size() != at.size()) {
      if (icon->id >= 0 && dc->scale != 1)
        icon->scaled = KpLoadResourceImage(icon->module, icon->id, KP_IMAGE_ICON, at.width(), at.height());
      if (icon->scaled.size() != at.size())
        icon->scaled = icon->image.scaled(at.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image = &icon->scaled;
  }
  if ((flags & DI_NORMAL) == DI_NORMAL) {
    BlendAt(dc, at, *image);
    return TRUE;
  }
  // One half alone: the image as opaque pixels, or the mask (black where the icon shows).
  const bool maskOnly = flags & DI_MASK;
  KpForEachTargetSpan(dc, at, [&](int row, int from, int to, QRgb* out) {
    const QRgb* in = reinterpret_cast<const QRgb*>(image->constScanLine(row - at.top())) - at.left();
    for (int tx = from; tx < to; ++tx)
      out[tx] = maskOnly ? (qAlpha(in[tx]) >= 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) : (in[tx] | 0xFF000000u);
  });
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int maxCount) {
  const KpStringEntry* entry = KpFindString(instance, static_cast<int>(id));
  if (!buffer) return 0;
  if (maxCount == 0) {
    // The platform's read-only form: the buffer receives a pointer to the resource itself.
    *reinterpret_cast<LPCWSTR*>(buffer) = entry ? entry->text : nullptr;
    return entry ? lstrlenW(entry->text) : 0;
  }
  if (maxCount < 0) return 0;
  if (!entry || !entry->text) {
    buffer[0] = 0;
    return 0;
  }
  int n = 0;
  while (entry->text[n] && n < maxCount - 1) {
    buffer[n] = entry->text[n];
    ++n;
  }
  buffer[n] = 0;
  return n;
}
