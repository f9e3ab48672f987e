#pragma once
// "COMBOBOX" in its drop-down-list form: a field showing the chosen item and a button; a tap
// opens the list below it (kp_dropdown.h) and a tap on an item chooses it (CBN_SELCHANGE).
#include <string>
#include <vector>

#include "platform/controls/kp_control.h"

class KpComboBox : public KpControl {
 public:
  using KpControl::KpControl;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  // For the drop-down list.
  const std::vector<std::u16string>& Items() const { return m_items; }
  int Selection() const { return m_selection; }
  HFONT ItemFont() const { return Font(); }
  // The user chose an item (a tap in the list, the arrow keys, the script): CBN_SELCHANGE when
  // the selection changes.
  void Choose(int index);
  // The height of one row of the list.
  int ItemHeight() const;

  static constexpr LPCWSTR kListClass = u"KpComboList";

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  int AddString(const std::u16string& text);
  void OpenList();
  void CloseList();
  RECT ButtonRect() const;

  std::vector<std::u16string> m_items;
  int m_selection = -1;
  HWND m_list = nullptr;
  bool m_focused = false;
};
