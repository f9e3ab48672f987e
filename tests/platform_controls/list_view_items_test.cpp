// The list view's rows and columns: texts, item data and state bits.
#include <gtest/gtest.h>

#include "platform/controls/list_view_items.h"

namespace {

LVITEMW Row(int index, LPCWSTR text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(text);
  return item;
}

TEST(ListViewItems, InsertedRowsLandAtTheirIndexClampedToTheEnd) {
  KpListItems items;
  EXPECT_EQ(items.Insert(Row(0, u"b"), 0), 0);
  EXPECT_EQ(items.Insert(Row(0, u"a"), 0), 0);
  EXPECT_EQ(items.Insert(Row(99, u"c"), 0), 2);
  EXPECT_EQ(items.Text(0, 0), u"a");
  EXPECT_EQ(items.Text(2, 0), u"c");
  LVITEMW sub = Row(0, u"x");
  sub.iSubItem = 1;
  EXPECT_EQ(items.Insert(sub, 0), -1);
}

TEST(ListViewItems, SubItemTextsNeedTheirColumn) {
  KpListItems items;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = LVCFMT_CENTER;
  column.cx = 78;
  column.pszText = const_cast<LPWSTR>(u"날짜");
  items.InsertColumn(0, column);
  items.InsertColumn(1, column);
  items.Insert(Row(0, u"제목"), 0);
  EXPECT_TRUE(items.SetText(0, 1, u"2008/01/01"));
  EXPECT_FALSE(items.SetText(0, 2, u"no column"));
  EXPECT_FALSE(items.SetText(5, 0, u"no row"));
  EXPECT_EQ(items.Text(0, 1), u"2008/01/01");
  EXPECT_EQ(items.Columns()[1].format, LVCFMT_CENTER);
  EXPECT_EQ(items.Columns()[1].width, 78);
}

TEST(ListViewItems, StateChangesOnlyTheMaskedBits) {
  KpListItems items;
  items.Insert(Row(0, u"a"), INDEXTOSTATEIMAGEMASK(1));
  UINT old = items.SetState(0, INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED, LVIS_STATEIMAGEMASK);
  EXPECT_EQ(old, INDEXTOSTATEIMAGEMASK(1));
  EXPECT_EQ(items.State(0), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
}

TEST(ListViewItems, CopiedTextIsCutToTheBufferAndTerminated) {
  char16_t buffer[4];
  EXPECT_EQ(KpCopyListText(u"abcdef", buffer, 4), 3);
  EXPECT_EQ(std::u16string(buffer), u"abc");
  EXPECT_EQ(KpCopyListText(u"abc", nullptr, 4), 0);
}

}  // namespace
