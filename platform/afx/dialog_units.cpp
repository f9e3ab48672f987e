// Dialog units: a template measures its dialog and controls in quarters of the font's average
// character width and eighths of its height, so a layout keeps its proportions with any font.
#include <algorithm>
#include <string>

#include "platform/afx/kp_dialog_internal.h"

namespace {

// Face names that the handheld's templates use for "the system's dialog font". They all map to
// the system font, NanumGothic here, which also carries the Korean glyphs.
bool IsSystemDialogFace(LPCWSTR face) {
  if (!face || !*face) return true;
  const std::u16string name(face);
  return name == u"MS Shell Dlg" || name == u"MS Shell Dlg 2" || name == u"MS Sans Serif" ||
         name == u"System" || name == u"Tahoma";
}

int ScreenDpiY() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

HFONT KpCreateTemplateFont(const KpDialogTemplate& dialogTemplate, bool* owned) {
  *owned = false;
  HFONT system = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  if (!(dialogTemplate.style & DS_SETFONT) && !dialogTemplate.fontFace) return system;
  if (dialogTemplate.pointSize <= 0) return system;
  LOGFONTW font{};
  if (!GetObjectW(system, sizeof(font), &font)) return system;
  if (!IsSystemDialogFace(dialogTemplate.fontFace)) {
    std::u16string face(dialogTemplate.fontFace);
    face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), font.lfFaceName);
    font.lfFaceName[face.size()] = 0;
  }
  // Points to pixels at the screen's resolution, rounded: 9 pt is 12 px and 8 pt 11 px at 96 dpi.
  const int dpi = ScreenDpiY();
  font.lfHeight = -((dialogTemplate.pointSize * dpi + 36) / 72);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  HFONT made = CreateFontIndirectW(&font);
  if (!made) return system;
  *owned = true;
  return made;
}

SIZE KpDialogBaseUnits(HFONT font) {
  // The platform's own rule: the width of "A..Za..z" over 26, halved with rounding up, and the
  // full character height. Without a screen to measure on, the system font's usual 6 x 13.
  SIZE units{6, 13};
  HDC dc = GetDC(nullptr);
  if (!dc) return units;
  HGDIOBJ old = SelectObject(dc, font);
  static const WCHAR kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  TEXTMETRICW metrics{};
  if (GetTextExtentPoint32W(dc, kLetters, 52, &extent) && extent.cx > 0) units.cx = (extent.cx / 26 + 1) / 2;
  if (GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0) units.cy = metrics.tmHeight;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return units;
}

int KpMulDiv(int value, int numerator, int denominator) {
  // Rounded to the nearest, halves away from zero, as the platform's MulDiv does.
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

RECT KpDialogUnitsToPixels(SIZE baseUnits, int x, int y, int cx, int cy) {
  // The platform converts position and size each on its own (not the right and bottom edges).
  const int left = KpMulDiv(x, baseUnits.cx, 4), top = KpMulDiv(y, baseUnits.cy, 8);
  return RECT{left, top, left + KpMulDiv(cx, baseUnits.cx, 4), top + KpMulDiv(cy, baseUnits.cy, 8)};
}
