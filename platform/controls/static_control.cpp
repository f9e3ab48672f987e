// "STATIC": text (left, centred, right; wrapped unless SS_LEFTNOWORDWRAP) or an icon drawn at its
// own size. The parent chooses the colours through WM_CTLCOLORSTATIC.
#include "platform/controls/kp_control.h"
#include "platform/controls/kp_control_draw.h"

namespace {

constexpr DWORD kStaticTypeMask = 0x1F;

class StaticControl : public KpControl {
 public:
  using KpControl::KpControl;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (IsIcon() && create) m_icon = IconFromName(create->hInstance, create->lpszName);
        return KpControl::Handle(message, wParam, lParam);
      }
      case STM_SETICON: {
        HICON old = m_icon;
        m_icon = reinterpret_cast<HICON>(wParam);
        Redraw();
        return reinterpret_cast<LRESULT>(old);
      }
      case STM_GETICON:
        return reinterpret_cast<LRESULT>(m_icon);
      default:
        return KpControl::Handle(message, wParam, lParam);
    }
  }

 protected:
  void Paint(HDC dc, const RECT& client) override {
    bool enabled = IsWindowEnabled(m_hwnd);
    HBRUSH brush = AskParentColours(WM_CTLCOLORSTATIC, dc,
                                    enabled ? GetSysColor(COLOR_STATICTEXT) : GetSysColor(COLOR_GRAYTEXT),
                                    GetSysColor(COLOR_STATIC));
    if (brush) FillRect(dc, &client, brush);
    else KpFillSolid(dc, client, GetSysColor(COLOR_STATIC));
    if (IsIcon()) {
      if (m_icon) PaintIcon(dc, client);
      return;
    }
    if (m_text.empty()) return;
    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    switch (Style() & kStaticTypeMask) {
      case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
      case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
      case SS_LEFTNOWORDWRAP: format |= DT_LEFT | DT_SINGLELINE; break;
      default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if ((Style() & SS_CENTERIMAGE) && (format & DT_SINGLELINE)) format |= DT_VCENTER;
    RECT area = client;
    DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &area, format);
  }

 private:
  bool IsIcon() const { return (Style() & kStaticTypeMask) == SS_ICON; }

  // At the icon's own size, from the top-left corner, as the platform's static icon draws it.
  void PaintIcon(HDC dc, const RECT& client) {
    DrawIconEx(dc, client.left, client.top, m_icon, 0, 0, 0, nullptr, DI_NORMAL);
  }

  // A static icon's template names its icon resource: an ordinal, or "#123".
  static HICON IconFromName(HINSTANCE instance, LPCWSTR name) {
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) return LoadIconW(instance, name);
    if (name[0] == u'#') {
      int id = 0;
      for (LPCWSTR p = name + 1; *p >= u'0' && *p <= u'9'; ++p) id = id * 10 + (*p - u'0');
      return id ? LoadIconW(instance, MAKEINTRESOURCEW(id)) : nullptr;
    }
    return name[0] ? LoadIconW(instance, name) : nullptr;
  }

  HICON m_icon = nullptr;
};

const ATOM kRegistered = KpRegisterControlClass(u"STATIC", KpControlWindowProc<StaticControl>);

}  // namespace
