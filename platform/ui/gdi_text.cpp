// DrawTextW: lines, word wrapping, alignment, ellipsis, clipping, and the `text` trace line.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "kp_platform.h"
#include "platform/ui/gdi_internal.h"

namespace {

struct TextLine {
  QString text;
  int width = 0;
  int mnemonic = -1;  // index in `text` of the character to underline, or -1
};

// '&' marks the next character as the mnemonic (underlined); "&&" is a literal '&'.
QString StripPrefixes(const QString& in, int* mnemonic) {
  QString out;
  out.reserve(in.size());
  *mnemonic = -1;
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == u'&' && i + 1 < in.size()) {
      ++i;
      if (in[i] != u'&') *mnemonic = static_cast<int>(out.size());
    }
    out += in[i];
  }
  return out;
}

// Tabs stop every eight average character widths; spaces keep the arithmetic simple and the
// columns right for the proportional text the platform shows.
QString ExpandTabs(const QString& in, bool expand) {
  if (!in.contains(u'\t')) return in;
  QString out;
  int column = 0;
  for (QChar c : in) {
    if (c == u'\n' || c == u'\r') column = -1;
    if (c == u'\t') {
      int spaces = expand ? 8 - column % 8 : 1;
      out += QString(spaces, u' ');
      column += spaces;
    } else {
      out += c;
      ++column;
    }
  }
  return out;
}

int Width(KpFont& font, const QString& s) { return font.WidthOf(s); }

// Greedy wrapping at spaces. A word wider than the line on its own is broken between characters,
// so that no text is lost off the right edge.
void WrapParagraph(const QString& para, int mnemonic, int maxWidth, KpFont& font,
                   std::vector<TextLine>& out) {
  qsizetype start = 0;
  const qsizetype n = para.size();
  if (n == 0) {
    out.push_back({QString(), 0, -1});
    return;
  }
  while (start < n) {
    qsizetype end = start;       // end of the text that fits (trailing spaces excluded)
    qsizetype next = start;      // where the next line starts
    qsizetype pos = start;
    while (pos < n) {
      qsizetype wordEnd = pos;
      while (wordEnd < n && para[wordEnd] != u' ') ++wordEnd;
      if (Width(font, para.mid(start, wordEnd - start)) > maxWidth && end > start) break;
      if (Width(font, para.mid(start, wordEnd - start)) > maxWidth) {
        // A single word too wide: take as many characters as fit (at least one).
        qsizetype cut = start + 1;
        while (cut < wordEnd && Width(font, para.mid(start, cut + 1 - start)) <= maxWidth) ++cut;
        if (cut < n && para[cut].isLowSurrogate()) ++cut;
        end = next = cut;
        pos = n + 1;
        break;
      }
      end = wordEnd;
      qsizetype spaceEnd = wordEnd;
      while (spaceEnd < n && para[spaceEnd] == u' ') ++spaceEnd;
      next = pos = spaceEnd;
    }
    TextLine line;
    line.text = para.mid(start, end - start);
    line.width = Width(font, line.text);
    if (mnemonic >= start && mnemonic < end) line.mnemonic = static_cast<int>(mnemonic - start);
    out.push_back(line);
    if (next <= start) next = start + 1;
    start = next;
  }
}

// Cuts the line so that it and "..." fit in maxWidth.
void Ellipsize(TextLine& line, int maxWidth, KpFont& font) {
  if (line.width <= maxWidth) return;
  const QString dots = QStringLiteral("...");
  qsizetype lo = 0, hi = line.text.size();  // longest prefix that fits lies in [lo, hi]
  while (lo < hi) {
    qsizetype mid = (lo + hi + 1) / 2;
    if (Width(font, line.text.left(mid) + dots) <= maxWidth) lo = mid; else hi = mid - 1;
  }
  if (lo > 0 && line.text[lo - 1].isHighSurrogate()) --lo;
  line.text = line.text.left(lo) + dots;
  if (line.mnemonic >= lo) line.mnemonic = -1;
  line.width = Width(font, line.text);
}

std::vector<TextLine> LayOut(const QString& raw, UINT format, int maxWidth, KpFont& font) {
  QString text = ExpandTabs(raw, format & DT_EXPANDTABS);
  int mnemonic = -1;
  if (!(format & DT_NOPREFIX)) text = StripPrefixes(text, &mnemonic);
  std::vector<TextLine> lines;
  if (text.isEmpty()) return lines;
  if (format & DT_SINGLELINE) {
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    lines.push_back({text, Width(font, text), mnemonic});
  } else {
    qsizetype start = 0;
    while (start <= text.size()) {
      qsizetype end = start;
      while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
      QString para = text.mid(start, end - start);
      int paraMnemonic = mnemonic >= start && mnemonic < end ? static_cast<int>(mnemonic - start) : -1;
      if (format & DT_WORDBREAK)
        WrapParagraph(para, paraMnemonic, std::max(maxWidth, 1), font, lines);
      else
        lines.push_back({para, Width(font, para), paraMnemonic});
      if (end >= text.size()) break;
      start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
  }
  if (format & DT_END_ELLIPSIS)
    for (TextLine& line : lines) Ellipsize(line, maxWidth, font);
  return lines;
}

void TraceText(HDC dc, const RECT& r, UINT format, const QString& text) {
  char rect[64], flags[16], colour[16];
  std::snprintf(rect, sizeof rect, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
  std::snprintf(flags, sizeof flags, "0x%04x", format);
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x", GetRValue(dc->textColour), GetGValue(dc->textColour),
                GetBValue(dc->textColour));
  const std::string name = KpTraceNameOf(dc->window);
  const std::string body = text.toStdString();  // the trace writes CR, LF and TAB as \r \n \t
  const char* fields[] = {name.c_str(), rect, flags, colour, body.c_str()};
  KpTrace("text", fields, 5);
}

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  if (!KpValidDC(dc) || !rect || (!text && count != 0)) return 0;
  if (count < 0) {
    count = 0;
    while (text[count]) ++count;
  }
  const QString raw = count ? KpQString(text, count) : QString();
  KpFont& font = *dc->font;
  const int boxWidth = rect->right - rect->left;
  std::vector<TextLine> lines = LayOut(raw, format, boxWidth, font);
  const int lineHeight = font.height;
  const int textHeight = lineHeight * static_cast<int>(lines.size());

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, line.width);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }

  if (dc->window) TraceText(dc, *rect, format, raw);

  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = (rect->top + rect->bottom - lineHeight) / 2;
    else if (format & DT_BOTTOM) y = rect->bottom - lineHeight;
  }
  const int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - rect->top + textHeight
                                                                                      : textHeight;
  if (lines.empty()) return result;
  QPainter painter;
  if (!KpBeginPainter(dc, painter)) return result;

  const bool clip = !(format & DT_NOCLIP);
  if (clip) {
    if (rect->right <= rect->left || rect->bottom <= rect->top) return result;
    painter.setClipRect(QRect(rect->left, rect->top, boxWidth, rect->bottom - rect->top), Qt::IntersectClip);
  }
  painter.setFont(font.qfont);
  painter.setPen(QColor(KpToRgb(dc->textColour)));
  const QColor back(KpToRgb(dc->backColour));
  for (const TextLine& line : lines) {
    int x = rect->left;
    if (format & DT_CENTER) x = (rect->left + rect->right - line.width) / 2;
    else if (format & DT_RIGHT) x = rect->right - line.width;
    if (dc->backMode == OPAQUE && line.width > 0) painter.fillRect(QRect(x, y, line.width, lineHeight), back);
    if (!line.text.isEmpty())
      painter.drawStaticText(QPointF(x, y + font.ascent - font.staticAscent), font.Prepared(line.text));
    if (line.mnemonic >= 0) {
      const int from = x + Width(font, line.text.left(line.mnemonic));
      const int width = font.metrics.horizontalAdvance(line.text.at(line.mnemonic));
      painter.fillRect(QRect(from, y + font.ascent + 1, std::max(width, 1), 1), QColor(KpToRgb(dc->textColour)));
    }
    y += lineHeight;
  }
  return result;
}
