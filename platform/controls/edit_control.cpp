// "EDIT": single-line (scrolling sideways to keep the caret in view with ES_AUTOHSCROLL) and
// multi-line (Enter makes CR LF, word wrap, vertical scrolling) text boxes, digits-only and
// centred styles, a caret, selection, the length limit and EN_CHANGE to the parent. Text an input
// method is composing shows at the caret, underlined, until it is committed; the caret's place is
// reported to the input method.
#include <algorithm>
#include <vector>

#include "platform/controls/edit_layout.h"
#include "platform/controls/edit_text.h"
#include "platform/controls/kp_control.h"
#include "platform/controls/kp_control_draw.h"

namespace {

constexpr int kMargin = 2;         // between the border and the text
constexpr int kScrollBarWidth = 13;

class EditControl : public KpControl {
 public:
  using KpControl::KpControl;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE:
        m_model.SetMultiLine(IsMultiLine());
        m_model.SetDigitsOnly((Style() & ES_NUMBER) != 0);
        return KpControl::Handle(message, wParam, lParam);
      case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
        m_model.SetText(m_text);
        StoreWindowText(m_text);
        m_scrollX = 0;
        m_topLine = 0;
        Redraw();
        // As on the platform, a multi-line edit does not report text set from outside.
        if (!IsMultiLine()) NotifyCommand(EN_CHANGE);
        return TRUE;
      case WM_GETDLGCODE:
        // A multi-line edit takes Enter (a new line); Tab leaves it and Escape cancels the dialog.
        return DLGC_WANTCHARS | (IsMultiLine() && wParam != VK_TAB && wParam != VK_ESCAPE ? DLGC_WANTALLKEYS : 0);
      case WM_SETFOCUS:
        m_focused = true;
        Redraw();
        NotifyCommand(EN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        m_focused = false;
        Redraw();
        NotifyCommand(EN_KILLFOCUS);
        return 0;
      case WM_LBUTTONDOWN:
        return MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      case WM_MOUSEMOVE:
        if (m_dragging) {
          m_model.MoveCaret(PositionAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), true);
          ShowCaretPosition();
        }
        return 0;
      case WM_LBUTTONUP:
        if (m_dragging) {
          m_dragging = false;
          if (GetCapture() == m_hwnd) ReleaseCapture();
        }
        return 0;
      case WM_CHAR:
        Typed(static_cast<char16_t>(wParam));
        return 0;
      case WM_KEYDOWN:
        KeyDown(static_cast<UINT>(wParam));
        return 0;
      case EM_SETSEL:
        m_model.Select(static_cast<long>(static_cast<int>(wParam)), static_cast<long>(static_cast<int>(lParam)));
        ShowCaretPosition();
        return 0;
      case EM_GETSEL: {
        auto start = static_cast<DWORD>(m_model.SelectionStart());
        auto end = static_cast<DWORD>(m_model.SelectionEnd());
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELONG(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
      }
      case EM_LIMITTEXT:
        m_model.SetLimit(static_cast<size_t>(wParam));
        return 0;
      case KPM_SCRIPT_SET:
        return ScriptSet(reinterpret_cast<LPCWSTR>(lParam));
      case WM_IME_STARTCOMPOSITION:
        return 0;
      case WM_IME_COMPOSITION:
        Compose(static_cast<DWORD>(lParam));
        return 0;
      case WM_IME_ENDCOMPOSITION:
        if (!m_preedit.empty()) {
          m_preedit.clear();
          ShowCaretPosition();
        }
        return 0;
      default:
        return KpControl::Handle(message, wParam, lParam);
    }
  }

 protected:
  void TextChanged() override { m_model.SetText(m_text); }

  void Paint(HDC dc, const RECT& client) override {
    bool enabled = IsWindowEnabled(m_hwnd);
    HBRUSH brush = AskParentColours(enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, dc,
                                    enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT),
                                    enabled ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    COLORREF textColour = GetTextColor(dc);
    RECT inner = client;
    if (HasBorder()) KpDrawFieldBorder(dc, inner);
    if (brush) FillRect(dc, &inner, brush);
    else KpFillSolid(dc, inner, enabled ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    if (HasScrollBar()) {
      RECT bar{inner.right - kScrollBarWidth, inner.top, inner.right, inner.bottom};
      PaintScrollBar(dc, bar);
    }
    RECT area = TextArea();
    std::vector<KpEditLine> lines = Layout();
    KpTextMeasure measure(m_hwnd, Font());
    int lineHeight = measure.LineHeight();
    SetBkMode(dc, TRANSPARENT);
    // While text is being composed the selection does not show: the committed text replaces it.
    size_t selStart = m_preedit.empty() ? m_model.SelectionStart() : 0;
    size_t selEnd = m_preedit.empty() ? m_model.SelectionEnd() : 0;
    const std::u16string text = Shown();
    for (size_t i = m_topLine; i < lines.size(); ++i) {
      int top = area.top + static_cast<int>(i - m_topLine) * lineHeight;
      if (top >= area.bottom) break;
      const KpEditLine& line = lines[i];
      int x = LineX(line, area, measure) - m_scrollX;
      // Three runs: before, inside and after the selection (the selection shows only with focus).
      size_t runs[4] = {line.start, line.end, line.end, line.end};
      if (m_focused && selStart < selEnd) {
        runs[1] = std::clamp(selStart, line.start, line.end);
        runs[2] = std::clamp(selEnd, line.start, line.end);
      }
      for (int run = 0; run < 3; ++run) {
        size_t from = runs[run], to = runs[run + 1];
        if (from >= to) continue;
        int width = measure.Width(text.data() + from, static_cast<int>(to - from));
        RECT box{x, top, x + width, top + lineHeight};
        ClipTo(box, area);
        if (run == 1) {
          KpFillSolid(dc, box, GetSysColor(COLOR_HIGHLIGHT));
          SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
          SetTextColor(dc, textColour);
        }
        RECT textBox{x, top, x + width + 1, top + lineHeight};
        if (textBox.right > box.left && textBox.left < area.right)
          DrawTextW(dc, text.data() + from, static_cast<int>(to - from), &textBox, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        x += width;
      }
    }
    UnderlinePreedit(dc, lines, area, measure, textColour);
    if (m_focused && enabled) {
      POINT caret = CaretPoint(lines, measure);
      ReportCaret(caret, lineHeight);
      if (caret.x >= area.left - 1 && caret.x <= area.right && caret.y >= area.top && caret.y < area.bottom)
        KpLine(dc, caret.x, caret.y, caret.x, std::min<int>(caret.y + lineHeight, area.bottom), GetSysColor(COLOR_WINDOWTEXT));
    }
    // Text scrolled past the edges must not cover the border.
    if (HasBorder()) KpFrameSolid(dc, client, GetSysColor(COLOR_BTNSHADOW));
  }

 private:
  bool IsMultiLine() const { return (Style() & ES_MULTILINE) != 0; }
  bool HasBorder() const { return (Style() & WS_BORDER) != 0 || (GetWindowLongW(m_hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE); }
  bool HasScrollBar() const { return IsMultiLine() && (Style() & WS_VSCROLL); }
  bool CanScrollVertically() const { return (Style() & (ES_AUTOVSCROLL | WS_VSCROLL)) != 0; }

  RECT TextArea() const {
    RECT area = Client();
    int border = HasBorder() ? 1 : 0;
    area.left += border + kMargin;
    area.right -= border + kMargin;
    area.top += border + (IsMultiLine() ? kMargin : 0);
    area.bottom -= border;
    if (HasScrollBar()) area.right -= kScrollBarWidth;
    if (!IsMultiLine()) {
      // One line, centred vertically in the box.
      KpTextMeasure measure(m_hwnd, Font());
      int spare = (area.bottom - area.top) - measure.LineHeight();
      if (spare > 0) area.top += spare / 2;
    }
    return area;
  }

  KpWidthFunction Measurer(const KpTextMeasure& measure) const {
    return [&measure](const char16_t* text, int count) { return measure.Width(text, count); };
  }

  std::vector<KpEditLine> Layout() const {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    return KpLayOutEditText(Shown(), area.right - area.left, IsMultiLine(), Measurer(measure));
  }

  int LineX(const KpEditLine& line, const RECT& area, const KpTextMeasure& measure) const {
    DWORD align = Style() & (ES_CENTER | ES_RIGHT);
    if (align == ES_LEFT) return area.left;
    std::u16string shown = Shown();
    int width = measure.Width(shown.data() + line.start, static_cast<int>(line.end - line.start));
    int spare = (area.right - area.left) - width;
    if (spare <= 0) return area.left;
    return area.left + (align == ES_CENTER ? spare / 2 : spare);
  }

  POINT CaretPoint(const std::vector<KpEditLine>& lines, const KpTextMeasure& measure) const {
    RECT area = TextArea();
    size_t index = KpEditLineOf(lines, ShownCaret());
    const KpEditLine& line = lines[index];
    size_t caret = std::clamp(ShownCaret(), line.start, line.end);
    std::u16string shown = Shown();
    int x = LineX(line, area, measure) + measure.Width(shown.data() + line.start, static_cast<int>(caret - line.start));
    int y = area.top + (static_cast<int>(index) - static_cast<int>(m_topLine)) * measure.LineHeight();
    return POINT{x - m_scrollX, y};
  }

  size_t PositionAt(int x, int y) const {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    std::vector<KpEditLine> lines = Layout();
    long row = static_cast<long>(m_topLine) + (y < area.top ? -1 : (y - area.top) / measure.LineHeight());
    size_t index = static_cast<size_t>(std::clamp<long>(row, 0, static_cast<long>(lines.size()) - 1));
    const KpEditLine& line = lines[index];
    return KpEditHitTest(m_model.Text(), line, x + m_scrollX - LineX(line, area, measure), Measurer(measure));
  }

  // Scrolls so that the caret is in view, then repaints.
  void ShowCaretPosition() {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    std::vector<KpEditLine> lines = Layout();
    if (IsMultiLine()) {
      m_scrollX = 0;
      size_t index = KpEditLineOf(lines, ShownCaret());
      size_t visible = std::max<int>(1, (area.bottom - area.top) / measure.LineHeight());
      if (index < m_topLine) m_topLine = index;
      else if (index >= m_topLine + visible) m_topLine = index - visible + 1;
      size_t maxTop = lines.size() > visible ? lines.size() - visible : 0;
      m_topLine = std::min(m_topLine, maxTop);
    } else {
      int width = area.right - area.left;
      std::u16string shown = Shown();
      int caretX = measure.Width(shown.data(), static_cast<int>(ShownCaret()));
      int textWidth = measure.Width(shown);
      // Jump a third of the box at a time, as the platform does, rather than one character.
      if (caretX - m_scrollX > width) m_scrollX = caretX - width * 2 / 3;
      else if (caretX < m_scrollX) m_scrollX = std::max(0, caretX - width / 3);
      if (textWidth - m_scrollX < width) m_scrollX = std::max(0, textWidth - width);
      if (textWidth <= width) m_scrollX = 0;
    }
    Redraw();
  }

  // Whether the text still fits a box that may not scroll (single-line without ES_AUTOHSCROLL,
  // multi-line without ES_AUTOVSCROLL or a scroll bar).
  bool Fits() const {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    if (IsMultiLine()) {
      if (CanScrollVertically()) return true;
      return static_cast<int>(Layout().size()) * measure.LineHeight() <= area.bottom - area.top;
    }
    if (Style() & ES_AUTOHSCROLL) return true;
    return measure.Width(m_model.Text()) <= area.right - area.left;
  }

  // One character typed (WM_CHAR). Returns false when the control refused it.
  bool Typed(char16_t unit) {
    if (!IsWindowEnabled(m_hwnd)) return false;
    KpEditText before = m_model;
    KpEditText::Result result = m_model.Type(unit);
    if (result != KpEditText::Result::Refused && !Fits()) {
      m_model = before;
      result = KpEditText::Result::Refused;
    }
    if (m_model.Text() != before.Text()) Changed();
    else ShowCaretPosition();
    return result != KpEditText::Result::Refused;
  }

  void Changed() {
    m_text = m_model.Text();
    StoreWindowText(m_text);
    ShowCaretPosition();
    NotifyCommand(EN_CHANGE);
  }

  void KeyDown(UINT key) {
    std::vector<KpEditLine> lines = Layout();
    size_t caret = m_model.Caret();
    size_t index = KpEditLineOf(lines, caret);
    switch (key) {
      case VK_LEFT: m_model.MoveCaret(m_model.HasSelection() ? m_model.SelectionStart() : m_model.Previous(caret), false); break;
      case VK_RIGHT: m_model.MoveCaret(m_model.HasSelection() ? m_model.SelectionEnd() : m_model.Next(caret), false); break;
      case VK_HOME: m_model.MoveCaret(lines[index].start, false); break;
      case VK_END: m_model.MoveCaret(lines[index].end, false); break;
      case VK_UP:
      case VK_DOWN: {
        if (!IsMultiLine()) break;
        if ((key == VK_UP && index == 0) || (key == VK_DOWN && index + 1 >= lines.size())) break;
        KpTextMeasure measure(m_hwnd, Font());
        POINT point = CaretPoint(lines, measure);
        m_model.MoveCaret(PositionAtRow(lines, key == VK_UP ? index - 1 : index + 1, point.x), false);
        break;
      }
      case VK_DELETE: {
        if (!IsWindowEnabled(m_hwnd)) return;
        std::u16string before = m_model.Text();
        m_model.DeleteForward();
        if (m_model.Text() != before) {
          Changed();
          return;
        }
        break;
      }
      default:
        return;
    }
    ShowCaretPosition();
  }

  size_t PositionAtRow(const std::vector<KpEditLine>& lines, size_t row, int x) const {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    const KpEditLine& line = lines[row];
    return KpEditHitTest(m_model.Text(), line, x + m_scrollX - LineX(line, area, measure), Measurer(measure));
  }

  LRESULT MouseDown(int x, int y) {
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (HasScrollBar()) {
      RECT client = Client();
      int barLeft = client.right - (HasBorder() ? 1 : 0) - kScrollBarWidth;
      if (x >= barLeft) {
        ScrollBy(y < (client.top + client.bottom) / 2 ? -1 : 1);
        return 0;
      }
    }
    m_model.MoveCaret(PositionAt(x, y), false);
    m_dragging = true;
    SetCapture(m_hwnd);
    ShowCaretPosition();
    return 0;
  }

  void ScrollBy(int lines) {
    KpTextMeasure measure(m_hwnd, Font());
    RECT area = TextArea();
    size_t total = Layout().size();
    size_t visible = std::max<int>(1, (area.bottom - area.top) / measure.LineHeight());
    long top = static_cast<long>(m_topLine) + lines;
    long maxTop = total > visible ? static_cast<long>(total - visible) : 0;
    m_topLine = static_cast<size_t>(std::clamp<long>(top, 0, maxTop));
    Redraw();
  }

  void PaintScrollBar(HDC dc, const RECT& bar) {
    KpFillSolid(dc, bar, GetSysColor(COLOR_SCROLLBAR));
    int half = (bar.top + bar.bottom) / 2;
    RECT up{bar.left, bar.top, bar.right, std::min<int>(bar.top + kScrollBarWidth, half)};
    RECT down{bar.left, std::max<int>(bar.bottom - kScrollBarWidth, half), bar.right, bar.bottom};
    KpDrawButtonFace(dc, up, false, false);
    KpDrawButtonFace(dc, down, false, false);
    KpDrawArrow(dc, up, KpArrow::Up, 4, GetSysColor(COLOR_BTNTEXT));
    KpDrawArrow(dc, down, KpArrow::Down, 4, GetSysColor(COLOR_BTNTEXT));
  }

  static void ClipTo(RECT& box, const RECT& area) {
    box.left = std::max(box.left, area.left);
    box.right = std::min(box.right, area.right);
    box.top = std::max(box.top, area.top);
    box.bottom = std::min(box.bottom, area.bottom);
  }

  // The value replaces the text as if typed: select all, delete, then one WM_CHAR per unit, with
  // the two characters "\n" standing for Enter. FALSE when the control refused any of it.
  LRESULT ScriptSet(LPCWSTR value) {
    if (!value) return FALSE;
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    std::u16string text(value);
    m_model.Select(0, -1);
    bool accepted = true;
    if (!m_model.Text().empty()) accepted = Typed(0x08);
    for (size_t i = 0; i < text.size(); ++i) {
      char16_t unit = text[i];
      if (unit == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
        unit = u'\r';
        ++i;
      }
      if (!Typed(unit)) accepted = false;
    }
    return accepted ? TRUE : FALSE;
  }

  // The text as shown: the composed text stands at the caret, and the caret after it.
  std::u16string Shown() const {
    if (m_preedit.empty()) return m_model.Text();
    std::u16string shown = m_model.Text();
    shown.insert(m_model.Caret(), m_preedit);
    return shown;
  }
  size_t ShownCaret() const { return m_model.Caret() + m_preedit.size(); }

  // WM_IME_COMPOSITION: the committed text is typed (so the limit and the digits-only rule hold
  // for it), the text still being composed is shown.
  void Compose(DWORD changed) {
    HIMC context = ImmGetContext(m_hwnd);
    auto read = [context](DWORD which) {
      LONG bytes = ImmGetCompositionStringW(context, which, nullptr, 0);
      std::u16string text(static_cast<size_t>(std::max<LONG>(bytes, 0)) / 2, u'\0');
      ImmGetCompositionStringW(context, which, text.data(), static_cast<DWORD>(text.size() * 2));
      return text;
    };
    if (changed & GCS_RESULTSTR) {
      std::u16string result = read(GCS_RESULTSTR);
      m_preedit.clear();
      for (char16_t unit : result) Typed(unit);
    }
    if (changed & GCS_COMPSTR) m_preedit = read(GCS_COMPSTR);
    ImmReleaseContext(m_hwnd, context);
    ShowCaretPosition();
  }

  // The composed text's underline, one segment per line it spans.
  void UnderlinePreedit(HDC dc, const std::vector<KpEditLine>& lines, const RECT& area, const KpTextMeasure& measure,
                        COLORREF colour) const {
    if (m_preedit.empty()) return;
    std::u16string shown = Shown();
    size_t from = m_model.Caret(), to = ShownCaret();
    int lineHeight = measure.LineHeight();
    for (size_t i = m_topLine; i < lines.size(); ++i) {
      const KpEditLine& line = lines[i];
      size_t start = std::max(from, line.start), end = std::min(to, line.end);
      if (start >= end) continue;
      int x = LineX(line, area, measure) - m_scrollX;
      int left = x + measure.Width(shown.data() + line.start, static_cast<int>(start - line.start));
      int right = x + measure.Width(shown.data() + line.start, static_cast<int>(end - line.start));
      int y = area.top + static_cast<int>(i - m_topLine) * lineHeight + lineHeight - 1;
      if (y >= area.bottom) break;
      KpLine(dc, std::max<int>(left, area.left), y, std::min<int>(right, area.right), y, colour);
    }
  }

  // Tells the input method where the caret is, so that its candidate window opens beside it.
  void ReportCaret(POINT caret, int lineHeight) const {
    HIMC context = ImmGetContext(m_hwnd);
    COMPOSITIONFORM form{CFS_RECT, caret, RECT{caret.x, caret.y, caret.x + 1, caret.y + lineHeight}};
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(m_hwnd, context);
  }

  KpEditText m_model;
  std::u16string m_preedit;   // what the input method is composing, shown at the caret
  bool m_focused = false;
  bool m_dragging = false;
  int m_scrollX = 0;
  size_t m_topLine = 0;
};

const ATOM kRegistered = KpRegisterControlClass(u"EDIT", KpControlWindowProc<EditControl>);

}  // namespace
