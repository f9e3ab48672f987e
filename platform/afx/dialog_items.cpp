// Reaching a dialog's controls by id: text, numbers, messages, and dialog-unit rectangles.
#include <string>
#include <vector>

#include "platform/afx/kp_dialog_internal.h"

HWND GetDlgItem(HWND dialog, int id) {
  // Direct children only, as the platform does: a control inside a child window is not found.
  if (!dialog) return nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount) {
  if (buffer && maxCount > 0) buffer[0] = 0;
  HWND item = GetDlgItem(dialog, id);
  if (!item || !buffer || maxCount <= 0) return 0;
  return static_cast<UINT>(GetWindowTextW(item, buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  const std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  return SetDlgItemTextW(dialog, id, std::u16string(digits.begin(), digits.end()).c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  const int length = GetWindowTextLengthW(item);
  std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
  GetWindowTextW(item, text.data(), length + 1);
  // Spaces around the number are allowed; anything else that is not a digit makes the text
  // untranslatable, and so does a number outside the range of the result.
  const WCHAR* p = text.data();
  while (*p == u' ') ++p;
  bool negative = false;
  if (isSigned && (*p == u'-' || *p == u'+')) negative = *p++ == u'-';
  if (*p < u'0' || *p > u'9') return 0;
  long long value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + (*p - u'0');
    if (value > 0xFFFFFFFFLL) return 0;
  }
  while (*p == u' ') ++p;
  if (*p) return 0;
  if (negative) value = -value;
  if (isSigned && (value < -2147483648LL || value > 2147483647LL)) return 0;
  if (translated) *translated = TRUE;
  return static_cast<UINT>(value);
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  KpDialogState* state = KpDialogStateOf(dialog);
  if (!state || !rect) return FALSE;
  rect->left = KpMulDiv(rect->left, state->baseUnits.cx, 4);
  rect->right = KpMulDiv(rect->right, state->baseUnits.cx, 4);
  rect->top = KpMulDiv(rect->top, state->baseUnits.cy, 8);
  rect->bottom = KpMulDiv(rect->bottom, state->baseUnits.cy, 8);
  return TRUE;
}
