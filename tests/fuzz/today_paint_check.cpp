#include "tests/fuzz/today_paint_check.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "kp_platform.h"
#include "tests/support/e2e.h"
#include "tests/support/stand_in_today_screen.h"
#include "schedule/item_key.h"
#include "todaycmn.h"
#include "windows.h"
#include "winreg.h"

namespace {

const char kItemClass[] = "Kalmeno Today Plugin";
const char kNoMoreEntries[] = "더 이상 표시할 일정이 없습니다.";
const char* const kWeekdays[7] = {"일", "월", "화", "수", "목", "금", "토"};
constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kMaxFileBytes = 64 * 98 + 97;

// The lines of the paint being checked, printed with a failure.
std::vector<std::string> g_painted;

[[noreturn]] void Fail(const char* what, const std::string& line) {
  std::fprintf(stderr, "today paint check failed: %s: \"%s\"\n", what, line.c_str());
  for (const std::string& painted : g_painted) std::fprintf(stderr, "  painted: %s\n", painted.c_str());
  std::abort();
}

PFNCUSTOMOPTIONSDLGPROC g_pfnOptions = nullptr;
INT_PTR OptionsAdapter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_pfnOptions(dialog, message, (UINT)wParam, (LONG)lParam) ? TRUE : FALSE;
}

void SetItemValue(const char16_t* name, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    Fail("registry", name == nullptr ? "" : KpToUtf8(name));
  std::u16string text = KpFromUtf8(value);
  RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)((text.size() + 1) * 2));
  RegCloseKey(key);
}

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// One Today screen with the item loaded, for the life of the process, as the shell keeps it.
struct TodayScreen {
  std::string dataPath;
  std::string tracePath;
  HWND screen = nullptr;
  HWND item = nullptr;
  HINSTANCE library = nullptr;
  TODAYLISTITEM record = {};

  TodayScreen() {
    static TempDir* scratch = new TempDir("kalmeno-paint");
    std::atexit([] { delete scratch; });
    const std::string& folder = scratch->path();
    dataPath = folder + "/qmrv.dat";
    tracePath = folder + "/trace.log";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("KALMENO_REGISTRY", (folder + "/registry.reg").c_str(), 1);
    setenv("KALMENO_TRACE", tracePath.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    KpInitialize(0, nullptr);
    // A longer path is no path to the item: it would say so in a message box that nothing answers.
    if (KpFromUtf8(dataPath).size() > 259) Fail("the data file's path is too long for the item (a shorter TMPDIR)", dataPath);
    SetItemValue(u"DATA", dataPath);
    SetItemValue(u"EXE", "/bin/true");
    e2e::WriteBytes(dataPath, "");

    static WNDCLASSW screenClass = {};
    screenClass.lpfnWndProc = StandInTodayScreenProc;
    screenClass.hInstance = GetModuleHandleW(nullptr);
    screenClass.lpszClassName = u"PaintCheckTodayScreen";
    RegisterClassW(&screenClass);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, u"SYSTEM/ShellAPIReady");
    SetEvent(ready);
    screen = CreateWindowExW(0, u"PaintCheckTodayScreen", u"Today", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);

    std::u16string plugin = KpFromUtf8(KP_TODAY_PLUGIN);
    library = LoadLibraryW(plugin.c_str());
    if (library == nullptr) Fail("loading the plug-in", KP_TODAY_PLUGIN);
    auto initialize = (PFNCUSTOMINITIALIZEITEM)(void*)GetProcAddress(library, u"InitializeCustomItem");
    g_pfnOptions = (PFNCUSTOMOPTIONSDLGPROC)(void*)GetProcAddress(library, u"CustomItemOptionsDlgProc");
    if (initialize == nullptr || g_pfnOptions == nullptr) Fail("the plug-in's entry points", KP_TODAY_PLUGIN);
    item = initialize(&record, screen);
    if (item == nullptr) Fail("creating the item", KP_TODAY_PLUGIN);
  }

  // The options dialog as the user leaves it: three drop-down lists on one of their entries, the
  // D-day list on any index (past its end nothing is selected), then Done.
  void ChooseOptions(int lunarLine, int listCount, int ddayLine, int ddayEntry) {
    HWND dialog = CreateDialogParamW(library, MAKEINTRESOURCEW(500), screen, OptionsAdapter, 0);
    if (dialog == nullptr) Fail("opening the options dialog", "");
    const std::pair<int, int> choices[] = {{1005, lunarLine}, {1006, listCount}, {1009, ddayLine}, {1010, ddayEntry}};
    for (auto [id, index] : choices) SendDlgItemMessageW(dialog, id, CB_SETCURSEL, (WPARAM)index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    PumpPending();
    // New settings may call for another height, which the item reports at the next query.
    record.cyp = 0;
  }

  // The shell's refresh and the paint that follows it; returns the texts the item drew.
  std::vector<e2e::TraceLine> RefreshAndPaint() {
    SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&record, 0);
    MoveWindow(item, 0, 24, 240, (int)record.cyp, TRUE);
    std::ofstream(tracePath, std::ios::trunc);
    InvalidateRect(item, nullptr, TRUE);
    UpdateWindow(item);
    return e2e::Select(e2e::ReadTrace(tracePath), "text", kItemClass);
  }
};

TodayScreen& Screen() {
  static TodayScreen* screen = new TodayScreen;
  return *screen;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Reads a decimal number at `at`, moving past it; -1 when there is none.
long ReadNumber(const std::string& text, std::size_t& at) {
  std::size_t start = at;
  long value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 9) value = value * 10 + (text[at++] - '0');
  return at == start ? -1 : value;
}

// The day a schedule line names, counted from today: "오늘(요일) ", "내일(요일) " or "N일뒤(요일) ",
// with the weekday that day really has.
long ScheduleLineDay(const std::string& line, std::chrono::sys_days today) {
  std::size_t at = 0;
  long days;
  if (StartsWith(line, "오늘(")) {
    days = 0;
    at = std::strlen("오늘(");
  } else if (StartsWith(line, "내일(")) {
    days = 1;
    at = std::strlen("내일(");
  } else {
    days = ReadNumber(line, at);
    if (days < 2 || line.compare(at, std::strlen("일뒤("), "일뒤(") != 0) Fail("a schedule line's day", line);
    at += std::strlen("일뒤(");
  }
  // A one-time entry of a later year may lie far ahead, but never past the last year a record
  // can hold.
  if (days > 65535L * 366) Fail("a schedule line too far ahead", line);
  unsigned weekday = std::chrono::weekday(today + std::chrono::days(days)).c_encoding();
  if (line.compare(at, std::strlen(kWeekdays[weekday]), kWeekdays[weekday]) != 0) Fail("a schedule line's weekday", line);
  at += std::strlen(kWeekdays[weekday]);
  if (line.compare(at, 2, ") ") != 0) Fail("a schedule line's form", line);
  at += 2;
  if (ReadNumber(line, at) < 0 || line.compare(at, 1, ":") != 0) Fail("a schedule line's hour", line);
  ++at;
  if (ReadNumber(line, at) < 0 || line.compare(at, 1, " ") != 0) Fail("a schedule line's minute", line);
  return days;
}

bool IsDdayLine(const std::string& line) {
  if (EndsWith(line, "이(가) 오늘입니다.")) return true;
  return EndsWith(line, "일이 지났습니다.") || EndsWith(line, "일 남았습니다.");
}

}  // namespace

void CheckTodayPaintBytes(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return;
  TodayScreen& screen = Screen();

  // 1800..2099: the lunar table's years and some on both sides of them.
  int year = 1800 + (data[0] | data[1] << 8) % 300;
  auto date = std::chrono::year(year) / (int)(data[2] % 12 + 1) / (int)(data[3] % 31 + 1);
  if (!date.ok()) date = date.year() / date.month() / 1;
  SYSTEMTIME now = {};
  now.wYear = (WORD)year;
  now.wMonth = (WORD)(unsigned)date.month();
  now.wDay = (WORD)(unsigned)date.day();
  now.wHour = (WORD)(data[4] % 24);
  now.wMinute = (WORD)(data[4] * 7 % 60);
  KpSetClock(&now);
  std::chrono::sys_days today(date);

  int lunarLine = data[5] & 1;
  int listCount = (data[5] >> 1) % 5;
  int ddayLine = (data[5] >> 4) & 1;
  int ddayEntry = data[6] == 255 ? -1 : data[6];
  std::size_t fileBytes = std::min(size - kHeaderBytes, kMaxFileBytes);
  std::size_t records = fileBytes / 98;
  e2e::WriteBytes(screen.dataPath, std::string((const char*)data + kHeaderBytes, fileBytes));

  screen.ChooseOptions(lunarLine, listCount, ddayLine, ddayEntry);
  std::vector<e2e::TraceLine> drawn = screen.RefreshAndPaint();

  // Every line lies inside the item, in the height it asked the shell for.
  RECT client;
  GetClientRect(screen.item, &client);
  std::vector<std::string>& lines = g_painted;
  lines.clear();
  for (const e2e::TraceLine& text : drawn) {
    if (text.fields.size() < 5) Fail("a trace line without its fields", text.kind);
    const std::string& line = text.fields.back();
    int left, top, right, bottom;
    if (std::sscanf(text.fields[1].c_str(), "%d,%d,%d,%d", &left, &top, &right, &bottom) != 4) Fail("a rectangle", line);
    if (left < 0 || top < 0 || right > client.right || bottom > client.bottom || left >= right || top >= bottom)
      Fail("a line outside the item", text.fields[1] + " " + line);
    if (line.empty()) Fail("an empty line", line);
    lines.push_back(line);
  }

  std::size_t next = 0;
  if (lunarLine == 0) {
    if (lines.empty() || !StartsWith(lines[0], "음력 ")) Fail("the lunar line is missing", lines.empty() ? "" : lines[0]);
    ++next;
  }
  for (std::size_t k = next; k < lines.size(); ++k)
    if (StartsWith(lines[k], "음력 ")) Fail("a second lunar line", lines[k]);
  if (next == lines.size()) return;  // no entry falls on or after today: nothing more to show

  // One line per chosen count, then the filler. The lines are the coming entries, this year's and
  // next year's together, in order of their days.
  std::size_t scheduleLines = (std::size_t)listCount + 1;
  if (lines.size() < next + scheduleLines) Fail("fewer schedule lines than chosen", lines.back());
  long previousDay = -1;
  bool ended = false;
  for (std::size_t k = next; k < next + scheduleLines; ++k) {
    if (lines[k] == kNoMoreEntries) {
      ended = true;
      continue;
    }
    if (ended) Fail("an entry after the end of the list", lines[k]);
    long day = ScheduleLineDay(lines[k], today);
    if (day < previousDay) Fail("schedule lines out of order", lines[k]);
    previousDay = day;
  }
  next += scheduleLines;

  std::size_t rest = lines.size() - next;
  if (rest > 1) Fail("more lines than the item has", lines.back());
  if (rest == 1) {
    if (ddayLine != 0) Fail("a D-day line that was hidden", lines.back());
    if (ddayEntry < 0 || (std::size_t)ddayEntry >= records) Fail("a D-day line for no entry", lines.back());
    if (!IsDdayLine(lines.back())) Fail("the D-day line's form", lines.back());
  }
}
