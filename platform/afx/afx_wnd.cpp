// CWnd's operations on its window.
#include <vector>

#include "platform/afx/kp_afx_internal.h"

CWnd::~CWnd() {
  // An object that still holds its window takes the window with it.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    HWND window = m_hWnd;
    if (IsWindow(window)) ::DestroyWindow(window);
    if (m_hWnd) Detach();
  }
}

BOOL CWnd::DestroyWindow() {
  HWND window = m_hWnd;
  if (!window) return FALSE;
  BOOL destroyed = ::DestroyWindow(window);
  // An attached (not subclassed) window does not tell the object that it died.
  if (m_hWnd == window && !IsWindow(window)) Detach();
  return destroyed;
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
  const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  text = CString(buffer.data(), copied > 0 ? copied : 0);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (!item) {
    text.Empty();
    return 0;
  }
  FromHandle(item)->GetWindowText(text);
  return text.GetLength();
}

void CWnd::ClientToScreen(LPRECT rect) const {
  POINT topLeft{rect->left, rect->top}, bottomRight{rect->right, rect->bottom};
  ::ClientToScreen(m_hWnd, &topLeft);
  ::ClientToScreen(m_hWnd, &bottomRight);
  *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  return ::MessageBoxW(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return !exchange.m_bFailed;
}
