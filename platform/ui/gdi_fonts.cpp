// Fonts: LOGFONTW to Qt fonts (made once per HFONT, metrics cached with it), text metrics.
#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "kp_platform.h"
#include "platform/ui/gdi_internal.h"

namespace {

QString FaceName(const LOGFONTW& lf) {
  int n = 0;
  while (n < LF_FACESIZE && lf.lfFaceName[n]) ++n;
  return n ? KpQString(lf.lfFaceName, n) : QStringLiteral("NanumGothic");
}

// The em size in pixels. Negative heights are the character (em) height; positive ones the cell
// height (ascent + descent), converted through the face's own cell-to-em ratio.
int PixelSizeFor(const LOGFONTW& lf, const QFont& base) {
  if (lf.lfHeight < 0) return -lf.lfHeight;
  if (lf.lfHeight == 0) return 12;
  QFont probe(base);
  probe.setPixelSize(100);
  QFontMetricsF m(probe);
  double cell = m.ascent() + m.descent();
  if (cell <= 0) return lf.lfHeight;
  return std::max(1, static_cast<int>(std::lround(lf.lfHeight * 100.0 / cell)));
}

}  // namespace

void KpEnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  KpInitialize(0, nullptr);
  if (!QGuiApplication::instance()) {
    std::fprintf(stderr, "kplatform: drawing needs the user-interface half started (KpInitialize)\n");
    std::abort();
  }
}

KpFont* KpMakeFont(const LOGFONTW& lf, bool stock) {
  KpEnsureGuiApplication();
  auto* font = new KpFont;
  font->logFont = lf;
  font->stock = stock;
  QFont& q = font->qfont;
  q.setFamily(FaceName(lf));
  q.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight ? lf.lfWeight : FW_NORMAL, 1, 1000)));
  q.setItalic(lf.lfItalic != 0);
  q.setUnderline(lf.lfUnderline != 0);
  q.setStrikeOut(lf.lfStrikeOut != 0);
  q.setKerning(false);
  // Grey-scale antialiasing in every case (no colour fringes on a small screen). Smooth-quality
  // fonts keep the outlines' shapes; the default quality snaps them to the pixel grid, which
  // reads crisper at 9 to 12 pixels.
  bool smooth = lf.lfQuality == CLEARTYPE_QUALITY || lf.lfQuality == ANTIALIASED_QUALITY;
  q.setHintingPreference(smooth ? QFont::PreferVerticalHinting : QFont::PreferFullHinting);
  q.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  q.setPixelSize(PixelSizeFor(lf, q));
  font->metrics = QFontMetrics(q);
  font->ascent = font->metrics.ascent();
  font->descent = font->metrics.descent();
  font->height = font->ascent + font->descent;
  font->averageWidth = font->metrics.averageCharWidth();
  font->maxWidth = font->metrics.maxWidth();
  font->staticAscent = QFontMetricsF(q).ascent();
  KpRegisterObject(font, KpGdiKind::Font);
  return font;
}

int KpFont::WidthOf(const QString& text) {
  if (text.isEmpty()) return 0;
  auto it = widths.constFind(text);
  if (it != widths.constEnd()) return *it;
  if (widths.size() >= 2048) widths.clear();  // bounded: texts that change all the time
  const int width = metrics.horizontalAdvance(text);
  widths.insert(text, width);
  return width;
}

const QStaticText& KpFont::Prepared(const QString& text) {
  auto it = texts.constFind(text);
  if (it != texts.constEnd()) return *it;
  if (texts.size() >= 1024) texts.clear();
  QStaticText prepared(text);
  prepared.setTextFormat(Qt::PlainText);
  prepared.setPerformanceHint(QStaticText::AggressiveCaching);
  prepared.prepare(QTransform(), qfont);
  return *texts.insert(text, prepared);
}

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  return KpMakeFont(*lf, false);
}

QFont KpQFont(HFONT handle) {
  KpFont* font = handle ? KpAsFont(handle) : nullptr;
  return (font ? font : KpStockFont())->qfont;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* tm) {
  if (!KpValidDC(dc) || !tm) return FALSE;
  const KpFont* f = dc->font;
  *tm = TEXTMETRICW{};
  tm->tmHeight = f->height;
  tm->tmAscent = f->ascent;
  tm->tmDescent = f->descent;
  tm->tmInternalLeading = std::max(0, f->height - f->qfont.pixelSize());
  tm->tmExternalLeading = std::max(0, f->metrics.leading());
  tm->tmAveCharWidth = f->averageWidth;
  tm->tmMaxCharWidth = f->maxWidth;
  tm->tmWeight = f->logFont.lfWeight ? f->logFont.lfWeight : FW_NORMAL;
  tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFFFC;
  tm->tmDefaultChar = u'?';
  tm->tmBreakChar = u' ';
  tm->tmItalic = f->logFont.lfItalic;
  tm->tmUnderlined = f->logFont.lfUnderline;
  tm->tmStruckOut = f->logFont.lfStrikeOut;
  tm->tmPitchAndFamily = 0x07;  // variable pitch, vector, outline font
  tm->tmCharSet = f->logFont.lfCharSet;
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  if (!KpValidDC(dc) || !size || count < 0 || (count > 0 && !text)) return FALSE;
  size->cx = count ? dc->font->WidthOf(KpQString(text, count)) : 0;
  size->cy = dc->font->height;
  return TRUE;
}

int GetTextFaceW(HDC dc, int count, LPWSTR name) {
  if (!KpValidDC(dc) || !name || count <= 0) return 0;
  const QString family = QFontInfo(dc->font->qfont).family();
  const int n = std::min<int>(static_cast<int>(family.size()), count - 1);
  for (int i = 0; i < n; ++i) name[i] = family[i].unicode();
  name[n] = 0;
  return n;
}
