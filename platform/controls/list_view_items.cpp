#include "platform/controls/list_view_items.h"

#include <algorithm>

int KpListItems::InsertColumn(int index, const LVCOLUMNW& column) {
  KpListColumn added;
  if (column.mask & LVCF_FMT) added.format = column.fmt & (LVCFMT_LEFT | LVCFMT_RIGHT | LVCFMT_CENTER);
  if ((column.mask & LVCF_WIDTH) && column.cx >= 0) added.width = column.cx;
  if ((column.mask & LVCF_TEXT) && column.pszText) added.text = column.pszText;
  int at = std::clamp(index, 0, static_cast<int>(m_columns.size()));
  m_columns.insert(m_columns.begin() + at, added);
  return at;
}

int KpListItems::Insert(const LVITEMW& item, UINT defaultState) {
  if (item.iSubItem != 0) return -1;
  KpListItem added;
  added.texts.resize(std::max<size_t>(1, m_columns.size()));
  if ((item.mask & LVIF_TEXT) && item.pszText) added.texts[0] = item.pszText;
  if (item.mask & LVIF_PARAM) added.data = item.lParam;
  added.state = defaultState;
  if (item.mask & LVIF_STATE) added.state = (added.state & ~item.stateMask) | (item.state & item.stateMask);
  int at = std::clamp(item.iItem, 0, Count());
  m_items.insert(m_items.begin() + at, std::move(added));
  return at;
}

bool KpListItems::Delete(int item) {
  if (!Valid(item)) return false;
  m_items.erase(m_items.begin() + item);
  return true;
}

bool KpListItems::SetText(int item, int subItem, LPCWSTR text) {
  if (!Valid(item) || subItem < 0 || subItem >= std::max<int>(1, static_cast<int>(m_columns.size()))) return false;
  auto& texts = m_items[static_cast<size_t>(item)].texts;
  if (static_cast<int>(texts.size()) <= subItem) texts.resize(static_cast<size_t>(subItem) + 1);
  texts[static_cast<size_t>(subItem)] = text ? text : u"";
  return true;
}

const std::u16string& KpListItems::Text(int item, int subItem) const {
  static const std::u16string kEmpty;
  if (!Valid(item) || subItem < 0) return kEmpty;
  const auto& texts = At(item).texts;
  return subItem < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(subItem)] : kEmpty;
}

bool KpListItems::SetData(int item, LPARAM data) {
  if (!Valid(item)) return false;
  m_items[static_cast<size_t>(item)].data = data;
  return true;
}

UINT KpListItems::SetState(int item, UINT state, UINT mask) {
  if (!Valid(item)) return 0;
  UINT& current = m_items[static_cast<size_t>(item)].state;
  UINT old = current;
  current = (current & ~mask) | (state & mask);
  return old;
}

int KpCopyListText(const std::u16string& text, LPWSTR buffer, int capacity) {
  if (!buffer || capacity <= 0) return 0;
  int count = std::min<int>(static_cast<int>(text.size()), capacity - 1);
  std::copy(text.begin(), text.begin() + count, buffer);
  buffer[count] = 0;
  return count;
}
