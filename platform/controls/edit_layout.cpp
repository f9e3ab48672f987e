#include "platform/controls/edit_layout.h"

#include <cstdlib>

namespace {

bool IsBreak(const std::u16string& text, size_t i) { return text[i] == u'\r' || text[i] == u'\n'; }

// Where a line starting at `start` and running to the hard break `hardEnd` ends when wrapped.
size_t WrapEnd(const std::u16string& text, size_t start, size_t hardEnd, int width, const KpWidthFunction& measure) {
  if (measure(text.data() + start, static_cast<int>(hardEnd - start)) <= width) return hardEnd;
  // The longest prefix that fits (at least one unit, and never half a surrogate pair).
  size_t fit = start + 1;
  while (fit < hardEnd && measure(text.data() + start, static_cast<int>(fit + 1 - start)) <= width) ++fit;
  if (fit < hardEnd && text[fit] >= 0xDC00 && text[fit] <= 0xDFFF) ++fit;
  // Prefer to break after the last space within the fitting prefix.
  for (size_t i = fit; i > start; --i) {
    if (text[i - 1] == u' ' || text[i - 1] == u'\t') return i;
    if (i < hardEnd && text[i] == u' ') {
      // The space after a word that fits stays on this line.
      size_t end = i;
      while (end < hardEnd && text[end] == u' ') ++end;
      return end;
    }
  }
  return fit;
}

}  // namespace

std::vector<KpEditLine> KpLayOutEditText(const std::u16string& text, int width, bool wrap,
                                         const KpWidthFunction& measure) {
  std::vector<KpEditLine> lines;
  size_t start = 0;
  for (;;) {
    size_t hardEnd = start;
    while (hardEnd < text.size() && !IsBreak(text, hardEnd)) ++hardEnd;
    size_t lineStart = start;
    while (wrap && width > 0 && lineStart < hardEnd) {
      size_t end = WrapEnd(text, lineStart, hardEnd, width, measure);
      if (end >= hardEnd) break;
      lines.push_back({lineStart, end});
      lineStart = end;
    }
    lines.push_back({lineStart, hardEnd});
    if (hardEnd >= text.size()) break;
    // Skip the break: CR LF, or a lone CR or LF.
    start = hardEnd + ((text[hardEnd] == u'\r' && hardEnd + 1 < text.size() && text[hardEnd + 1] == u'\n') ? 2 : 1);
  }
  return lines;
}

size_t KpEditLineOf(const std::vector<KpEditLine>& lines, size_t position) {
  for (size_t i = 0; i < lines.size(); ++i) {
    bool last = i + 1 == lines.size();
    if (position < lines[i].end) return i;
    if (position == lines[i].end) {
      // At a soft break the caret goes to the start of the next line.
      if (!last && lines[i + 1].start == position) return i + 1;
      return i;
    }
    if (!last && position < lines[i + 1].start) return i;  // inside the line break
  }
  return lines.empty() ? 0 : lines.size() - 1;
}

size_t KpEditHitTest(const std::u16string& text, const KpEditLine& line, int x, const KpWidthFunction& measure) {
  size_t best = line.start;
  int bestDistance = std::abs(x);
  for (size_t i = line.start + 1; i <= line.end; ++i) {
    int distance = std::abs(measure(text.data() + line.start, static_cast<int>(i - line.start)) - x);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}
