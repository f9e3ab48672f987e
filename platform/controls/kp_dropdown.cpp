#include "platform/controls/kp_dropdown.h"

#include <algorithm>

int KpDropDownRoom(HWND control) {
  RECT at{}, work{};
  GetWindowRect(control, &at);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return std::max<int>(work.bottom - at.bottom, at.top - work.top);
}

HWND KpOpenDropDown(LPCWSTR className, HWND control, int width, int height, bool alignRight) {
  RECT at{}, work{};
  GetWindowRect(control, &at);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int x = alignRight ? at.right - width : at.left;
  x = std::clamp(x, 0, std::max(0, screenWidth - width));
  // Below the control when it fits above the menu bar, else above it when it fits below the title
  // bar, else as low as the work area lets it.
  int y = at.bottom;
  if (y + height > work.bottom && at.top - height >= work.top) y = at.top - height;
  else if (y + height > work.bottom) y = std::max<int>(work.top, work.bottom - height);
  HWND top = control;
  while (GetParent(top) && (GetWindowLongW(top, GWL_STYLE) & WS_CHILD)) top = GetParent(top);
  // Shown without activation: the control keeps the focus, and its window stays the active one.
  HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, className, u"", WS_POPUP | WS_BORDER, x, y, width,
                               height, top, nullptr, nullptr, control);
  if (popup) ShowWindow(popup, SW_SHOWNA);
  return popup;
}

void KpDropDown::Close() {
  if (GetCapture() == m_hwnd) ReleaseCapture();
  DestroyWindow(m_hwnd);
}

LRESULT KpDropDown::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      m_owner = static_cast<HWND>(create->lpCreateParams);
      SetCapture(m_hwnd);
      return KpControl::Handle(message, wParam, lParam);
    }
    case WM_LBUTTONDOWN: {
      RECT client = Client();
      int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (x < client.left || y < client.top || x >= client.right || y >= client.bottom) {
        Close();
        return 0;
      }
      m_pressed = true;
      Press(x, y);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m_pressed) Drag(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      // The release of the tap that opened the popup belongs to the control, not to the popup.
      if (!m_pressed) return 0;
      m_pressed = false;
      Release(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) Close();
      return 0;
    case WM_CANCELMODE:
      Close();
      return 0;
    case WM_DESTROY:
      if (GetCapture() == m_hwnd) ReleaseCapture();
      if (IsWindow(m_owner)) SendMessageW(m_owner, KPM_DROPDOWN_CLOSED, 0, reinterpret_cast<LPARAM>(m_hwnd));
      return 0;
    default:
      return KpControl::Handle(message, wParam, lParam);
  }
}
