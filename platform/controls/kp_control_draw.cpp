#include "platform/controls/kp_control_draw.h"

#include <algorithm>

void KpFillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void KpFrameSolid(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void KpLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void KpDrawArrow(HDC dc, const RECT& area, KpArrow direction, int size, COLORREF colour) {
  // Rows (or columns) of shrinking length: the base is 2 * size - 1 pixels long.
  int centreX = (area.left + area.right) / 2;
  int centreY = (area.top + area.bottom) / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 0; i < size; ++i) {
    int half = size - 1 - i;
    switch (direction) {
      case KpArrow::Down: {
        int y = centreY - size / 2 + i;
        MoveToEx(dc, centreX - half, y, nullptr);
        LineTo(dc, centreX + half + 1, y);
        break;
      }
      case KpArrow::Up: {
        int y = centreY + size / 2 - i;
        MoveToEx(dc, centreX - half, y, nullptr);
        LineTo(dc, centreX + half + 1, y);
        break;
      }
      case KpArrow::Right: {
        int x = centreX - size / 2 + i;
        MoveToEx(dc, x, centreY - half, nullptr);
        LineTo(dc, x, centreY + half + 1);
        break;
      }
      case KpArrow::Left: {
        int x = centreX + size / 2 - i;
        MoveToEx(dc, x, centreY - half, nullptr);
        LineTo(dc, x, centreY + half + 1);
        break;
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void KpDrawFieldBorder(HDC dc, RECT& rect) {
  KpFrameSolid(dc, rect, GetSysColor(COLOR_BTNSHADOW));
  rect.left += 1;
  rect.top += 1;
  rect.right -= 1;
  rect.bottom -= 1;
}

void KpDrawButtonFace(HDC dc, const RECT& rect, bool pressed, bool isDefault) {
  RECT inner = rect;
  COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  KpFrameSolid(dc, inner, frame);
  inner.left += 1; inner.top += 1; inner.right -= 1; inner.bottom -= 1;
  if (isDefault) {
    KpFrameSolid(dc, inner, frame);
    inner.left += 1; inner.top += 1; inner.right -= 1; inner.bottom -= 1;
  }
  if (pressed) {
    KpFillSolid(dc, inner, GetSysColor(COLOR_BTNSHADOW));
    return;
  }
  KpFillSolid(dc, inner, GetSysColor(COLOR_BTNFACE));
  // A highlight along the top and left, a shadow along the bottom and right: a raised face.
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  KpLine(dc, inner.left, inner.top, inner.right - 1, inner.top, light);
  KpLine(dc, inner.left, inner.top, inner.left, inner.bottom - 1, light);
  KpLine(dc, inner.left, inner.bottom - 1, inner.right, inner.bottom - 1, shadow);
  KpLine(dc, inner.right - 1, inner.top, inner.right - 1, inner.bottom - 1, shadow);
}

void KpDrawCheckBox(HDC dc, int x, int y, bool checked, bool enabled) {
  RECT box{x, y, x + kKpCheckBoxSize, y + kKpCheckBoxSize};
  KpFillSolid(dc, box, enabled ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
  KpFrameSolid(dc, box, GetSysColor(COLOR_WINDOWTEXT));
  if (!checked) return;
  // A tick of three-pixel-thick strokes: down from the left, then up to the right.
  COLORREF mark = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  for (int t = 0; t < 3; ++t) {
    KpLine(dc, x + 3, y + 5 + t, x + 5, y + 7 + t, mark);
    KpLine(dc, x + 5, y + 7 + t, x + 10, y + 2 + t, mark);
  }
}

void KpDrawFocusRect(HDC dc, const RECT& rect) {
  COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  for (int x = rect.left; x < rect.right; x += 2) {
    SetPixel(dc, x, rect.top, colour);
    SetPixel(dc, x, rect.bottom - 1, colour);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    SetPixel(dc, rect.left, y, colour);
    SetPixel(dc, rect.right - 1, y, colour);
  }
}

int KpLineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0) return metrics.tmHeight;
  SIZE size{};
  GetTextExtentPoint32W(dc, u"Ag가", 3, &size);
  return size.cy > 0 ? size.cy : 12;
}

KpTextMeasure::KpTextMeasure(HWND window, HFONT font) : m_window(window), m_dc(GetDC(window)) {
  m_oldFont = m_dc ? SelectObject(m_dc, font) : nullptr;
  if (m_dc) m_lineHeight = KpLineHeight(m_dc);
}

KpTextMeasure::~KpTextMeasure() {
  if (!m_dc) return;
  SelectObject(m_dc, m_oldFont);
  ReleaseDC(m_window, m_dc);
}

int KpTextMeasure::Width(const char16_t* text, int count) const {
  if (!m_dc || count <= 0) return 0;
  SIZE size{};
  GetTextExtentPoint32W(m_dc, text, count, &size);
  return size.cx;
}
