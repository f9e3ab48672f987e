// CString: the framework's UTF-16 string.
#include <algorithm>
#include <cstdarg>

#include "afxwin.h"
#include "platform/afx/kp_afx_format.h"

void CString::Format(LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  m_str = KpFormatV(format, args);
  va_end(args);
}

CString CString::Left(int count) const {
  const size_t n = static_cast<size_t>(std::clamp(count, 0, GetLength()));
  return CString(m_str.substr(0, n));
}

CString CString::Mid(int first, int count) const {
  const int start = std::clamp(first, 0, GetLength());
  const int available = GetLength() - start;
  const int n = count < 0 ? available : std::min(count, available);
  return CString(m_str.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

LPWSTR CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_str.resize(static_cast<size_t>(minLength), u'\0');
  return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    m_str.resize(std::char_traits<char16_t>::length(m_str.c_str()));
  } else {
    m_str.resize(std::min(static_cast<size_t>(newLength), m_str.size()));
  }
}
