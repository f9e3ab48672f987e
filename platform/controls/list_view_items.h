#pragma once
// The columns and rows of a report-mode list view and the platform's rules for them: texts per
// column, item data, and item states (selection, focus, and the check box's state image in
// LVIS_STATEIMAGEMASK: image 1 unchecked, 2 checked). No window here.
#include <string>
#include <vector>

#include "commctrl.h"

struct KpListColumn {
  int format = LVCFMT_LEFT;
  int width = 60;
  std::u16string text;
};

struct KpListItem {
  std::vector<std::u16string> texts;  // by column (sub-item) index
  LPARAM data = 0;
  UINT state = 0;
};

class KpListItems {
 public:
  int InsertColumn(int index, const LVCOLUMNW& column);
  const std::vector<KpListColumn>& Columns() const { return m_columns; }

  int Count() const { return static_cast<int>(m_items.size()); }
  bool Valid(int item) const { return item >= 0 && item < Count(); }
  const KpListItem& At(int item) const { return m_items[static_cast<size_t>(item)]; }

  // Returns the new row's index (clamped to the end), or -1 for a sub-item or a null item.
  int Insert(const LVITEMW& item, UINT defaultState);
  bool Delete(int item);
  void DeleteAll() { m_items.clear(); }

  bool SetText(int item, int subItem, LPCWSTR text);
  const std::u16string& Text(int item, int subItem) const;
  bool SetData(int item, LPARAM data);
  // Sets the bits of `mask` to those of `state`; returns the old state.
  UINT SetState(int item, UINT state, UINT mask);
  UINT State(int item) const { return Valid(item) ? At(item).state : 0; }

 private:
  std::vector<KpListColumn> m_columns;
  std::vector<KpListItem> m_items;
};

// Copies text into a caller's buffer of `capacity` units (including the terminator); returns the
// units copied, without the terminator.
int KpCopyListText(const std::u16string& text, LPWSTR buffer, int capacity);
