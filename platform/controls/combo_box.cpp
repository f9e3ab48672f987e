#include "platform/controls/combo_box.h"

#include <algorithm>
#include <string>

#include "platform/controls/kp_control_draw.h"
#include "platform/controls/kp_dropdown.h"

namespace {

constexpr int kMaxVisibleItems = 8;
constexpr int kListScrollBarWidth = 13;

// The platform sorts a combo box's items without regard to letter case.
char16_t Folded(char16_t unit) { return (unit >= u'A' && unit <= u'Z') ? unit - u'A' + u'a' : unit; }
bool SortsBefore(const std::u16string& a, const std::u16string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (Folded(a[i]) != Folded(b[i])) return Folded(a[i]) < Folded(b[i]);
  }
  return a.size() < b.size();
}

LRESULT CopyOut(const std::u16string& text, LPARAM buffer) {
  if (!buffer) return CB_ERR;
  auto* out = reinterpret_cast<LPWSTR>(buffer);
  text.copy(out, text.size());
  out[text.size()] = 0;
  return static_cast<LRESULT>(text.size());
}

}  // namespace

int KpComboBox::ItemHeight() const {
  KpTextMeasure measure(m_hwnd, Font());
  return measure.LineHeight() + 4;
}

int KpComboBox::AddString(const std::u16string& text) {
  size_t at = m_items.size();
  if (Style() & CBS_SORT) {
    at = static_cast<size_t>(std::upper_bound(m_items.begin(), m_items.end(), text, SortsBefore) - m_items.begin());
  }
  m_items.insert(m_items.begin() + static_cast<long>(at), text);
  if (m_selection >= static_cast<int>(at)) ++m_selection;
  return static_cast<int>(at);
}

void KpComboBox::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return;
  bool changed = index != m_selection;
  m_selection = index;
  Redraw();
  if (changed) NotifyCommand(CBN_SELCHANGE);
}

RECT KpComboBox::ButtonRect() const {
  RECT client = Client();
  int size = std::min<int>(16, client.bottom - client.top - 2);
  return RECT{client.right - 1 - size, client.top + 1, client.right - 1, client.bottom - 1};
}

void KpComboBox::OpenList() {
  if (m_list || m_items.empty()) return;
  NotifyCommand(CBN_DROPDOWN);
  RECT client = Client();
  int visible = std::min<int>(kMaxVisibleItems, static_cast<int>(m_items.size()));
  // As many rows as fit on the side of the control with more room, whole rows only.
  const int room = std::min(GetSystemMetrics(SM_CYSCREEN) / 2, KpDropDownRoom(m_hwnd));
  int height = visible * ItemHeight() + 2;
  if (height > room) {
    visible = std::max(1, (room - 2) / ItemHeight());
    height = visible * ItemHeight() + 2;
  }
  int width = client.right - client.left;
  if (static_cast<int>(m_items.size()) > visible) width = std::max(width, 40 + kListScrollBarWidth);
  m_list = KpOpenDropDown(kListClass, m_hwnd, width, height, false);
  Redraw();
}

void KpComboBox::CloseList() {
  if (m_list) DestroyWindow(m_list);  // KPM_DROPDOWN_CLOSED clears m_list
}

LRESULT KpComboBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_ADDSTRING:
      if (!lParam) return CB_ERR;
      {
        int at = AddString(reinterpret_cast<LPCWSTR>(lParam));
        Redraw();
        return at;
      }
    case CB_INSERTSTRING: {
      if (!lParam) return CB_ERR;
      int at = static_cast<int>(wParam);
      if (at == -1) at = static_cast<int>(m_items.size());
      if (at < 0 || at > static_cast<int>(m_items.size())) return CB_ERR;
      m_items.insert(m_items.begin() + at, std::u16string(reinterpret_cast<LPCWSTR>(lParam)));
      if (m_selection >= at) ++m_selection;
      Redraw();
      return at;
    }
    case CB_DELETESTRING: {
      int at = static_cast<int>(wParam);
      if (at < 0 || at >= static_cast<int>(m_items.size())) return CB_ERR;
      m_items.erase(m_items.begin() + at);
      if (m_selection == at) m_selection = -1;
      else if (m_selection > at) --m_selection;
      Redraw();
      return static_cast<LRESULT>(m_items.size());
    }
    case CB_RESETCONTENT:
      CloseList();
      m_items.clear();
      m_selection = -1;
      Redraw();
      return 0;
    case CB_GETCOUNT:
      return static_cast<LRESULT>(m_items.size());
    case CB_GETCURSEL:
      return m_selection;
    case CB_SETCURSEL: {
      int at = static_cast<int>(wParam);
      bool valid = at >= 0 && at < static_cast<int>(m_items.size());
      m_selection = valid ? at : -1;
      Redraw();
      return valid ? at : CB_ERR;
    }
    case CB_GETLBTEXT: {
      int at = static_cast<int>(wParam);
      if (at < 0 || at >= static_cast<int>(m_items.size())) return CB_ERR;
      return CopyOut(m_items[static_cast<size_t>(at)], lParam);
    }
    case CB_GETLBTEXTLEN: {
      int at = static_cast<int>(wParam);
      if (at < 0 || at >= static_cast<int>(m_items.size())) return CB_ERR;
      return static_cast<LRESULT>(m_items[static_cast<size_t>(at)].size());
    }
    case CB_SHOWDROPDOWN:
      if (wParam) OpenList();
      else CloseList();
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return m_list ? TRUE : FALSE;
    case KPM_DROPDOWN_CLOSED:
      if (reinterpret_cast<HWND>(lParam) == m_list) {
        m_list = nullptr;
        Redraw();
        NotifyCommand(CBN_CLOSEUP);
      }
      return 0;
    case WM_GETTEXT:
      if (m_selection < 0 || !lParam || wParam == 0) {
        if (lParam && wParam) *reinterpret_cast<LPWSTR>(lParam) = 0;
        return 0;
      } else {
        std::u16string text = m_items[static_cast<size_t>(m_selection)].substr(0, wParam - 1);
        return CopyOut(text, lParam);
      }
    case WM_GETTEXTLENGTH:
      return m_selection < 0 ? 0 : static_cast<LRESULT>(m_items[static_cast<size_t>(m_selection)].size());
    case WM_SETTEXT:
      return CB_ERR;  // a drop-down list shows only its items
    case WM_GETDLGCODE:
      // While its list is open, Escape and Enter close the list rather than the dialog.
      return DLGC_WANTCHARS | (m_list && (wParam == VK_ESCAPE || wParam == VK_RETURN) ? DLGC_WANTALLKEYS : 0);
    case WM_LBUTTONDOWN:
      if (!IsWindowEnabled(m_hwnd)) return 0;
      if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
      if (m_list) CloseList();
      else OpenList();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_DOWN) Choose(std::min<int>(m_selection + 1, static_cast<int>(m_items.size()) - 1));
      else if (wParam == VK_UP) Choose(std::max(m_selection - 1, 0));
      else if (wParam == VK_ESCAPE || wParam == VK_RETURN) CloseList();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      m_focused = message == WM_SETFOCUS;
      Redraw();
      return 0;
    case WM_DESTROY:
      CloseList();
      return 0;
    case KPM_SCRIPT_SET: {
      auto* value = reinterpret_cast<LPCWSTR>(lParam);
      if (!value || !*value) return FALSE;
      long index = 0;
      for (LPCWSTR p = value; *p; ++p) {
        if (*p < u'0' || *p > u'9' || index > 100000) return FALSE;
        index = index * 10 + (*p - u'0');
      }
      if (index >= static_cast<long>(m_items.size())) return FALSE;
      if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
      Choose(static_cast<int>(index));
      return TRUE;
    }
    default:
      return KpControl::Handle(message, wParam, lParam);
  }
}

void KpComboBox::Paint(HDC dc, const RECT& client) {
  bool enabled = IsWindowEnabled(m_hwnd);
  RECT inner = PaintField(dc, client);
  COLORREF textColour = GetTextColor(dc);
  RECT button = ButtonRect();
  KpDrawButtonFace(dc, button, m_list != nullptr, false);
  KpDrawArrow(dc, button, KpArrow::Down, 4, enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
  RECT field{inner.left + 1, inner.top + 1, button.left - 1, inner.bottom - 1};
  // With the focus the chosen item shows highlighted, as the platform's drop-down list does.
  bool highlight = m_focused && enabled && m_selection >= 0;
  if (highlight) KpFillSolid(dc, field, GetSysColor(COLOR_HIGHLIGHT));
  if (m_selection < 0) return;
  const std::u16string& text = m_items[static_cast<size_t>(m_selection)];
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, highlight ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColour);
  RECT area{field.left + 2, field.top, field.right, field.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

namespace {
const ATOM kRegistered = KpRegisterControlClass(u"COMBOBOX", KpControlWindowProc<KpComboBox>);
}  // namespace
