#pragma once
// The text of an edit control and what typing does to it, apart from any window: the caret and
// selection, the length limit, the digits-only rule and line breaks. A line break is the pair
// CR LF, as the platform stores it, and the caret never stands inside it (nor inside a surrogate
// pair).
#include <cstddef>
#include <string>

class KpEditText {
 public:
  enum class Result { Changed, Unchanged, Refused };

  // The platform's default limit of a new edit control, and its largest.
  static constexpr size_t kDefaultLimit = 32767;
  static constexpr size_t kMaxLimit = 0x7FFFFFFE;

  void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }
  void SetDigitsOnly(bool digitsOnly) { m_digitsOnly = digitsOnly; }
  // 0 means the largest limit. Text already longer is kept.
  void SetLimit(size_t limit) { m_limit = limit == 0 ? kMaxLimit : limit; }
  size_t Limit() const { return m_limit; }

  const std::u16string& Text() const { return m_text; }
  // Replaces everything (WM_SETTEXT); the caret goes to the start. Not bound by the limit.
  void SetText(const std::u16string& text);

  // One WM_CHAR: a printable unit replaces the selection; backspace deletes; Enter makes a line
  // break in a multi-line text. Refused: a non-digit in a digits-only text, or more than the limit.
  Result Type(char16_t unit);
  Result DeleteForward();
  Result DeleteBackward();
  // Replaces the selection with the text, as far as the limit allows (never splitting a CR LF or
  // a surrogate pair). Refused when nothing of a non-empty text fits.
  Result ReplaceSelection(const std::u16string& text);

  size_t Caret() const { return m_caret; }
  size_t Anchor() const { return m_anchor; }
  size_t SelectionStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  size_t SelectionEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  bool HasSelection() const { return m_anchor != m_caret; }
  // Moves the caret (snapped out of a CR LF or surrogate pair); keeps the anchor when extending.
  void MoveCaret(size_t position, bool extend);
  // EM_SETSEL: start -1 removes the selection, end -1 means the end of the text.
  void Select(long start, long end);

  // The caret positions one step before and after a position.
  size_t Previous(size_t position) const;
  size_t Next(size_t position) const;

 private:
  size_t Snap(size_t position) const;

  std::u16string m_text;
  size_t m_caret = 0;
  size_t m_anchor = 0;
  size_t m_limit = kDefaultLimit;
  bool m_multiLine = false;
  bool m_digitsOnly = false;
};
