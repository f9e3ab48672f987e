#include "platform/controls/kp_control.h"
#include "platform/controls/kp_control_draw.h"

#include <algorithm>
#include <unordered_map>

namespace {

// A function-local table, so that controls registered from static initialisers of other files
// never see it before it is built.
std::unordered_map<HWND, KpControl*>& Controls() {
  static std::unordered_map<HWND, KpControl*> controls;
  return controls;
}

}  // namespace

KpControl* KpControlOf(HWND window) {
  auto found = Controls().find(window);
  return found == Controls().end() ? nullptr : found->second;
}

void KpAttachControl(HWND window, KpControl* control) { Controls()[window] = control; }
void KpDetachControl(HWND window) { Controls().erase(window); }

ATOM KpRegisterControlClass(LPCWSTR className, WNDPROC proc, HBRUSH background) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = nullptr;  // a global class, found from every module
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  return RegisterClassW(&windowClass);
}

RECT KpControl::Client() const {
  RECT client{};
  GetClientRect(m_hwnd, &client);
  return client;
}

HFONT KpControl::Font() const {
  return m_font ? m_font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

void KpControl::NotifyCommand(WORD code) {
  HWND parent = GetParent(m_hwnd);
  if (parent) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(Id(), code), reinterpret_cast<LPARAM>(m_hwnd));
}

LRESULT KpControl::NotifyParent(NMHDR* header, UINT code) {
  header->hwndFrom = m_hwnd;
  header->idFrom = static_cast<UINT_PTR>(Id());
  header->code = code;
  HWND parent = GetParent(m_hwnd);
  return parent ? SendMessageW(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)) : 0;
}

HBRUSH KpControl::AskParentColours(UINT ctlColorMessage, HDC dc, COLORREF text, COLORREF back) {
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SetBkMode(dc, OPAQUE);
  HWND parent = GetParent(m_hwnd);
  if (!parent) return nullptr;
  return reinterpret_cast<HBRUSH>(
      SendMessageW(parent, ctlColorMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hwnd)));
}

RECT KpControl::PaintField(HDC dc, const RECT& client) {
  bool enabled = IsWindowEnabled(m_hwnd);
  HBRUSH brush = AskParentColours(WM_CTLCOLOREDIT, dc,
                                  enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT),
                                  GetSysColor(COLOR_WINDOW));
  RECT inner = client;
  KpDrawFieldBorder(dc, inner);
  if (brush) FillRect(dc, &inner, brush);
  else KpFillSolid(dc, inner, GetSysColor(COLOR_WINDOW));
  return inner;
}

void KpControl::StoreWindowText(const std::u16string& text) {
  DefWindowProcW(m_hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT KpControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      // A resource ordinal in place of a name is not text (a static icon's template gives one).
      if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName)) m_text = create->lpszName;
      TextChanged();
      return 0;
    }
    case WM_SETFONT:
      m_font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Redraw();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case WM_SETTEXT:
      m_text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"";
      StoreWindowText(m_text);
      TextChanged();
      Redraw();
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t count = std::min<size_t>(m_text.size(), wParam - 1);
      m_text.copy(buffer, count);
      buffer[count] = 0;
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(m_text.size());
    case WM_ERASEBKGND:
      return 1;  // Paint covers the whole client area.
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(m_hwnd, &paint);
      if (dc) {
        HGDIOBJ oldFont = SelectObject(dc, Font());
        Paint(dc, Client());
        SelectObject(dc, oldFont);
      }
      EndPaint(m_hwnd, &paint);
      return 0;
    }
    case WM_ENABLE:
      Redraw();
      return 0;
    case KPM_SCRIPT_SET:
      return FALSE;
    default:
      return DefWindowProcW(m_hwnd, message, wParam, lParam);
  }
}
