#pragma once
// Small drawing pieces the controls share: frames, the button face, the check box, arrows.
// All drawn with the platform's own drawing functions.
#include <string>

#include "windows.h"

enum class KpArrow { Up, Down, Left, Right };

void KpFillSolid(HDC dc, const RECT& rect, COLORREF colour);
// A one-pixel frame just inside the rectangle.
void KpFrameSolid(HDC dc, const RECT& rect, COLORREF colour);
void KpLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour);
// A filled triangle centred in the area, `size` pixels from base to tip.
void KpDrawArrow(HDC dc, const RECT& area, KpArrow direction, int size, COLORREF colour);
// The thin dark border of an edit, combo, picker or list; the rectangle shrinks to what is inside.
void KpDrawFieldBorder(HDC dc, RECT& rect);
// A push-button face: light face, dark frame (doubled for the default button), inverted while held.
void KpDrawButtonFace(HDC dc, const RECT& rect, bool pressed, bool isDefault);
// A 13 x 13 check box with its top-left corner at (x, y).
void KpDrawCheckBox(HDC dc, int x, int y, bool checked, bool enabled);
constexpr int kKpCheckBoxSize = 13;
// A dotted rectangle (the focus mark) just inside the rectangle.
void KpDrawFocusRect(HDC dc, const RECT& rect);

// Text measures with the window's current font (through a screen DC of that window).
class KpTextMeasure {
 public:
  KpTextMeasure(HWND window, HFONT font);
  ~KpTextMeasure();
  KpTextMeasure(const KpTextMeasure&) = delete;
  KpTextMeasure& operator=(const KpTextMeasure&) = delete;
  int Width(const char16_t* text, int count) const;
  int Width(const std::u16string& text) const { return Width(text.data(), static_cast<int>(text.size())); }
  int LineHeight() const { return m_lineHeight; }
  HDC Dc() const { return m_dc; }

 private:
  HWND m_window;
  HDC m_dc;
  HGDIOBJ m_oldFont;
  int m_lineHeight = 12;
};

// The height of one line of text in the font (TEXTMETRICW tmHeight).
int KpLineHeight(HDC dc);
