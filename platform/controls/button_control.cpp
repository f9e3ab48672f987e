// "BUTTON": push buttons (pressed look while held, BN_CLICKED on release inside) and check boxes
// (a box with an optional caption; the automatic kind toggles itself on a click).
#include "platform/controls/kp_control.h"
#include "platform/controls/kp_control_draw.h"

namespace {

constexpr UINT kStatePushed = 0x0004;  // BM_GETSTATE's "held down" bit
constexpr int kCheckGap = 4;           // between the box and its caption

class ButtonControl : public KpControl {
 public:
  using KpControl::KpControl;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        // A push button takes Enter itself while it has the focus: the dialog leaves it the key.
        if (!IsPush()) return DLGC_BUTTON;
        return DLGC_BUTTON | (Type() == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      case WM_LBUTTONDOWN:
        if (!IsWindowEnabled(m_hwnd)) return 0;
        m_tracking = true;
        SetCapture(m_hwnd);
        if (IsPush() || IsCheck()) SetFocus(m_hwnd);
        SetPushed(true);
        return 0;
      case WM_MOUSEMOVE:
        if (m_tracking) SetPushed(Inside(lParam));
        return 0;
      case WM_LBUTTONUP: {
        if (!m_tracking) return 0;
        m_tracking = false;
        bool inside = Inside(lParam);
        SetPushed(false);
        if (GetCapture() == m_hwnd) ReleaseCapture();
        if (inside) Click();
        return 0;
      }
      case WM_CANCELMODE:
        m_tracking = false;
        SetPushed(false);
        return 0;
      // Space (and Enter on a push button) draws the button pressed; the release clicks it.
      case WM_KEYDOWN:
        if (IsWindowEnabled(m_hwnd) && !m_tracking && PressedByKey(wParam)) SetPushed(true);
        return 0;
      case WM_KEYUP:
        if (PressedByKey(wParam) && m_pushed && !m_tracking) {
          SetPushed(false);
          Click();
        }
        return 0;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Redraw();
        return 0;
      case BM_GETCHECK:
        return IsCheck() ? m_check : BST_UNCHECKED;
      case BM_SETCHECK:
        if (IsCheck() && m_check != static_cast<int>(wParam)) {
          m_check = static_cast<int>(wParam);
          Redraw();
        }
        return 0;
      case BM_GETSTATE:
        return (IsCheck() ? m_check : 0) | (m_pushed ? kStatePushed : 0);
      case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
      case BM_CLICK:
        Click();
        return 0;
      case KPM_SCRIPT_SET:
        return ScriptSet(reinterpret_cast<LPCWSTR>(lParam));
      default:
        return KpControl::Handle(message, wParam, lParam);
    }
  }

 protected:
  void Paint(HDC dc, const RECT& client) override {
    if (IsCheck()) PaintCheckBox(dc, client);
    else PaintPush(dc, client);
  }

 private:
  DWORD Type() const { return Style() & BS_TYPEMASK; }
  bool IsCheck() const { return Type() == BS_CHECKBOX || Type() == BS_AUTOCHECKBOX; }
  bool IsPush() const { return Type() == BS_PUSHBUTTON || Type() == BS_DEFPUSHBUTTON; }

  bool PressedByKey(WPARAM key) const { return key == VK_SPACE || (key == VK_RETURN && IsPush()); }

  bool Inside(LPARAM lParam) const {
    RECT client = Client();
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
  }

  void SetPushed(bool pushed) {
    if (m_pushed == pushed) return;
    m_pushed = pushed;
    Redraw();
  }

  // A completed click: the automatic check box toggles first, so the parent reads the new state.
  void Click() {
    if (Type() == BS_AUTOCHECKBOX) {
      m_check = m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      Redraw();
    }
    NotifyCommand(BN_CLICKED);
  }

  // A check box takes 0 or 1 (clicked when it differs, as a person would); a push button takes 1
  // (one press and release).
  LRESULT ScriptSet(LPCWSTR value) {
    if (!value) return FALSE;
    std::u16string text(value);
    if (text != u"0" && text != u"1") return FALSE;
    if (IsCheck()) {
      int wanted = text == u"1" ? BST_CHECKED : BST_UNCHECKED;
      if (m_check != wanted) Click();
      return m_check == wanted;
    }
    if (text != u"1") return FALSE;
    Click();
    return TRUE;
  }

  void PaintPush(HDC dc, const RECT& client) {
    bool isDefault = Type() == BS_DEFPUSHBUTTON;
    KpDrawButtonFace(dc, client, m_pushed, isDefault);
    SetBkMode(dc, TRANSPARENT);
    bool enabled = IsWindowEnabled(m_hwnd);
    SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT)
                              : m_pushed ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT));
    RECT area = client;
    if (m_pushed) OffsetBy(area, 1, 1);
    DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == m_hwnd) KpDrawFocusRect(dc, RECT{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3});
  }

  void PaintCheckBox(HDC dc, const RECT& client) {
    bool enabled = IsWindowEnabled(m_hwnd);
    HBRUSH brush = AskParentColours(WM_CTLCOLORSTATIC, dc,
                                    enabled ? GetSysColor(COLOR_STATICTEXT) : GetSysColor(COLOR_GRAYTEXT),
                                    GetSysColor(COLOR_STATIC));
    if (brush) FillRect(dc, &client, brush);
    else KpFillSolid(dc, client, GetSysColor(COLOR_STATIC));
    int boxTop = client.top + (client.bottom - client.top - kKpCheckBoxSize) / 2;
    if (boxTop < client.top) boxTop = client.top;
    KpDrawCheckBox(dc, client.left + 1, boxTop, m_check == BST_CHECKED, enabled && !m_pushed);
    // The focus mark goes round the caption, or round the box when there is none to see (a box
    // sized to hide its caption).
    const bool focused = GetFocus() == m_hwnd;
    RECT area = client;
    area.left += 1 + kKpCheckBoxSize + kCheckGap;
    if (m_text.empty() || area.left >= client.right) {
      if (focused) KpDrawFocusRect(dc, client);
      return;
    }
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &area,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focused) KpDrawFocusRect(dc, RECT{area.left - 2, client.top, client.right, client.bottom});
  }

  static void OffsetBy(RECT& rect, int dx, int dy) {
    rect.left += dx; rect.right += dx; rect.top += dy; rect.bottom += dy;
  }

  bool m_tracking = false;
  bool m_pushed = false;
  int m_check = BST_UNCHECKED;
};

const ATOM kRegistered = KpRegisterControlClass(u"BUTTON", KpControlWindowProc<ButtonControl>);

}  // namespace
