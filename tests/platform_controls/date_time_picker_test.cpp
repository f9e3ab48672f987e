// The date and time pickers: their start at the local clock, their value messages, the drop-down
// calendar, the up-down buttons and the script's `set`.
#include <cstdlib>

#include "kp_platform.h"
#include "tests/platform_controls/control_test_support.h"
#include "tests/support/e2e.h"

namespace {

class DateTimePicker : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    SYSTEMTIME now{};
    now.wYear = 2007; now.wMonth = 12; now.wDay = 8; now.wHour = 9; now.wMinute = 30; now.wSecond = 0;
    KpSetClock(&now);
  }
  static SYSTEMTIME Value(HWND picker) {
    SYSTEMTIME value{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)), GDT_VALID);
    return value;
  }
  static LRESULT ScriptSet(HWND picker, LPCWSTR value) {
    return SendMessageW(picker, KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(value));
  }
};

// Digits typed with the focus in a picker (the first number field selected on arrival): each field
// takes its digits, then the next field is selected; a digit that would make no value starts the
// field afresh. The pickers start at 2007-12-08 09:30:00.
TEST_F(DateTimePicker, DigitsTypedSetTheFieldsOneAfterAnother) {
  struct Case {
    bool time;
    std::u16string typed;
    int year, month, day, hour, minute;
  };
  const Case cases[] = {
      {false, u"20080105", 2008, 1, 5, 9, 30},
      {false, u"2008229", 2008, 2, 29, 9, 30},   // month 2 is complete at once: no month 20..29
      {false, u"15002009", 2009, 12, 8, 9, 30},  // no year 1500: typed again
      {false, u"20070231", 2007, 2, 1, 9, 30},   // no 31 February: the 1 starts the day afresh
      {true, u"1930", 2007, 12, 8, 19, 30},
      {true, u"75", 2007, 12, 8, 7, 5},          // no hour 70..79: the 5 goes to the minutes
      {true, u"2x4", 2007, 12, 8, 4, 30},        // letters type nothing; no hour 24: the 4 starts afresh
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
    HWND picker = c.time ? Create(DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_RIGHTALIGN, 1007, 120, 71, 100, 19)
                         : Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 1005, 21, 42, 119, 18);
    SetFocus(picker);
    for (char16_t unit : c.typed) SendMessageW(picker, WM_CHAR, unit, 1);
    const SYSTEMTIME value = Value(picker);
    EXPECT_EQ(value.wYear, c.year);
    EXPECT_EQ(value.wMonth, c.month);
    EXPECT_EQ(value.wDay, c.day);
    EXPECT_EQ(value.wHour, c.hour);
    EXPECT_EQ(value.wMinute, c.minute);
    DestroyWindow(picker);
  }
}

TEST_F(DateTimePicker, StartsAtTheLocalTime) {
  HWND date = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, 1005, 21, 42, 119, 18);
  SYSTEMTIME value = Value(date);
  EXPECT_EQ(value.wYear, 2007);
  EXPECT_EQ(value.wMonth, 12);
  EXPECT_EQ(value.wDay, 8);
  EXPECT_EQ(value.wDayOfWeek, 6);
  EXPECT_EQ(value.wHour, 9);
  EXPECT_EQ(value.wMinute, 30);
}

TEST_F(DateTimePicker, SetSystemTimeTakesRealDatesOnly) {
  HWND date = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 1005, 21, 42, 119, 18);
  SYSTEMTIME leap{2008, 2, 0, 29, 10, 0, 0, 0};
  EXPECT_EQ(SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&leap)), TRUE);
  EXPECT_EQ(Value(date).wDay, 29);
  EXPECT_EQ(Value(date).wDayOfWeek, 5);
  SYSTEMTIME impossible{2007, 2, 0, 29, 10, 0, 0, 0};
  EXPECT_EQ(SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&impossible)), FALSE);
  EXPECT_EQ(Value(date).wYear, 2008);
  EXPECT_TRUE(NoticesOf(DTN_DATETIMECHANGE).empty());
}

TEST_F(DateTimePicker, ATapOpensTheMonthCalendarAndATapOnADayChoosesIt) {
  HWND date = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 1005, 21, 42, 119, 18);
  Tap(date, 30, 9);
  HWND calendar = TopPopup();
  ASSERT_NE(calendar, nullptr);
  // December 2007 starts on a Saturday: the second row's Tuesday (column 2) is the 4th.
  const int cellWidth = 24, cellHeight = 18, top = 1 + 22 + 16;
  Tap(calendar, 1 + 2 * cellWidth + cellWidth / 2, top + cellHeight + cellHeight / 2);
  EXPECT_FALSE(IsWindow(calendar));
  SYSTEMTIME value = Value(date);
  EXPECT_EQ(value.wDay, 4);
  EXPECT_EQ(value.wDayOfWeek, 2);
  EXPECT_EQ(value.wHour, 9);  // the time of day stays
  auto changes = NoticesOf(DTN_DATETIMECHANGE);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].id, 1005);
  EXPECT_EQ(changes[0].time.wDay, 4);
}

TEST_F(DateTimePicker, TheCalendarsArrowsChangeTheMonthShown) {
  HWND date = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 1005, 21, 42, 119, 18);
  Tap(date, 30, 9);
  HWND calendar = TopPopup();
  ASSERT_NE(calendar, nullptr);
  RECT client{};
  GetClientRect(calendar, &client);
  Tap(calendar, client.right - 8, 10);  // next month: January 2008, which starts on a Tuesday
  const int cellWidth = 24, top = 1 + 22 + 16;
  Tap(calendar, 1 + 2 * cellWidth + cellWidth / 2, top + 9);
  SYSTEMTIME value = Value(date);
  EXPECT_EQ(value.wYear, 2008);
  EXPECT_EQ(value.wMonth, 1);
  EXPECT_EQ(value.wDay, 1);
}

TEST_F(DateTimePicker, TheUpDownButtonsChangeTheSelectedField) {
  HWND time = Create(DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_RIGHTALIGN, 1007, 120, 71, 100, 19);
  Tap(time, 95, 4);  // the up button: the hour when no field was chosen
  EXPECT_EQ(Value(time).wHour, 10);
  Key(time, VK_RIGHT);  // from the hour to the minute
  Tap(time, 95, 15);    // the down button
  EXPECT_EQ(Value(time).wMinute, 29);
  EXPECT_EQ(Value(time).wHour, 10);
  EXPECT_EQ(NoticesOf(DTN_DATETIMECHANGE).size(), 2u);
}

TEST_F(DateTimePicker, TheScriptSetsDatesAndTimesInTheirOwnForm) {
  HWND date = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 1005, 21, 42, 119, 18);
  HWND time = Create(DATETIMEPICK_CLASSW, DTS_TIMEFORMAT, 1007, 120, 71, 100, 19);
  EXPECT_EQ(ScriptSet(date, u"2008-02-29"), TRUE);
  EXPECT_EQ(Value(date).wMonth, 2);
  EXPECT_EQ(Value(date).wDay, 29);
  EXPECT_EQ(ScriptSet(date, u"2007-02-29"), FALSE);
  EXPECT_EQ(ScriptSet(date, u"23:59:59"), FALSE);
  EXPECT_EQ(ScriptSet(time, u"23:59:58"), TRUE);
  EXPECT_EQ(Value(time).wHour, 23);
  EXPECT_EQ(Value(time).wSecond, 58);
  EXPECT_EQ(ScriptSet(time, u"2008-02-29"), FALSE);
  EXPECT_EQ(NoticesOf(DTN_DATETIMECHANGE).size(), 2u);
}

TEST_F(DateTimePicker, TheLongDateLeavesOutTheWeekdayOnlyWhenThePickerIsTooNarrowForIt) {
  e2e::TempDir dir;
  setenv("KALMENO_TRACE", dir.file("trace.log").c_str(), 1);
  // The Add dialog's picker is 119 pixels wide: the weekday would end under the drop-down button.
  HWND narrow = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, 1005, 21, 42, 119, 18);
  HWND wide = Create(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, 1006, 21, 70, 200, 18);
  for (HWND picker : {narrow, wide}) {
    InvalidateRect(picker, nullptr, TRUE);
    UpdateWindow(picker);
  }
  unsetenv("KALMENO_TRACE");
  std::vector<std::string> texts = e2e::Texts(e2e::Select(e2e::ReadTrace(dir.file("trace.log")), "text"));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "2007년 12월 8일");
  EXPECT_EQ(texts[1], "2007년 12월 8일 토요일");
  // The fields are where they were: a tap on the day's number still selects the day.
  Tap(narrow, 83, 9);
  Key(narrow, VK_UP);
  EXPECT_EQ(Value(narrow).wDay, 9);
}

}  // namespace
