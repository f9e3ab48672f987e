#pragma once
// In-process tests of the Today plug-in: the built libKalmenoTP.so is loaded with LoadLibraryW into
// this process, its item window made with InitializeCustomItem under a small stand-in Today screen,
// and driven with the messages the shell sends. What it draws is read from the trace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "tests/support/e2e.h"
#include "todaycmn.h"
#include "windows.h"

// A record as the program writes it: zero-filled, title and memo cut to their fields.
ScheduleEntry MakeEntry(int year, int month, int day, int hour, int minute, const std::u16string& title,
                        WORD flags = 0);
std::string EntryBytes(const std::vector<ScheduleEntry>& entries);

// Folder, registry, trace and event names of this test process (set up once in main; the folder
// is removed at the end unless a test failed).
struct TodayTestEnvironment {
  std::string folder;
  std::string registry;
  std::string trace;
};
const TodayTestEnvironment& TestEnvironment();
void SetUpTodayTestEnvironment();
void TearDownTodayTestEnvironment();

// Pumps this process's messages while the (stepped) clock moves on by `ms` milliseconds, 5 at a
// time: every timer due meanwhile fires, and every paint it asks for is done.
void Pump(int ms);

class TodayItemTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The clock, as KALMENO_NOW would set it: "YYYY-MM-DDTHH:MM:SS".
  void SetNow(const std::string& when);
  void WriteEntries(const std::vector<ScheduleEntry>& entries);
  // Registry values of the item's key; an empty path deletes the value.
  void SetValue(const char16_t* name, const std::string& value);
  // Loads the library anew (fresh settings) and creates the item window.
  void CreateItem();
  LRESULT QueryRefresh();
  // Repaints the whole item and returns the texts it drew, top to bottom.
  std::vector<std::string> PaintedLines();
  // The text lines of the last paint with their rectangles ("l,t,r,b").
  std::vector<e2e::TraceLine> PaintedTextTrace();
  // Runs the options dialog modelessly, chooses the given indexes and leaves it with Done.
  // A negative index leaves that combo box as the dialog set it up.
  void ChooseOptions(int lunarLine, int listCount, int ddayLine, int ddayEntry);
  // The same for the reminder: the value typed and the unit's index (0 none .. 3 days).
  void ChooseReminder(int value, int unit);
  // The same for the check box "공휴일·절기 표시".
  void ChooseHolidayMarks(bool show);
  // Counts of the trace's kinds since the last ClearTrace.
  std::vector<e2e::TraceLine> Trace();
  void ClearTrace();
  // Colour of a pixel of the item window as last painted (0xRRGGBB).
  COLORREF ItemPixel(int x, int y);
  void Tap(int x, int y);

  std::string m_dataPath;
  HINSTANCE m_library = nullptr;
  HWND m_parent = nullptr;
  HWND m_item = nullptr;
  TODAYLISTITEM m_record = {};
};

// The text every test compares with: "<window>\t<rect>\t<flags>\t<colour>\t<text>" is reduced to
// the text itself by PaintedLines.
std::string Utf8(const std::u16string& text);
