// The drop-down list of a combo box: its items one per row, the chosen one highlighted, arrows to
// scroll when there are more items than rows. A tap on an item chooses it and closes the list.
#include <algorithm>

#include "platform/controls/combo_box.h"
#include "platform/controls/kp_control_draw.h"
#include "platform/controls/kp_dropdown.h"

namespace {

constexpr int kScrollBarWidth = 13;

class ComboListPopup : public KpDropDown {
 public:
  using KpDropDown::KpDropDown;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) {
      LRESULT result = KpDropDown::Handle(message, wParam, lParam);
      m_font = Combo() ? Combo()->ItemFont() : nullptr;
      // Open with the chosen item in view.
      int selection = Combo() ? Combo()->Selection() : -1;
      if (selection >= VisibleRows()) m_top = std::min(selection, MaxTop());
      m_hot = selection;
      return result;
    }
    return KpDropDown::Handle(message, wParam, lParam);
  }

 protected:
  void Paint(HDC dc, const RECT& client) override {
    KpFillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    KpComboBox* combo = Combo();
    if (!combo) return;
    RECT inner = client;
    KpDrawFieldBorder(dc, inner);
    int rowHeight = combo->ItemHeight();
    int right = HasScrollBar() ? inner.right - kScrollBarWidth : inner.right;
    SetBkMode(dc, TRANSPARENT);
    const auto& items = combo->Items();
    for (int row = 0; row < VisibleRows(); ++row) {
      int index = m_top + row;
      if (index >= static_cast<int>(items.size())) break;
      RECT line{inner.left, inner.top + row * rowHeight, right, inner.top + (row + 1) * rowHeight};
      bool hot = index == m_hot;
      if (hot) KpFillSolid(dc, line, GetSysColor(COLOR_HIGHLIGHT));
      SetTextColor(dc, hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
      RECT text{line.left + 3, line.top, line.right - 1, line.bottom};
      const std::u16string& item = items[static_cast<size_t>(index)];
      DrawTextW(dc, item.c_str(), static_cast<int>(item.size()), &text,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (HasScrollBar()) {
      RECT bar{right, inner.top, inner.right, inner.bottom};
      KpFillSolid(dc, bar, GetSysColor(COLOR_SCROLLBAR));
      RECT up{bar.left, bar.top, bar.right, bar.top + kScrollBarWidth};
      RECT down{bar.left, bar.bottom - kScrollBarWidth, bar.right, bar.bottom};
      KpDrawButtonFace(dc, up, false, false);
      KpDrawButtonFace(dc, down, false, false);
      KpDrawArrow(dc, up, KpArrow::Up, 4, GetSysColor(m_top > 0 ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      KpDrawArrow(dc, down, KpArrow::Down, 4, GetSysColor(m_top < MaxTop() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
  }

  void Press(int x, int y) override {
    if (HasScrollBar() && x >= Client().right - 1 - kScrollBarWidth) {
      // The upper half pages up, the lower half pages down.
      int page = std::max(1, VisibleRows() - 1);
      m_top = std::clamp(m_top + (y < Client().bottom / 2 ? -page : page), 0, MaxTop());
      m_pressedRow = -1;
      Redraw();
      return;
    }
    m_pressedRow = RowAt(y);
    if (m_pressedRow >= 0) m_hot = m_pressedRow;
    Redraw();
  }

  void Drag(int x, int y) override {
    if (m_pressedRow < 0) return;
    int row = RowAt(y);
    if (row >= 0 && row != m_hot) {
      m_hot = row;
      Redraw();
    }
  }

  void Release(int x, int y) override {
    if (m_pressedRow < 0) return;
    int row = RowAt(y);
    RECT client = Client();
    if (row < 0 || x < client.left || x >= client.right) return;
    KpComboBox* combo = Combo();
    HWND self = m_hwnd;
    if (combo) combo->Choose(row);
    // Choosing may have made the parent close the list already.
    if (IsWindow(self) && KpControlOf(self) == this) Close();
  }

 private:
  KpComboBox* Combo() const { return dynamic_cast<KpComboBox*>(KpControlOf(Owner())); }

  int ItemCount() const { return Combo() ? static_cast<int>(Combo()->Items().size()) : 0; }
  int VisibleRows() const {
    KpComboBox* combo = Combo();
    if (!combo) return 0;
    return std::max(1, (Client().bottom - 2) / combo->ItemHeight());
  }
  int MaxTop() const { return std::max(0, ItemCount() - VisibleRows()); }
  bool HasScrollBar() const { return ItemCount() > VisibleRows(); }

  // The item index under a y position, or -1.
  int RowAt(int y) const {
    KpComboBox* combo = Combo();
    if (!combo || y < 1) return -1;
    int index = m_top + (y - 1) / combo->ItemHeight();
    return index < ItemCount() ? index : -1;
  }

  int m_top = 0;
  int m_hot = -1;
  int m_pressedRow = -1;
};

const ATOM kRegistered = KpRegisterControlClass(KpComboBox::kListClass, KpControlWindowProc<ComboListPopup>);

}  // namespace
