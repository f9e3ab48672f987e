#pragma once
// Image files made in memory for tests of image resources: PNG (with alpha) and 8-bit BMP.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testimages {

// A PNG of the size; `argb(x, y)` gives each pixel as 0xAARRGGBB (straight alpha).
std::string Png(int width, int height, const std::function<uint32_t(int, int)>& argb);
// An uncompressed 8-bit BMP (bottom-up, as such files are): `palette` holds 0xRRGGBB entries,
// `index(x, y)` the palette index of each pixel.
std::string Bmp8(int width, int height, const std::vector<uint32_t>& palette,
                 const std::function<int(int, int)>& index);

}  // namespace testimages
