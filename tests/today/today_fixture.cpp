#include "tests/today/today_fixture.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

#include "kp_platform.h"
#include "tests/support/stand_in_today_screen.h"
#include "schedule/item_key.h"

namespace {

TodayTestEnvironment g_environment;
std::unique_ptr<TempDir> g_folder;
const char kPluginPath[] = KP_BUILD_DIR "/today/libKalmenoTP.so";
const char kItemClass[] = "Kalmeno Today Plugin";

// The options procedure has the Today interface's signature; the dialog manager calls a DLGPROC.
PFNCUSTOMOPTIONSDLGPROC g_pfnOptions = nullptr;
INT_PTR OptionsAdapter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_pfnOptions(dialog, message, (UINT)wParam, (LONG)lParam) ? TRUE : FALSE;
}

}  // namespace

std::string Utf8(const std::u16string& text) { return KpToUtf8(text.c_str(), (int)text.size()); }

ScheduleEntry MakeEntry(int year, int month, int day, int hour, int minute, const std::u16string& title, WORD flags) {
  ScheduleEntry entry;
  std::memset(&entry, 0, sizeof(entry));
  entry.wYear = (WORD)year;
  entry.wMonth = (WORD)month;
  entry.wDay = (WORD)day;
  entry.wHour = (WORD)hour;
  entry.wMinute = (WORD)minute;
  entry.wFlags = flags;
  for (size_t i = 0; i < title.size() && i < 10; ++i) entry.szTitle[i] = title[i];
  return entry;
}

std::string EntryBytes(const std::vector<ScheduleEntry>& entries) {
  std::string bytes;
  for (const ScheduleEntry& entry : entries) {
    unsigned char record[SCHEDULE_RECORD_SIZE];
    ScheduleEntryToBytes(entry, record);
    bytes.append((const char*)record, sizeof(record));
  }
  return bytes;
}

const TodayTestEnvironment& TestEnvironment() { return g_environment; }

void SetUpTodayTestEnvironment() {
  g_folder = std::make_unique<TempDir>("kalmeno-today");
  g_environment.folder = g_folder->path();
  g_environment.registry = g_environment.folder + "/registry.reg";
  g_environment.trace = g_environment.folder + "/trace.log";
  // Named events live under XDG_RUNTIME_DIR: a folder of our own keeps "SYSTEM/ShellAPIReady"
  // apart from other tests running at the same time.
  setenv("XDG_RUNTIME_DIR", g_environment.folder.c_str(), 1);
  setenv("KALMENO_REGISTRY", g_environment.registry.c_str(), 1);
  setenv("KALMENO_TRACE", g_environment.trace.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // No session bus: reminders show as the screen's own bubble (traced), never on this desktop.
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + g_environment.folder + "/no-bus").c_str(), 1);
  KpInitialize(0, nullptr);
  static WNDCLASSW screenClass = {};
  screenClass.lpfnWndProc = StandInTodayScreenProc;
  screenClass.hInstance = GetModuleHandleW(nullptr);
  screenClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  screenClass.lpszClassName = u"TestTodayScreen";
  RegisterClassW(&screenClass);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, u"SYSTEM/ShellAPIReady");
  SetEvent(ready);
}

void TearDownTodayTestEnvironment() { g_folder.reset(); }

void Pump(int ms) {
  DWORD end = GetTickCount() + (DWORD)ms;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    KpAdvanceClock(5);
  } while ((LONG)(end - GetTickCount()) > 0);
}

void TodayItemTest::SetUp() {
  m_dataPath = g_environment.folder + "/qmrv.dat";
  std::remove(m_dataPath.c_str());
  std::remove(g_environment.registry.c_str());
  SetValue(u"DATA", m_dataPath);
  SetValue(u"EXE", "/bin/true");
  SetNow("2007-12-08T15:00:00");
  ClearTrace();
  m_parent = CreateWindowExW(0, u"TestTodayScreen", u"Today", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(m_parent, nullptr);
}

void TodayItemTest::TearDown() {
  if (m_item != nullptr) DestroyWindow(m_item);
  if (m_parent != nullptr) DestroyWindow(m_parent);
  if (m_library != nullptr) FreeLibrary(m_library);
  m_item = m_parent = nullptr;
  m_library = nullptr;
  Pump(10);
}

void TodayItemTest::SetNow(const std::string& when) {
  SYSTEMTIME time = {};
  int y, mo, d, h, mi, s;
  ASSERT_EQ(std::sscanf(when.c_str(), "%d-%d-%dT%d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
  time.wYear = (WORD)y;
  time.wMonth = (WORD)mo;
  time.wDay = (WORD)d;
  time.wHour = (WORD)h;
  time.wMinute = (WORD)mi;
  time.wSecond = (WORD)s;
  KpSetClock(&time);
}

void TodayItemTest::WriteEntries(const std::vector<ScheduleEntry>& entries) {
  e2e::WriteBytes(m_dataPath, EntryBytes(entries));
}

void TodayItemTest::SetValue(const char16_t* name, const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (value.empty()) {
    RegDeleteValueW(key, name);
  } else {
    std::u16string text = KpFromUtf8(value);
    RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)((text.size() + 1) * 2));
  }
  RegCloseKey(key);
}

void TodayItemTest::CreateItem() {
  std::u16string path = KpFromUtf8(kPluginPath);
  m_library = LoadLibraryW(path.c_str());
  ASSERT_NE(m_library, nullptr) << kPluginPath;
  auto initialize = (PFNCUSTOMINITIALIZEITEM)(void*)GetProcAddress(m_library, u"InitializeCustomItem");
  ASSERT_NE(initialize, nullptr);
  std::memset(&m_record, 0, sizeof(m_record));
  m_item = initialize(&m_record, m_parent);
  ASSERT_NE(m_item, nullptr);
}

LRESULT TodayItemTest::QueryRefresh() {
  LRESULT reply = SendMessageW(m_item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&m_record, 0);
  // The shell gives the item the height it asked for.
  MoveWindow(m_item, 0, 24, GetSystemMetrics(SM_CXSCREEN), (int)m_record.cyp, TRUE);
  return reply;
}

std::vector<e2e::TraceLine> TodayItemTest::PaintedTextTrace() {
  ClearTrace();
  InvalidateRect(m_item, nullptr, TRUE);
  UpdateWindow(m_item);
  return e2e::Select(Trace(), "text", kItemClass);
}

std::vector<std::string> TodayItemTest::PaintedLines() { return e2e::Texts(PaintedTextTrace()); }

void TodayItemTest::ChooseOptions(int lunarLine, int listCount, int ddayLine, int ddayEntry) {
  g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(m_library, u"CustomItemOptionsDlgProc");
  ASSERT_NE(g_pfnOptions, nullptr);
  HWND dialog = CreateDialogParamW(m_library, MAKEINTRESOURCEW(500), m_parent, OptionsAdapter, 0);
  ASSERT_NE(dialog, nullptr);
  const std::pair<int, int> choices[] = {{1005, lunarLine}, {1006, listCount}, {1009, ddayLine}, {1010, ddayEntry}};
  for (auto [id, index] : choices)
    if (index >= 0) SendDlgItemMessageW(dialog, id, CB_SETCURSEL, (WPARAM)index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  Pump(10);
}

void TodayItemTest::ChooseReminder(int value, int unit) {
  g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(m_library, u"CustomItemOptionsDlgProc");
  HWND dialog = CreateDialogParamW(m_library, MAKEINTRESOURCEW(500), m_parent, OptionsAdapter, 0);
  ASSERT_NE(dialog, nullptr);
  SetDlgItemInt(dialog, 1007, (UINT)value, TRUE);
  SendDlgItemMessageW(dialog, 1008, CB_SETCURSEL, (WPARAM)unit, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  Pump(10);
}

void TodayItemTest::ChooseHolidayMarks(bool show) {
  g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(m_library, u"CustomItemOptionsDlgProc");
  HWND dialog = CreateDialogParamW(m_library, MAKEINTRESOURCEW(500), m_parent, OptionsAdapter, 0);
  ASSERT_NE(dialog, nullptr);
  SendDlgItemMessageW(dialog, 1015, BM_SETCHECK, show ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  Pump(10);
}

std::vector<e2e::TraceLine> TodayItemTest::Trace() { return e2e::ReadTrace(g_environment.trace); }

void TodayItemTest::ClearTrace() { std::ofstream(g_environment.trace, std::ios::trunc); }

COLORREF TodayItemTest::ItemPixel(int x, int y) {
  HDC dc = GetDC(m_item);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(m_item, dc);
  return RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
}

void TodayItemTest::Tap(int x, int y) {
  SendMessageW(m_item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(m_item, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
