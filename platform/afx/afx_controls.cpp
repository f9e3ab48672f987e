// Control wrappers: the operations that take more than one message.
#include <vector>

#include "platform/afx/kp_afx_internal.h"

void CComboBox::GetLBText(int index, CString& text) const {
  const LRESULT length = ::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) {
    text.Empty();
    return;
  }
  std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
  const LRESULT copied = ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  text = CString(buffer.data(), copied > 0 ? static_cast<int>(copied) : 0);
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem) {
  LVCOLUMNW info{};
  info.mask = LVCF_FMT | LVCF_TEXT;
  info.fmt = format;
  info.pszText = const_cast<LPWSTR>(heading);
  if (width != -1) info.mask |= LVCF_WIDTH, info.cx = width;
  if (subItem != -1) info.mask |= LVCF_SUBITEM, info.iSubItem = subItem;
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int item, LPCWSTR text) {
  LVITEMW info{};
  info.mask = LVIF_TEXT;
  info.iItem = item;
  info.pszText = const_cast<LPWSTR>(text);
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text) {
  LVITEMW info{};
  info.iSubItem = subItem;
  info.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  // The list copies at most the buffer's size; grow until the text fits with room to spare.
  for (int size = 64;; size *= 2) {
    std::vector<WCHAR> buffer(static_cast<size_t>(size), 0);
    LVITEMW info{};
    info.iSubItem = subItem;
    info.pszText = buffer.data();
    info.cchTextMax = size;
    const LRESULT copied =
        ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info));
    if (copied < size - 1 || size >= (1 << 20)) return CString(buffer.data(), copied > 0 ? static_cast<int>(copied) : 0);
  }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEMW info{};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  info.lParam = static_cast<LPARAM>(data);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEMW info{};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  if (!::SendMessageW(m_hWnd, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return 0;
  return static_cast<DWORD_PTR>(info.lParam);
}

BOOL CListCtrl::SetCheck(int item, BOOL check) {
  LVITEMW info{};
  info.stateMask = LVIS_STATEIMAGEMASK;
  info.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}
