// The drop-down-list combo box: its item messages, sorting, and choosing from the list.
#include "tests/platform_controls/control_test_support.h"

namespace {

using ComboBox = ControlTest;

int Add(HWND combo, LPCWSTR text) { return static_cast<int>(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }

std::u16string Item(HWND combo, int index) {
  int length = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0));
  if (length < 0) return u"<error>";
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

TEST_F(ComboBox, NothingIsSelectedUntilSomethingIsChosen) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 1006, 10, 10, 80, 20);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Add(combo, u"양력"), 0);
  EXPECT_EQ(Add(combo, u"음력"), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(TextOf(combo), u"음력");
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 5, 0), CB_ERR);
  EXPECT_TRUE(NoticesOf(CBN_SELCHANGE).empty());  // only the user's choice is reported
}

TEST_F(ComboBox, ASortedComboPlacesEachNewItemInOrder) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT, 1006, 10, 10, 80, 20);
  EXPECT_EQ(Add(combo, u"3개"), 0);
  EXPECT_EQ(Add(combo, u"1개"), 0);
  EXPECT_EQ(Add(combo, u"5개"), 2);
  EXPECT_EQ(Add(combo, u"2개"), 1);
  EXPECT_EQ(Add(combo, u"Beta"), 4);
  EXPECT_EQ(Add(combo, u"alpha"), 4);  // letter case does not count
  std::vector<std::u16string> order;
  for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) order.push_back(Item(combo, i));
  EXPECT_EQ(order, (std::vector<std::u16string>{u"1개", u"2개", u"3개", u"5개", u"alpha", u"Beta"}));
}

TEST_F(ComboBox, InsertDeleteAndResetKeepTheSelectionOnItsItem) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST, 1006, 10, 10, 80, 20);
  Add(combo, u"a");
  Add(combo, u"c");
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"b")), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Item(combo, 1), u"c");
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 1, 0), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 7, 0), CB_ERR);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBox, ATapOpensTheListAndATapOnAnItemChoosesIt) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST, 1006, 10, 10, 80, 20);
  Add(combo, u"사용안함");
  Add(combo, u"분 전");
  Add(combo, u"시간 전");
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  Tap(combo, 40, 10);
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  HWND list = TopPopup();
  ASSERT_NE(list, nullptr);
  // The list never takes activation or focus from the window and the combo.
  EXPECT_EQ(GetActiveWindow(), m_parent);
  EXPECT_EQ(GetFocus(), combo);
  RECT listRect{}, comboRect{};
  GetWindowRect(list, &listRect);
  GetWindowRect(combo, &comboRect);
  EXPECT_EQ(listRect.top, comboRect.bottom);  // below the combo
  int rowHeight = (listRect.bottom - listRect.top - 2) / 3;
  Tap(list, 20, 1 + rowHeight * 2 + rowHeight / 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  EXPECT_FALSE(IsWindow(list));
  auto changes = NoticesOf(CBN_SELCHANGE);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].id, 1006);
}

TEST_F(ComboBox, APressOutsideTheOpenListClosesItWithoutChoosing) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST, 1006, 10, 10, 80, 20);
  Add(combo, u"보이기");
  Add(combo, u"숨기기");
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  HWND list = TopPopup();
  ASSERT_NE(list, nullptr);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-50, -50));
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(NoticesOf(CBN_SELCHANGE).empty());
}

TEST_F(ComboBox, ALongListScrollsAndATapChoosesTheItemShown) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 1010, 10, 10, 150, 20);
  const char16_t* names[] = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13"};
  for (auto* name : names) Add(combo, name);
  Tap(combo, 40, 10);
  HWND list = TopPopup();
  ASSERT_NE(list, nullptr);
  RECT client{};
  GetClientRect(list, &client);
  int rows = 8;
  int rowHeight = (client.bottom - 2) / rows;
  // The lower half of the scroll bar pages down by all rows shown but one, here as far as the
  // last page (14 items, 8 rows: the top row shows item 6).
  Tap(list, client.right - 5, client.bottom - 5);
  EXPECT_TRUE(IsWindow(list));
  Tap(list, 20, 1 + rowHeight / 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 14 - rows);
}

TEST_F(ComboBox, TheScriptChoosesByIndexAsTheUserWould) {
  HWND combo = Create(u"COMBOBOX", CBS_DROPDOWNLIST, 1006, 10, 10, 80, 20);
  Add(combo, u"양력");
  Add(combo, u"음력");
  EXPECT_EQ(SendMessageW(combo, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"1")), TRUE);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(NoticesOf(CBN_SELCHANGE).size(), 1u);
  EXPECT_EQ(SendMessageW(combo, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"2")), FALSE);
  EXPECT_EQ(SendMessageW(combo, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(u"-1")), FALSE);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
}

}  // namespace
