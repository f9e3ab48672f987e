#include "tests/support/test_images.h"

#include <QBuffer>
#include <QImage>

namespace testimages {

std::string Png(int width, int height, const std::function<uint32_t(int, int)>& argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, argb(x, y));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

namespace {
void Put(std::string& s, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xFF);
}
}  // namespace

std::string Bmp8(int width, int height, const std::vector<uint32_t>& palette,
                 const std::function<int(int, int)>& index) {
  const int stride = (width + 3) & ~3;
  const uint32_t paletteBytes = 4 * static_cast<uint32_t>(palette.size());
  const uint32_t offset = 14 + 40 + paletteBytes;
  std::string s;
  s += "BM";
  Put(s, offset + stride * height, 4);
  Put(s, 0, 4);
  Put(s, offset, 4);
  Put(s, 40, 4);
  Put(s, width, 4);
  Put(s, height, 4);
  Put(s, 1, 2);
  Put(s, 8, 2);
  Put(s, 0, 4);  // BI_RGB
  Put(s, stride * height, 4);
  Put(s, 2835, 4);
  Put(s, 2835, 4);
  Put(s, static_cast<uint32_t>(palette.size()), 4);
  Put(s, 0, 4);
  for (uint32_t c : palette) Put(s, c & 0xFFFFFF, 4);  // B, G, R, 0 in memory
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) s += static_cast<char>(index(x, y));
    for (int x = width; x < stride; ++x) s += '\0';
  }
  return s;
}

}  // namespace testimages
