// Bitmaps and the pixel transfers between DCs: copies, stretches, blends, gradients. All done on
// the pixels directly, so the arithmetic is exactly the platform's and easy to check.
#include <algorithm>
#include <cstring>

#include "platform/ui/gdi_internal.h"

namespace {

constexpr qint64 kMaxBitmapPixels = 16 * 1024 * 1024;

HBITMAP NewBitmap(QImage image, std::unique_ptr<uint32_t[]> bits = nullptr) {
  auto* bitmap = new KpBitmap;
  bitmap->image = std::move(image);
  bitmap->dibBits = std::move(bits);
  KpRegisterObject(bitmap, KpGdiKind::Bitmap);
  return bitmap;
}

// The source pixels a transfer reads. When source and destination share one image the pixels are
// copied first, so overlapping moves read the old ones.
struct Source {
  QImage copy;
  const QImage* image = nullptr;
  QPoint offset;  // add to source DC coordinates to get the image's coordinates in DC pixels
  qreal scale = 1;
  QRgb At(int x, int y) const { return reinterpret_cast<const QRgb*>(image->constScanLine(y))[x]; }
};

bool TakeSource(HDC dst, HDC src, Source& s) {
  if (!KpValidDC(src) || !src->target || src->target->isNull()) return false;
  KpSyncTarget(src);
  s.offset = src->origin;
  s.scale = src->scale;
  if (src->target == dst->target) {
    s.copy = src->target->copy();
    s.image = &s.copy;
  } else {
    s.image = src->target;
  }
  return true;
}

// Which source pixel each destination pixel of a transfer takes (nearest neighbour): a
// destination rectangle of DC pixels shows a source rectangle of DC pixels, each side counted in
// its own target's pixels. When both sides have as many pixels as DC pixels this is the
// platform's integer arithmetic exactly; on a denser destination a plain bitmap is scaled up.
class PixelMap {
 public:
  PixelMap(HDC dst, const QRect& to, const Source& s, const QRect& from)
      : m_to(KpTargetRect(dst, to)), m_from(KpDeviceRect(from.translated(s.offset), s.scale)) {
    m_same = m_to.size() == m_from.size();
  }
  const QRect& Target() const { return m_to; }
  const QRect& SourcePixels() const { return m_from; }
  int X(int tx) const { return Along(tx - m_to.left(), m_to.width(), m_from.left(), m_from.width()); }
  int Y(int ty) const { return Along(ty - m_to.top(), m_to.height(), m_from.top(), m_from.height()); }

 private:
  int Along(int step, int toLength, int fromStart, int fromLength) const {
    if (m_same || toLength == fromLength) return fromStart + step;
    return fromStart + static_cast<int>(qint64(step) * fromLength / toLength);
  }
  QRect m_to, m_from;
  bool m_same = false;
};

bool OpaqueTarget(HDC dc) { return dc->target->format() == QImage::Format_RGB32; }

inline int Mix(int s, int d, int a) { return (s * a + d * (255 - a) + 127) / 255; }

}  // namespace

// A bitmap made for a window's DC has as many pixels per DC pixel as the window's buffer, so what
// is drawn into it stays sharp when it is copied to the window.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (width <= 0 || height <= 0 || qint64(width) * height > kMaxBitmapPixels) return nullptr;
  const qreal scale = KpValidDC(dc) && dc->target && !dc->target->isNull() ? dc->target->devicePixelRatio() : 1;
  QImage image(KpDeviceSize(QSize(width, height), scale), QImage::Format_RGB32);
  if (image.isNull()) return nullptr;
  image.setDevicePixelRatio(scale);
  image.fill(Qt::black);
  return NewBitmap(std::move(image));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || width <= 0 || height <= 0 ||
      qint64(width) * height > kMaxBitmapPixels)
    return nullptr;
  // Rows are stored top-down whatever the sign of biHeight: the pixels are shared with the
  // drawing engine, which has no bottom-up layout. Opaque black, as a fresh bitmap is.
  std::unique_ptr<uint32_t[]> pixels(new uint32_t[size_t(width) * height]);
  std::fill_n(pixels.get(), size_t(width) * height, 0xFF000000u);
  QImage image(reinterpret_cast<uchar*>(pixels.get()), width, height, width * 4, QImage::Format_RGB32);
  if (bits) *bits = pixels.get();
  return NewBitmap(std::move(image), std::move(pixels));
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (!KpValidDC(dst) || !dst->target || rop != SRCCOPY || width < 0 || height < 0) return FALSE;
  Source s;
  if (!TakeSource(dst, src, s)) return FALSE;
  const PixelMap map(dst, QRect(x, y, width, height), s, QRect(srcX, srcY, width, height));
  const QRgb force = OpaqueTarget(dst) ? 0xFF000000u : 0;
  const QRect inside = s.image->rect();
  KpForEachTargetSpan(dst, map.Target(), [&](int row, int from, int to, QRgb* out) {
    const int sy = map.Y(row);
    if (sy < 0 || sy >= inside.height()) return;
    const QRgb* in = reinterpret_cast<const QRgb*>(s.image->constScanLine(sy));
    for (int tx = from; tx < to; ++tx) {
      const int sx = map.X(tx);
      if (sx >= 0 && sx < inside.width()) out[tx] = in[sx] | force;
    }
  });
  return TRUE;
}

// Nearest-neighbour scaling (the platform's default stretch mode for colour bitmaps).
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
  if (!KpValidDC(dst) || !dst->target || rop != SRCCOPY || width <= 0 || height <= 0 || srcWidth <= 0 ||
      srcHeight <= 0)
    return FALSE;
  Source s;
  if (!TakeSource(dst, src, s)) return FALSE;
  const PixelMap map(dst, QRect(x, y, width, height), s, QRect(srcX, srcY, srcWidth, srcHeight));
  const QRgb force = OpaqueTarget(dst) ? 0xFF000000u : 0;
  const QRect inside = s.image->rect();
  KpForEachTargetSpan(dst, map.Target(), [&](int row, int from, int to, QRgb* out) {
    const int sy = map.Y(row);
    for (int tx = from; tx < to; ++tx) {
      const int sx = map.X(tx);
      if (inside.contains(sx, sy)) out[tx] = s.At(sx, sy) | force;
    }
  });
  return TRUE;
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
  if (!KpValidDC(dst) || !dst->target || blend.BlendOp != AC_SRC_OVER || blend.BlendFlags != 0 ||
      (blend.AlphaFormat != 0 && blend.AlphaFormat != AC_SRC_ALPHA))
    return FALSE;
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0) return FALSE;
  Source s;
  if (!TakeSource(dst, src, s)) return FALSE;
  const PixelMap map(dst, QRect(x, y, width, height), s, QRect(srcX, srcY, srcWidth, srcHeight));
  if (srcWidth > 0 && srcHeight > 0 && !s.image->rect().contains(map.SourcePixels())) return FALSE;
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return TRUE;
  const int constant = blend.SourceConstantAlpha;
  const bool perPixel = blend.AlphaFormat == AC_SRC_ALPHA;
  KpForEachTargetSpan(dst, map.Target(), [&](int row, int from, int to, QRgb* out) {
    const QRgb* in = reinterpret_cast<const QRgb*>(s.image->constScanLine(map.Y(row)));
    for (int tx = from; tx < to; ++tx) {
      const QRgb sp = in[map.X(tx)];
      const QRgb dp = out[tx];
      if (!perPixel) {
        out[tx] = qRgba(Mix(qRed(sp), qRed(dp), constant), Mix(qGreen(sp), qGreen(dp), constant),
                        Mix(qBlue(sp), qBlue(dp), constant), 255);
      } else {
        // Source premultiplied by its own alpha: dst = src * k + dst * (1 - srcAlpha * k).
        const int a = (qAlpha(sp) * constant + 127) / 255;
        auto channel = [&](int sc, int dc) {
          return std::min(255, (sc * constant + 127) / 255 + (dc * (255 - a) + 127) / 255);
        };
        out[tx] = qRgba(channel(qRed(sp), qRed(dp)), channel(qGreen(sp), qGreen(dp)), channel(qBlue(sp), qBlue(dp)),
                        255);
      }
    }
  });
  return TRUE;
}

// Each rectangle runs from its first vertex's colour to its second's; both ends are exact (the
// first and last column, or row, carry the vertices' colours). Channels are 16-bit, as given.
BOOL GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, ULONG mode) {
  if (!KpValidDC(dc) || !vertices || !mesh || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
    return FALSE;
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  for (ULONG i = 0; i < meshCount; ++i)
    if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return FALSE;
  for (ULONG i = 0; i < meshCount; ++i) {
    const TRIVERTEX* a = &vertices[rects[i].UpperLeft];
    const TRIVERTEX* b = &vertices[rects[i].LowerRight];
    const QRect r(QPoint(std::min(a->x, b->x), std::min(a->y, b->y)),
                  QPoint(std::max(a->x, b->x) - 1, std::max(a->y, b->y) - 1));
    if (r.isEmpty()) continue;
    const bool horizontal = mode == GRADIENT_FILL_RECT_H;
    if (horizontal ? a->x > b->x : a->y > b->y) std::swap(a, b);
    // The ramp runs over the target's own pixels, so a denser target gets a finer ramp.
    const QRect pixels = KpTargetRect(dc, r);
    const int steps = horizontal ? pixels.width() : pixels.height();
    if (steps <= 0) continue;
    std::vector<QRgb> ramp(steps);
    for (int k = 0; k < steps; ++k) {
      auto lerp = [&](int c0, int c1) {
        return steps == 1 ? c0 >> 8 : int((c0 + qint64(c1 - c0) * k / (steps - 1)) >> 8);
      };
      ramp[k] = qRgb(lerp(a->Red, b->Red), lerp(a->Green, b->Green), lerp(a->Blue, b->Blue));
    }
    const QPoint origin = pixels.topLeft();
    KpForEachTargetSpan(dc, pixels, [&](int row, int from, int to, QRgb* out) {
      for (int tx = from; tx < to; ++tx) out[tx] = ramp[horizontal ? tx - origin.x() : row - origin.y()];
    });
  }
  return TRUE;
}
