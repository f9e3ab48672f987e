// Device-context wrappers: a temporary one around a handle, a memory DC it owns, the paint DC of
// a WM_PAINT and a window's client DC.
#include "platform/afx/kp_afx_internal.h"

namespace {

template <class T>
T* PreviousAs(HGDIOBJ previous) {
  return KpAfxTemporary<T, CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>(previous);
}

}  // namespace

CDC::~CDC() {
  if (m_bOwnsDC && m_hDC) ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC dc) { return KpAfxTemporary<CDC, CDC, HDC, &CDC::m_hDC>(dc); }

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  DeleteDC();
  m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
  m_bOwnsDC = m_hDC != nullptr;
  return m_hDC != nullptr;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC || !m_bOwnsDC) return FALSE;
  BOOL deleted = ::DeleteDC(m_hDC);
  m_hDC = nullptr;
  m_bOwnsDC = false;
  return deleted;
}

// Each returns the object that was selected before, as a temporary wrapper.
CFont* CDC::SelectObject(CFont* font) {
  return PreviousAs<CFont>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr));
}
CPen* CDC::SelectObject(CPen* pen) { return PreviousAs<CPen>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)); }
CBrush* CDC::SelectObject(CBrush* brush) {
  return PreviousAs<CBrush>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return PreviousAs<CBitmap>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
  RECT rect{x, y, x + cx, y + cy};
  FillSolidRect(&rect, colour);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT previous{0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return CPoint(previous);
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
  m_hDC = nullptr;
}
