// "SysListView32" in report mode: a header row, rows with sub-items, grid lines, a check box in
// front of each row, full-row selection, vertical scrolling. A tap on a row's check box toggles
// it; a tap elsewhere on a row selects it, and a second one soon after is a double tap (NM_DBLCLK).
// Changes of item state reach the parent as LVN_ITEMCHANGED.
#include <algorithm>

#include "platform/controls/kp_control.h"
#include "platform/controls/kp_control_draw.h"
#include "platform/controls/list_view_items.h"

namespace {

constexpr int kScrollBarWidth = 13;
constexpr int kCellMargin = 3;
constexpr UINT kCheckImageMask = LVIS_STATEIMAGEMASK;

class ListViewControl : public KpControl {
 public:
  using KpControl::KpControl;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case LVM_INSERTCOLUMNW:
        if (!lParam) return -1;
        {
          int at = m_items.InsertColumn(static_cast<int>(wParam), *reinterpret_cast<const LVCOLUMNW*>(lParam));
          Redraw();
          return at;
        }
      case LVM_INSERTITEMW: {
        if (!lParam) return -1;
        UINT initial = HasCheckBoxes() ? INDEXTOSTATEIMAGEMASK(1) : 0;
        int at = m_items.Insert(*reinterpret_cast<const LVITEMW*>(lParam), initial);
        if (at >= 0 && m_focusItem >= at) ++m_focusItem;
        Redraw();
        return at;
      }
      case LVM_SETITEMW:
        return lParam ? SetItem(*reinterpret_cast<const LVITEMW*>(lParam)) : FALSE;
      case LVM_GETITEMW:
        return lParam ? GetItem(*reinterpret_cast<LVITEMW*>(lParam)) : FALSE;
      case LVM_SETITEMTEXTW: {
        auto* item = reinterpret_cast<const LVITEMW*>(lParam);
        if (!item || !m_items.SetText(static_cast<int>(wParam), item->iSubItem, item->pszText)) return FALSE;
        Redraw();
        return TRUE;
      }
      case LVM_GETITEMTEXTW: {
        auto* item = reinterpret_cast<LVITEMW*>(lParam);
        if (!item) return 0;
        return KpCopyListText(m_items.Text(static_cast<int>(wParam), item->iSubItem), item->pszText, item->cchTextMax);
      }
      case LVM_SETITEMSTATE: {
        auto* item = reinterpret_cast<const LVITEMW*>(lParam);
        if (!item) return FALSE;
        int index = static_cast<int>(wParam);
        if (index == -1) {
          for (int i = 0; i < m_items.Count(); ++i) ChangeState(i, item->state, item->stateMask);
          return TRUE;
        }
        if (!m_items.Valid(index)) return FALSE;
        ChangeState(index, item->state, item->stateMask);
        return TRUE;
      }
      case LVM_GETITEMSTATE:
        // States the owner keeps (the callback mask) are never the list's to report.
        return m_items.State(static_cast<int>(wParam)) & static_cast<UINT>(lParam) & ~m_callbackMask;
      case LVM_GETITEMCOUNT:
        return m_items.Count();
      case LVM_DELETEITEM: {
        int index = static_cast<int>(wParam);
        if (!m_items.Delete(index)) return FALSE;
        if (m_focusItem == index) m_focusItem = -1;
        else if (m_focusItem > index) --m_focusItem;
        ClampTop();
        Redraw();
        return TRUE;
      }
      case LVM_DELETEALLITEMS:
        m_items.DeleteAll();
        m_focusItem = -1;
        m_top = 0;
        Redraw();
        return TRUE;
      case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        DWORD old = m_extended;
        m_extended = (m_extended & ~mask) | (static_cast<DWORD>(lParam) & mask);
        bool hadBoxes = (old & LVS_EX_CHECKBOXES) != 0;
        if (HasCheckBoxes() != hadBoxes) {
          for (int i = 0; i < m_items.Count(); ++i)
            m_items.SetState(i, HasCheckBoxes() ? INDEXTOSTATEIMAGEMASK(1) : 0, kCheckImageMask);
        }
        Redraw();
        return old;
      }
      case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_extended;
      case LVM_SETCALLBACKMASK:
        m_callbackMask = static_cast<UINT>(wParam);
        Redraw();
        return TRUE;
      case LVM_GETCALLBACKMASK:
        return m_callbackMask;
      case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        m_focused = message == WM_SETFOCUS;
        Redraw();
        return 0;
      case WM_LBUTTONDOWN: {
        if (!IsWindowEnabled(m_hwnd)) return 0;
        if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        const int row = Tap(x, y);
        // A second tap on the same row within the double-tap time (its check box aside) is a
        // double tap: the parent hears NM_DBLCLK with the row.
        const DWORD now = GetTickCount();
        const bool second = row >= 0 && row == m_lastTapRow && now - m_lastTapTime <= kDoubleTapMs;
        m_lastTapRow = second ? -1 : row;
        m_lastTapTime = now;
        if (second) {
          NMITEMACTIVATE activate{};
          activate.iItem = row;
          activate.ptAction = POINT{x, y};
          NotifyParent(&activate.hdr, NM_DBLCLK);
        }
        return 0;
      }
      case WM_KEYDOWN:
        KeyDown(static_cast<UINT>(wParam));
        return 0;
      case KPM_SCRIPT_SET:
        return ScriptSet(reinterpret_cast<LPCWSTR>(lParam));
      default:
        return KpControl::Handle(message, wParam, lParam);
    }
  }

 protected:
  void Paint(HDC dc, const RECT& client) override {
    RECT inner = client;
    KpFillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    if (HasBorder()) KpDrawFieldBorder(dc, inner);
    m_inner = inner;
    SetBkMode(dc, TRANSPARENT);
    PaintHeader(dc);
    int rowsRight = RowsRight();
    int rowHeight = RowHeight();
    int rowsTop = m_inner.top + HeaderHeight();
    for (int row = 0; row < VisibleRows() + 1; ++row) {
      int index = m_top + row;
      if (index >= m_items.Count()) break;
      PaintRow(dc, index, rowsTop + row * rowHeight);
    }
    if (m_extended & LVS_EX_GRIDLINES) {
      COLORREF grid = GetSysColor(COLOR_BTNFACE);
      for (int y = rowsTop + rowHeight - 1; y < m_inner.bottom; y += rowHeight) KpLine(dc, m_inner.left, y, rowsRight, y, grid);
      int x = m_inner.left;
      for (const auto& column : m_items.Columns()) {
        x += column.width;
        if (x - 1 < rowsRight) KpLine(dc, x - 1, rowsTop, x - 1, m_inner.bottom, grid);
      }
    }
    if (HasScrollBar()) PaintScrollBar(dc);
    // With the focus and no row selected to show it (Tab into the list), the rows' area shows it.
    bool anySelected = false;
    for (int i = 0; i < m_items.Count() && !anySelected; ++i) anySelected = (m_items.State(i) & LVIS_SELECTED) != 0;
    if (m_focused && !anySelected) KpDrawFocusRect(dc, RECT{m_inner.left, rowsTop, rowsRight, m_inner.bottom});
  }

 private:
  bool HasCheckBoxes() const { return (m_extended & LVS_EX_CHECKBOXES) != 0; }
  bool HasBorder() const { return (Style() & WS_BORDER) != 0 || (GetWindowLongW(m_hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE); }

  RECT Inner() const {
    RECT inner = Client();
    if (HasBorder()) {
      inner.left += 1; inner.top += 1; inner.right -= 1; inner.bottom -= 1;
    }
    return inner;
  }
  int LineHeight() const {
    KpTextMeasure measure(m_hwnd, Font());
    return measure.LineHeight();
  }
  int HeaderHeight() const { return LineHeight() + 6; }
  int RowHeight() const { return std::max(LineHeight() + 4, HasCheckBoxes() ? kKpCheckBoxSize + 4 : 0); }
  int VisibleRows() const {
    RECT inner = Inner();
    return std::max(1, (inner.bottom - inner.top - HeaderHeight()) / RowHeight());
  }
  bool HasScrollBar() const { return m_items.Count() > VisibleRows(); }
  int RowsRight() const { return Inner().right - (HasScrollBar() ? kScrollBarWidth : 0); }
  int MaxTop() const { return std::max(0, m_items.Count() - VisibleRows()); }
  void ClampTop() { m_top = std::clamp(m_top, 0, MaxTop()); }

  void ScrollIntoView(int index) {
    if (index < m_top) m_top = index;
    else if (index >= m_top + VisibleRows()) m_top = index - VisibleRows() + 1;
    ClampTop();
  }

  void PaintHeader(HDC dc) {
    int x = m_inner.left;
    int height = HeaderHeight();
    RECT header{m_inner.left, m_inner.top, m_inner.right, m_inner.top + height};
    KpFillSolid(dc, header, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (const auto& column : m_items.Columns()) {
      RECT cell{x, m_inner.top, x + column.width, m_inner.top + height};
      KpDrawButtonFace(dc, cell, false, false);
      RECT text{cell.left + kCellMargin + 1, cell.top, cell.right - kCellMargin, cell.bottom};
      DrawTextW(dc, column.text.c_str(), static_cast<int>(column.text.size()), &text,
                AlignmentOf(column.format) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      x += column.width;
      if (x >= m_inner.right) break;
    }
  }

  static UINT AlignmentOf(int format) {
    if (format & LVCFMT_CENTER) return DT_CENTER;
    if (format & LVCFMT_RIGHT) return DT_RIGHT;
    return DT_LEFT;
  }

  void PaintRow(HDC dc, int index, int top) {
    const KpListItem& item = m_items.At(index);
    int rowHeight = RowHeight();
    int right = RowsRight();
    bool selected = (item.state & LVIS_SELECTED) != 0;
    bool showSelection = selected && (m_focused || (Style() & LVS_SHOWSELALWAYS));
    COLORREF selectionColour = m_focused ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
    COLORREF selectionText = m_focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    int x = m_inner.left;
    const auto& columns = m_items.Columns();
    int labelLeft = x + (HasCheckBoxes() ? kKpCheckBoxSize + 2 * kCellMargin : 0);
    if (showSelection) {
      // Full-row selection highlights every column; otherwise only the first column's label.
      int highlightRight = (m_extended & LVS_EX_FULLROWSELECT) ? right
                                                              : x + (columns.empty() ? 0 : columns[0].width);
      RECT band{labelLeft, top, std::min(highlightRight, right), top + rowHeight - 1};
      KpFillSolid(dc, band, selectionColour);
    }
    if (HasCheckBoxes()) {
      bool checked = ((item.state & kCheckImageMask) >> 12) == 2;
      KpDrawCheckBox(dc, x + kCellMargin, top + (rowHeight - kKpCheckBoxSize) / 2, checked, IsWindowEnabled(m_hwnd));
    }
    for (size_t column = 0; column < columns.size() && x < right; ++column) {
      bool highlighted = showSelection && (column == 0 || (m_extended & LVS_EX_FULLROWSELECT));
      SetTextColor(dc, highlighted ? selectionText : GetSysColor(COLOR_WINDOWTEXT));
      int left = column == 0 ? labelLeft : x;
      RECT cell{left + kCellMargin, top, std::min<int>(x + columns[column].width, right) - kCellMargin, top + rowHeight};
      const std::u16string& text = m_items.Text(index, static_cast<int>(column));
      // The first column is always left-aligned, as on the platform.
      UINT align = column == 0 ? DT_LEFT : AlignmentOf(columns[column].format);
      if (!text.empty() && cell.right > cell.left)
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
                  align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      x += columns[column].width;
    }
    bool drawFocus = m_focused && index == m_focusItem && !(m_callbackMask & LVIS_FOCUSED);
    if (drawFocus) {
      int focusRight = (m_extended & LVS_EX_FULLROWSELECT) ? right
                                                          : m_inner.left + (columns.empty() ? 0 : columns[0].width);
      KpDrawFocusRect(dc, RECT{labelLeft, top, focusRight, top + rowHeight - 1});
    }
  }

  void PaintScrollBar(HDC dc) {
    RECT bar{m_inner.right - kScrollBarWidth, m_inner.top + HeaderHeight(), m_inner.right, m_inner.bottom};
    KpFillSolid(dc, bar, GetSysColor(COLOR_SCROLLBAR));
    RECT up{bar.left, bar.top, bar.right, bar.top + kScrollBarWidth};
    RECT down{bar.left, bar.bottom - kScrollBarWidth, bar.right, bar.bottom};
    KpDrawButtonFace(dc, up, false, false);
    KpDrawButtonFace(dc, down, false, false);
    KpDrawArrow(dc, up, KpArrow::Up, 4, GetSysColor(m_top > 0 ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    KpDrawArrow(dc, down, KpArrow::Down, 4, GetSysColor(m_top < MaxTop() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    // The thumb: where the visible rows lie among all rows.
    int track = (down.top - up.bottom);
    if (track > 8 && m_items.Count() > 0) {
      int thumbTop = up.bottom + track * m_top / m_items.Count();
      int thumbHeight = std::max(8, track * VisibleRows() / m_items.Count());
      RECT thumb{bar.left, thumbTop, bar.right, std::min<int>(thumbTop + thumbHeight, down.top)};
      KpDrawButtonFace(dc, thumb, false, false);
    }
  }

  // Sets state bits, redraws and tells the parent when they changed.
  void ChangeState(int index, UINT state, UINT mask) {
    UINT old = m_items.SetState(index, state, mask);
    UINT now = m_items.State(index);
    if (mask & LVIS_FOCUSED) {
      if (now & LVIS_FOCUSED) {
        // One focused item at a time.
        if (m_focusItem >= 0 && m_focusItem != index) ChangeState(m_focusItem, 0, LVIS_FOCUSED);
        m_focusItem = index;
      } else if (m_focusItem == index) {
        m_focusItem = -1;
      }
    }
    if (old == now) return;
    Redraw();
    NMLISTVIEW change{};
    change.iItem = index;
    change.uNewState = now;
    change.uOldState = old;
    change.uChanged = LVIF_STATE;
    change.lParam = m_items.At(index).data;
    NotifyParent(&change.hdr, LVN_ITEMCHANGED);
  }

  BOOL SetItem(const LVITEMW& item) {
    if (!m_items.Valid(item.iItem)) return FALSE;
    if ((item.mask & LVIF_TEXT) && !m_items.SetText(item.iItem, item.iSubItem, item.pszText)) return FALSE;
    if (item.iSubItem == 0) {
      if (item.mask & LVIF_PARAM) m_items.SetData(item.iItem, item.lParam);
      if (item.mask & LVIF_STATE) ChangeState(item.iItem, item.state, item.stateMask);
    }
    Redraw();
    return TRUE;
  }

  BOOL GetItem(LVITEMW& item) const {
    if (!m_items.Valid(item.iItem)) return FALSE;
    if (item.mask & LVIF_TEXT) KpCopyListText(m_items.Text(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    if (item.mask & LVIF_PARAM) item.lParam = m_items.At(item.iItem).data;
    if (item.mask & LVIF_STATE) item.state = m_items.State(item.iItem) & item.stateMask & ~m_callbackMask;
    return TRUE;
  }

  void ToggleCheck(int index) {
    UINT image = (m_items.State(index) & kCheckImageMask) >> 12;
    ChangeState(index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), kCheckImageMask);
  }

  // A single selection: this row selected and focused, every other row not selected.
  void SelectOnly(int index) {
    for (int i = 0; i < m_items.Count(); ++i)
      if (i != index && (m_items.State(i) & LVIS_SELECTED)) ChangeState(i, 0, LVIS_SELECTED);
    if (index >= 0) ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }

  // A tap on the list; returns the row it selected, -1 for anything else (the header, the scroll
  // bar, a check box, below the last row).
  int Tap(int x, int y) {
    RECT inner = Inner();
    int rowsTop = inner.top + HeaderHeight();
    if (y < rowsTop) return -1;  // the header does not sort
    if (HasScrollBar() && x >= inner.right - kScrollBarWidth) {
      int page = std::max(1, VisibleRows() - 1);
      if (y < rowsTop + kScrollBarWidth) m_top -= 1;
      else if (y >= inner.bottom - kScrollBarWidth) m_top += 1;
      else m_top += y < (rowsTop + inner.bottom) / 2 ? -page : page;
      ClampTop();
      Redraw();
      return -1;
    }
    int index = m_top + (y - rowsTop) / RowHeight();
    if (index >= m_items.Count()) {
      SelectOnly(-1);
      return -1;
    }
    if (HasCheckBoxes() && x >= inner.left && x < inner.left + kKpCheckBoxSize + 2 * kCellMargin) {
      ToggleCheck(index);
      return -1;
    }
    SelectOnly(index);
    return index;
  }

  void KeyDown(UINT key) {
    int count = m_items.Count();
    if (count == 0) return;
    int index = m_focusItem;
    if (key == VK_DOWN) index = std::min(count - 1, index + 1);
    else if (key == VK_UP) index = std::max(0, index - 1);
    else if (key == VK_HOME) index = 0;
    else if (key == VK_END) index = count - 1;
    else if (key == VK_SPACE && HasCheckBoxes() && m_focusItem >= 0) {
      ToggleCheck(m_focusItem);
      return;
    } else {
      return;
    }
    ScrollIntoView(index);
    SelectOnly(index);
    Redraw();
  }

  // "ROW:0" or "ROW:1": the row's check box left clear or ticked, as a tap on it would.
  LRESULT ScriptSet(LPCWSTR value) {
    if (!value || !HasCheckBoxes()) return FALSE;
    std::u16string text(value);
    size_t colon = text.find(u':');
    if (colon == std::u16string::npos || colon == 0 || colon + 2 != text.size()) return FALSE;
    long row = 0;
    for (size_t i = 0; i < colon; ++i) {
      if (text[i] < u'0' || text[i] > u'9' || row > 1000000) return FALSE;
      row = row * 10 + (text[i] - u'0');
    }
    char16_t wanted = text[colon + 1];
    if ((wanted != u'0' && wanted != u'1') || row >= m_items.Count()) return FALSE;
    int index = static_cast<int>(row);
    ScrollIntoView(index);
    bool checked = ((m_items.State(index) & kCheckImageMask) >> 12) == 2;
    if (checked != (wanted == u'1')) ToggleCheck(index);
    Redraw();
    return TRUE;
  }

  KpListItems m_items;
  DWORD m_extended = 0;
  UINT m_callbackMask = 0;
  int m_focusItem = -1;
  int m_top = 0;
  bool m_focused = false;
  int m_lastTapRow = -1;     // the row of the last tap, for telling a double tap
  DWORD m_lastTapTime = 0;
  static constexpr DWORD kDoubleTapMs = 500;
  RECT m_inner{};
};

const ATOM kRegistered = KpRegisterControlClass(WC_LISTVIEWW, KpControlWindowProc<ListViewControl>);

}  // namespace
