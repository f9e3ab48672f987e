// The options dialog: its lists, its choices and what Done keeps.
#include "tests/today/today_fixture.h"

#include "schedule/item_key.h"
#include "winreg.h"

namespace {

std::vector<std::string> ComboTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  int count = (int)SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    WCHAR text[100] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, i, (LPARAM)text);
    texts.push_back(Utf8(text));
  }
  return texts;
}

PFNCUSTOMOPTIONSDLGPROC g_pfnOptions = nullptr;
INT_PTR OptionsAdapter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_pfnOptions(dialog, message, (UINT)wParam, (LONG)lParam) ? TRUE : FALSE;
}

class TodayOptionsTest : public TodayItemTest {
 protected:
  HWND OpenOptions() {
    g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(m_library, u"CustomItemOptionsDlgProc");
    return CreateDialogParamW(m_library, MAKEINTRESOURCEW(500), m_parent, OptionsAdapter, 0);
  }
};

TEST_F(TodayOptionsTest, ListsEveryEntryInFileOrderWithItsStoredDateLunarOnesMarked) {
  WriteEntries({MakeEntry(2007, 5, 5, 9, 30, u"어린이날", SCHEDULE_YEARLY),
                MakeEntry(2007, 8, 15, 0, 0, u"추석", SCHEDULE_LUNAR | SCHEDULE_YEARLY)});
  CreateItem();
  HWND dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_THAT(ComboTexts(dialog, 1010), testing::ElementsAre("2007/05/05 어린이날", "음 2007/08/15 추석"));
  EXPECT_THAT(ComboTexts(dialog, 1005), testing::ElementsAre("보이기", "숨기기"));
  EXPECT_THAT(ComboTexts(dialog, 1006), testing::ElementsAre("1개", "2개", "3개", "4개", "5개"));
  EXPECT_THAT(ComboTexts(dialog, 1008), testing::ElementsAre("사용안함", "분 전", "시간 전", "일 전"));
  // Defaults before the first Done: lunar line shown, one line, D-day hidden.
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1005, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1006, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1009, CB_GETCURSEL, 0, 0), 1);
  DestroyWindow(dialog);
}

TEST_F(TodayOptionsTest, LaysItsControlsOutInPixels) {
  CreateItem();
  HWND dialog = OpenOptions();
  ASSERT_NE(dialog, nullptr);
  RECT rc;
  GetWindowRect(GetDlgItem(dialog, 1010), &rc);
  POINT origin = {0, 0};
  ClientToScreen(dialog, &origin);
  EXPECT_EQ(rc.left - origin.x, 30);
  EXPECT_EQ(rc.top - origin.y, 145);
  EXPECT_EQ(rc.right - rc.left, 200);
  DestroyWindow(dialog);
}

TEST_F(TodayOptionsTest, DoneKeepsTheChoicesAndTheReminderForTheNextOpening) {
  CreateItem();
  HWND dialog = OpenOptions();
  SendDlgItemMessageW(dialog, 1006, CB_SETCURSEL, 2, 0);
  SendDlgItemMessageW(dialog, 1008, CB_SETCURSEL, 3, 0);
  SetDlgItemTextW(dialog, 1007, u"15");
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  dialog = OpenOptions();
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1006, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1008, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(GetDlgItemInt(dialog, 1007, nullptr, TRUE), 15u);
  DestroyWindow(dialog);
  QueryRefresh();
  EXPECT_EQ(m_record.cyp, 80u) << "lunar line and three schedule lines";
}

TEST_F(TodayOptionsTest, LibraryLoadedAnewKeepsWhatWasChosen) {
  CreateItem();
  ChooseOptions(1, 4, 0, 0);
  DestroyWindow(m_item);
  m_item = nullptr;
  FreeLibrary(m_library);
  m_library = nullptr;
  CreateItem();
  QueryRefresh();
  EXPECT_EQ(m_record.cyp, 120u) << "five schedule lines and the D-day line, no lunar line";
}

// What the registry may hold under the item's key, and what the options dialog then shows:
// a value that is missing, of the wrong type or out of its range takes its default alone.
TEST_F(TodayOptionsTest, DamagedOrMissingKeptValuesFallBackToTheirDefaults) {
  struct Value {
    const char16_t* name;
    DWORD type;
    DWORD number;
  };
  struct Case {
    const char* what;
    std::vector<Value> values;
    int lunarLine, listCount, reminderUnit, ddayLine, reminderValue;
  };
  const Case cases[] = {
      {"nothing kept", {}, 0, 0, 0, 1, 0},
      {"everything kept",
       {{u"LunarLine", REG_DWORD, 1}, {u"ListCount", REG_DWORD, 3}, {u"ReminderValue", REG_DWORD, 90},
        {u"ReminderUnit", REG_DWORD, 1}, {u"DdayLine", REG_DWORD, 0}, {u"DdayEntry", REG_DWORD, 0}},
       1, 3, 1, 0, 90},
      {"a count past the list", {{u"LunarLine", REG_DWORD, 1}, {u"ListCount", REG_DWORD, 7}}, 1, 0, 0, 1, 0},
      {"a count as text", {{u"ListCount", REG_SZ, 0}, {u"DdayLine", REG_DWORD, 0}}, 0, 0, 0, 0, 0},
      {"a negative unit", {{u"ReminderUnit", REG_DWORD, 0xFFFFFFFF}, {u"ReminderValue", REG_DWORD, 0xFFFFFFFB}},
       0, 0, 0, 1, -5},
      {"a line choice of 2", {{u"DdayLine", REG_DWORD, 2}, {u"ListCount", REG_DWORD, 1}}, 0, 1, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, 0, &key), ERROR_SUCCESS);
    for (const char16_t* name : {u"LunarLine", u"ListCount", u"ReminderValue", u"ReminderUnit", u"DdayLine", u"DdayEntry"})
      RegDeleteValueW(key, name);
    for (const Value& value : c.values) {
      if (value.type == REG_SZ) RegSetValueExW(key, value.name, 0, REG_SZ, (const BYTE*)u"4", 4);
      else RegSetValueExW(key, value.name, 0, REG_DWORD, (const BYTE*)&value.number, sizeof(DWORD));
    }
    RegCloseKey(key);
    CreateItem();
    HWND dialog = OpenOptions();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1005, CB_GETCURSEL, 0, 0), c.lunarLine);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1006, CB_GETCURSEL, 0, 0), c.listCount);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1008, CB_GETCURSEL, 0, 0), c.reminderUnit);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1009, CB_GETCURSEL, 0, 0), c.ddayLine);
    EXPECT_EQ((int)GetDlgItemInt(dialog, 1007, nullptr, TRUE), c.reminderValue);
    DestroyWindow(dialog);
    DestroyWindow(m_item);
    m_item = nullptr;
    FreeLibrary(m_library);
    m_library = nullptr;
  }
}

}  // namespace
