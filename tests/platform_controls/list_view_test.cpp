// The report-mode list view as the schedule list uses it: columns, rows with sub-items and item
// data, check boxes ticked by a tap, selection, deletion and the script's `set`.
#include "tests/platform_controls/control_test_support.h"

namespace {

class ListView : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    m_list = Create(WC_LISTVIEWW, LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER, 1012, 0, 30, 240, 238);
    SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    SendMessageW(m_list, LVM_SETCALLBACKMASK, LVIS_FOCUSED, 0);
    AddColumn(0, u"제목", LVCFMT_LEFT, 109);
    AddColumn(1, u"날짜", LVCFMT_CENTER, 78);
    AddColumn(2, u"분류", LVCFMT_CENTER, 37);
    m_lineHeight = SystemLineHeight(m_list);
  }
  void AddColumn(int index, LPCWSTR text, int format, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<LPWSTR>(text);
    column.iSubItem = index;
    EXPECT_EQ(SendMessageW(m_list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)), index);
  }
  int AddRow(int index, LPCWSTR title, LPCWSTR date, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(title);
    int at = static_cast<int>(SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<LPWSTR>(date);
    SendMessageW(m_list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
    LVITEMW param{};
    param.mask = LVIF_PARAM;
    param.iItem = at;
    param.lParam = data;
    SendMessageW(m_list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&param));
    return at;
  }
  std::u16string Text(int row, int column) {
    char16_t buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(m_list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  UINT State(int row, UINT mask) { return static_cast<UINT>(SendMessageW(m_list, LVM_GETITEMSTATE, row, mask)); }
  bool Checked(int row) { return State(row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }
  // Client y of the middle of a visible row (the list has a one-pixel border).
  int RowY(int visibleRow) {
    int header = m_lineHeight + 6;
    int row = std::max(m_lineHeight + 4, 13 + 4);
    return 1 + header + visibleRow * row + row / 2;
  }

  HWND m_list = nullptr;
  int m_lineHeight = 12;
};

TEST_F(ListView, RowsKeepTheirTextsSubItemsAndItemData) {
  EXPECT_EQ(AddRow(0, u"생일", u"2008/01/01", 0), 0);
  EXPECT_EQ(AddRow(1, u"회의", u"2008/02/03", 1), 1);
  EXPECT_EQ(SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(Text(1, 0), u"회의");
  EXPECT_EQ(Text(1, 1), u"2008/02/03");
  EXPECT_EQ(Text(1, 2), u"");
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = 1;
  ASSERT_EQ(SendMessageW(m_list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
  EXPECT_EQ(item.lParam, 1);
}

TEST_F(ListView, NewRowsStartUncheckedAndATapOnTheBoxTicksIt) {
  AddRow(0, u"a", u"", 0);
  AddRow(1, u"b", u"", 1);
  EXPECT_EQ(State(0, LVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  Tap(m_list, 8, RowY(1));
  EXPECT_TRUE(Checked(1));
  EXPECT_FALSE(Checked(0));
  auto changes = NoticesOf(LVN_ITEMCHANGED);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].list.iItem, 1);
  EXPECT_EQ(changes[0].list.uNewState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));
  EXPECT_EQ(changes[0].list.uOldState & LVIS_STATEIMAGEMASK, static_cast<UINT>(INDEXTOSTATEIMAGEMASK(1)));
  Tap(m_list, 8, RowY(1));
  EXPECT_FALSE(Checked(1));
}

TEST_F(ListView, ATapBesideTheBoxSelectsTheRowWithoutTickingIt) {
  AddRow(0, u"a", u"", 0);
  AddRow(1, u"b", u"", 1);
  Tap(m_list, 150, RowY(0));
  EXPECT_EQ(State(0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_FALSE(Checked(0));
  Tap(m_list, 150, RowY(1));
  EXPECT_EQ(State(0, LVIS_SELECTED), 0u);
  EXPECT_EQ(State(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
  // The owner keeps the focused state: the list never reports it.
  EXPECT_EQ(State(1, LVIS_FOCUSED), 0u);
}

TEST_F(ListView, TheFocusRectangleShowsOnlyWhenTheListKeepsTheFocusedState) {
  AddRow(0, u"a", u"", 0);
  int rowHeight = std::max(m_lineHeight + 4, 13 + 4);
  int rowTop = RowY(0) - rowHeight / 2;
  Tap(m_list, 150, RowY(0));
  // With LVIS_FOCUSED in the callback mask the row is highlighted to its end, without dots.
  EXPECT_EQ(PixelOf(m_list, 238, rowTop), GetSysColor(COLOR_HIGHLIGHT));
  SendMessageW(m_list, LVM_SETCALLBACKMASK, 0, 0);
  EXPECT_EQ(PixelOf(m_list, 238, rowTop), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(ListView, SetItemStateTicksAndDeleteAllEmpties) {
  AddRow(0, u"a", u"", 0);
  LVITEMW state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(2);
  EXPECT_EQ(SendMessageW(m_list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state)), TRUE);
  EXPECT_TRUE(Checked(0));
  AddRow(1, u"b", u"", 1);
  EXPECT_EQ(SendMessageW(m_list, LVM_DELETEITEM, 0, 0), TRUE);
  EXPECT_EQ(Text(0, 0), u"b");
  EXPECT_EQ(SendMessageW(m_list, LVM_DELETEITEM, 5, 0), FALSE);
  EXPECT_EQ(SendMessageW(m_list, LVM_DELETEALLITEMS, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListView, ExtendedStyleReturnsTheOldStyle) {
  EXPECT_EQ(SendMessageW(m_list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x25);
  EXPECT_EQ(SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0), 0x25);
  EXPECT_EQ(SendMessageW(m_list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x24);
}

TEST_F(ListView, ManyRowsScrollAndTapsAddressTheRowsShown) {
  for (int i = 0; i < 40; ++i) AddRow(i, u"row", u"", i);
  // The scroll bar's down arrow sits at the bottom right.
  for (int i = 0; i < 5; ++i) Tap(m_list, 232, 230);
  Tap(m_list, 8, RowY(0));
  auto changes = NoticesOf(LVN_ITEMCHANGED);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].list.iItem, 5);
  EXPECT_TRUE(Checked(5));
}

TEST_F(ListView, TheScriptTicksARowsBox) {
  AddRow(0, u"a", u"", 0);
  AddRow(1, u"b", u"", 1);
  EXPECT_EQ(SendMessageW(m_list, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"1:1")), TRUE);
  EXPECT_TRUE(Checked(1));
  EXPECT_EQ(NoticesOf(LVN_ITEMCHANGED).size(), 1u);
  EXPECT_EQ(SendMessageW(m_list, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"1:0")), TRUE);
  EXPECT_FALSE(Checked(1));
  EXPECT_EQ(SendMessageW(m_list, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"2:1")), FALSE);
  EXPECT_EQ(SendMessageW(m_list, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"x:1")), FALSE);
}

}  // namespace
