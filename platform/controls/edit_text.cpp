#include "platform/controls/edit_text.h"

#include <algorithm>

namespace {
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
}  // namespace

void KpEditText::SetText(const std::u16string& text) {
  m_text = text;
  m_caret = m_anchor = 0;
}

size_t KpEditText::Snap(size_t position) const {
  position = std::min(position, m_text.size());
  if (position > 0 && position < m_text.size()) {
    if (m_text[position - 1] == u'\r' && m_text[position] == u'\n') return position - 1;
    if (IsHighSurrogate(m_text[position - 1]) && IsLowSurrogate(m_text[position])) return position - 1;
  }
  return position;
}

size_t KpEditText::Previous(size_t position) const {
  position = Snap(position);
  if (position == 0) return 0;
  return Snap(position - 1);
}

size_t KpEditText::Next(size_t position) const {
  position = Snap(position);
  if (position >= m_text.size()) return m_text.size();
  if (m_text[position] == u'\r' && position + 1 < m_text.size() && m_text[position + 1] == u'\n') return position + 2;
  if (IsHighSurrogate(m_text[position]) && position + 1 < m_text.size() && IsLowSurrogate(m_text[position + 1]))
    return position + 2;
  return position + 1;
}

void KpEditText::MoveCaret(size_t position, bool extend) {
  m_caret = Snap(position);
  if (!extend) m_anchor = m_caret;
}

void KpEditText::Select(long start, long end) {
  if (start < 0) {
    m_anchor = m_caret;
    return;
  }
  size_t to = end < 0 ? m_text.size() : static_cast<size_t>(end);
  m_anchor = Snap(static_cast<size_t>(start));
  m_caret = Snap(to);
}

KpEditText::Result KpEditText::ReplaceSelection(const std::u16string& text) {
  size_t start = SelectionStart(), end = SelectionEnd();
  size_t room = m_limit > m_text.size() - (end - start) ? m_limit - (m_text.size() - (end - start)) : 0;
  size_t take = std::min(text.size(), room);
  // Never keep half of a CR LF or of a surrogate pair.
  if (take > 0 && take < text.size()) {
    if (text[take - 1] == u'\r' && text[take] == u'\n') --take;
    else if (IsHighSurrogate(text[take - 1]) && IsLowSurrogate(text[take])) --take;
  }
  if (take == 0 && !text.empty()) return Result::Refused;
  if (take == 0 && start == end) return Result::Unchanged;
  m_text.replace(start, end - start, text, 0, take);
  m_caret = m_anchor = start + take;
  return take < text.size() ? Result::Refused : Result::Changed;
}

KpEditText::Result KpEditText::DeleteBackward() {
  if (!HasSelection()) {
    if (m_caret == 0) return Result::Unchanged;
    m_anchor = m_caret;
    m_caret = Previous(m_caret);
  }
  return ReplaceSelection(std::u16string());
}

KpEditText::Result KpEditText::DeleteForward() {
  if (!HasSelection()) {
    if (m_caret >= m_text.size()) return Result::Unchanged;
    m_anchor = m_caret;
    m_caret = Next(m_caret);
  }
  return ReplaceSelection(std::u16string());
}

KpEditText::Result KpEditText::Type(char16_t unit) {
  if (unit == 0x08) return DeleteBackward();
  if (unit == u'\r' || unit == u'\n') {
    if (!m_multiLine) return Result::Unchanged;
    return ReplaceSelection(u"\r\n");
  }
  if (unit < 0x20 || unit == 0x7F) return Result::Unchanged;  // other control keys type nothing
  if (m_digitsOnly && (unit < u'0' || unit > u'9')) return Result::Refused;
  // The second half of a surrogate pair joins the first half the caret stands after.
  if (IsLowSurrogate(unit) && !HasSelection() && m_caret > 0 && IsHighSurrogate(m_text[m_caret - 1])) {
    m_text.insert(m_caret, 1, unit);
    m_caret = m_anchor = m_caret + 1;
    return Result::Changed;
  }
  return ReplaceSelection(std::u16string(1, unit));
}
