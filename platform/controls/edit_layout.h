#pragma once
// Where the text of an edit control lies on screen: the visual lines of a multi-line text (hard
// breaks at CR LF, soft breaks by word wrapping to the width) or the one line of a single-line
// text, and the mapping between text positions and points.
#include <functional>
#include <string>
#include <vector>

struct KpEditLine {
  size_t start;  // first unit of the line
  size_t end;    // one past its last shown unit (a line break is not part of the line)
};

// Width in pixels of text[start, start + count).
using KpWidthFunction = std::function<int(const char16_t* text, int count)>;

// Lays the text out in lines no wider than `width` (at least one unit per line; breaks after a
// space where one fits). `wrap` false: only CR LF breaks lines.
std::vector<KpEditLine> KpLayOutEditText(const std::u16string& text, int width, bool wrap,
                                         const KpWidthFunction& measure);

// The line holding a caret position (a position at the end of a soft-wrapped line belongs to
// the next line, as the caret is drawn there).
size_t KpEditLineOf(const std::vector<KpEditLine>& lines, size_t position);

// The position in the line nearest to x pixels from the line's start.
size_t KpEditHitTest(const std::u16string& text, const KpEditLine& line, int x, const KpWidthFunction& measure);
