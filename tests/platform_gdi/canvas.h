#pragma once
// A drawing surface for tests: a memory DC over a 32-bit DIB section, read back through the
// section's own bits (so a check sees the pixels, not what GetPixel thinks of them).
#include <cstdint>
#include <string>

#include "windows.h"

struct InkBox {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  bool empty = true;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

class Canvas {
 public:
  Canvas(int width, int height, COLORREF background = RGB(255, 255, 255));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return m_dc; }
  HBITMAP bitmap() const { return m_bitmap; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  COLORREF At(int x, int y) const;
  void Fill(COLORREF colour);
  // The bounding box of every pixel that differs from `background` inside the area.
  InkBox Ink(COLORREF background = RGB(255, 255, 255)) const;
  InkBox InkIn(int left, int top, int right, int bottom, COLORREF background = RGB(255, 255, 255)) const;
  int CountOf(COLORREF colour) const;
  // The rows as text ('#' for ink, '.' for background), for failure messages.
  std::string Picture(int left, int top, int right, int bottom, COLORREF background = RGB(255, 255, 255)) const;

 private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
  int m_width, m_height;
};
