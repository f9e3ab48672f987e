// Data exchange between a dialog's members and its controls.
#include <string>

#include "platform/afx/kp_afx_internal.h"

void CDataExchange::Fail(LPCWSTR message) {
  // Only the first failure is reported; the rest of the exchange leaves members alone.
  if (m_bFailed) return;
  m_bFailed = TRUE;
  AfxMessageBox(message);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
  if (item) control.SubclassWindow(item);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    if (!dx->m_bFailed) value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
  if (!item) return;
  if (dx->m_bSaveAndValidate) {
    if (!dx->m_bFailed) CWnd::FromHandle(item)->GetWindowText(value);
  } else {
    ::SetWindowTextW(item, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  HWND dialog = dx->m_pDlgWnd->m_hWnd;
  if (!::GetDlgItem(dialog, id)) return;
  if (dx->m_bSaveAndValidate) {
    if (dx->m_bFailed) return;
    BOOL translated = FALSE;
    const int number = static_cast<int>(::GetDlgItemInt(dialog, id, &translated, TRUE));
    // Text that is not a whole number keeps the member as it was and keeps the dialog open.
    if (!translated) {
      dx->Fail(u"정수를 입력하십시오.");
      return;
    }
    value = number;
  } else {
    ::SetDlgItemInt(dialog, id, static_cast<UINT>(value), TRUE);
  }
}
