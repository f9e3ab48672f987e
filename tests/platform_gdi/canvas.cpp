#include "tests/platform_gdi/canvas.h"

#include <algorithm>

Canvas::Canvas(int width, int height, COLORREF background) : m_width(width), m_height(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_dc = CreateCompatibleDC(nullptr);
  m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<uint32_t*>(bits);
  m_old = SelectObject(m_dc, m_bitmap);
  Fill(background);
}

Canvas::~Canvas() {
  SelectObject(m_dc, m_old);
  DeleteObject(m_bitmap);
  DeleteDC(m_dc);
}

COLORREF Canvas::At(int x, int y) const {
  const uint32_t v = m_bits[y * m_width + x];  // B, G, R, A in memory
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Canvas::Fill(COLORREF colour) {
  const uint32_t v = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  std::fill_n(m_bits, m_width * m_height, v);
}

InkBox Canvas::Ink(COLORREF background) const { return InkIn(0, 0, m_width, m_height, background); }

InkBox Canvas::InkIn(int left, int top, int right, int bottom, COLORREF background) const {
  InkBox box;
  for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, m_width); ++x) {
      if (At(x, y) == background) continue;
      if (box.empty) {
        box = {x, y, x + 1, y + 1, false};
      } else {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
    }
  return box;
}

int Canvas::CountOf(COLORREF colour) const {
  int n = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) n += At(x, y) == colour;
  return n;
}

std::string Canvas::Picture(int left, int top, int right, int bottom, COLORREF background) const {
  std::string s = "\n";
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) s += At(x, y) == background ? '.' : '#';
    s += '\n';
  }
  return s;
}
