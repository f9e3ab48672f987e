// Drawing-object wrappers: each owns the platform object it holds and deletes it when it goes.
#include "platform/afx/kp_afx_internal.h"

CGdiObject::~CGdiObject() {
  if (m_hObject) ::DeleteObject(m_hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
  // One object at a time: taking a second would lose the first.
  if (!object || m_hObject) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  HGDIOBJ object = Detach();
  return ::DeleteObject(object);
}

// Creating again releases what the wrapper held before, rather than leaking it.
BOOL CFont::CreateFontIndirect(const LOGFONTW* font) {
  DeleteObject();
  m_hObject = ::CreateFontIndirectW(font);
  return m_hObject != nullptr;
}

CFont* CFont::FromHandle(HFONT font) {
  return KpAfxTemporary<CFont, CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>(font);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
  DeleteObject();
  m_hObject = ::CreateSolidBrush(colour);
  return m_hObject != nullptr;
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
  return KpAfxTemporary<CBrush, CGdiObject, HGDIOBJ, &CGdiObject::m_hObject>(brush);
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
  DeleteObject();
  m_hObject = ::CreatePen(style, width, colour);
  return m_hObject != nullptr;
}

BOOL CBitmap::LoadBitmap(UINT id) {
  DeleteObject();
  m_hObject = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
  return m_hObject != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  DeleteObject();
  m_hObject = ::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height);
  return m_hObject != nullptr;
}
