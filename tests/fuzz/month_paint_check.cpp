#include "tests/fuzz/month_paint_check.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/kalmeno_dlg.h"
#include "calendar/lunar_calendar.h"
#include "kp_platform.h"
#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kMaxRecords = 64;
constexpr int kShownMonths = (kLastShownYear - kFirstShownYear + 1) * 12;
constexpr int kNoCell = -1;

// What the bytes ask of the month view.
struct Plan {
  int year = 0, month = 0, today = 0;
  bool lunarView = false;
  int tappedCell = kNoCell;
  bool secondTap = false;
  int furtherTaps = 0;
  int arrow = 0;  // -1 back, +1 on
};

// What the view held once it had painted.
struct Outcome {
  int year = 0, month = 0;
  std::string title;
  std::vector<e2e::TraceLine> lines;  // the trace of the last, full paint
};

// The trace of the paint being checked, printed with a failure.
const std::vector<e2e::TraceLine>* g_painted = nullptr;

// The month view belongs to an application object, as in the program.
CWinApp g_application(u"Kalmeno");

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "month paint check failed: %s: %s\n", what, detail.c_str());
  if (g_painted)
    for (const std::string& text : e2e::Texts(ViewTexts(*g_painted))) std::fprintf(stderr, "  drawn: %s\n", text.c_str());
  std::abort();
}

struct Scratch {
  TempDir* dir = new TempDir("kalmeno-month");
  std::string folder = dir->path(), tracePath;
  Scratch() {
    tracePath = folder + "/trace.log";
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    setenv("KALMENO_REGISTRY", (folder + "/registry.reg").c_str(), 1);
    unsetenv("KALMENO_TRACE");
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    KpInitialize(0, nullptr);
    std::atexit([] { delete Get().dir; });
  }
  static Scratch& Get() {
    static Scratch* scratch = new Scratch;
    return *scratch;
  }
};

// The program's month view, reading the input's data file from the scratch folder, driven through
// its own message handlers once it is up.
class DrivenMonthView : public CKalmenoDlg {
 public:
  DrivenMonthView(const Plan& plan, Outcome& outcome) : m_plan(plan), m_outcome(outcome) {}

 protected:
  BOOL OnInitDialog() override {
    m_store = ScheduleStore(KpHandheldPath(Scratch::Get().folder).c_str());
    BOOL result = CKalmenoDlg::OnInitDialog();
    PostMessage(kDriveMessage);
    return result;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kDriveMessage) return CKalmenoDlg::WindowProc(message, wParam, lParam);
    if (m_plan.lunarView) SendMessage(WM_COMMAND, MAKEWPARAM(ID_LUNAR_VIEW, 0), 0);
    if (m_plan.arrow != 0) Tap(m_plan.arrow < 0 ? 30 : 210, 10);
    if (m_plan.tappedCell != kNoCell) {
      const int x = CellX(m_plan.tappedCell), y = CellY(m_plan.tappedCell);
      Tap(x, y);
      if (m_plan.secondTap) Tap(x, y);
      for (int k = 0; k < m_plan.furtherTaps; ++k) Tap(x, y);
    }
    // Only the last paint is traced: it draws the whole view, and writing a trace line per text of
    // the paints before it would only slow the check down.
    std::ofstream(Scratch::Get().tracePath, std::ios::trunc);
    setenv("KALMENO_TRACE", Scratch::Get().tracePath.c_str(), 1);
    Invalidate(TRUE);
    UpdateWindow();
    unsetenv("KALMENO_TRACE");
    m_outcome.lines = e2e::ReadTrace(Scratch::Get().tracePath);
    m_outcome.year = m_nYear;
    m_outcome.month = m_nMonth;
    CString title;
    GetDlgItemText(1000, title);
    m_outcome.title = KpToUtf8(title.GetString());
    EndDialog(0);
    return 0;
  }

 private:
  // A tap with no stylus held down: the gesture recogniser answers at once.
  void Tap(int x, int y) {
    SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  static constexpr UINT kDriveMessage = WM_APP + 7;
  const Plan& m_plan;
  Outcome& m_outcome;
};

// The entries falling on a day, by the calendar's rule: a yearly entry on its month and day in
// every year of its own calendar, any other only on its exact date; a lunar entry by month number
// alone (so also in a leap month of that number), never by its solar fields, nor the reverse. A
// yearly lunar 30th also falls on the 29th of a regular month that has 29 days.
struct DayMatches {
  int solar = 0, lunar = 0;
  bool holiday = false;
};

DayMatches MatchesOn(const std::vector<ScheduleEntry>& entries, int year, int month, int day) {
  LunarDate lunarDate{};
  const bool hasLunar = SolarToLunar(year, month, day, &lunarDate) != 0;
  DayMatches matches;
  for (const ScheduleEntry& e : entries) {
    const bool yearly = (e.wFlags & SCHEDULE_YEARLY) != 0;
    bool falls;
    if (e.wFlags & SCHEDULE_LUNAR)
      falls = hasLunar && e.wMonth == lunarDate.byMonth &&
              ((e.wDay == lunarDate.byDay && (yearly || e.wYear == lunarDate.wLunarYear)) ||
               (yearly && !lunarDate.byLeap && e.wDay == 30 && lunarDate.byDay == 29 &&
                LunarMonthLength(lunarDate.wLunarYear, lunarDate.byMonth, 0) == 29));
    else
      falls = e.wMonth == month && e.wDay == day && (yearly || e.wYear == year);
    if (!falls) continue;
    ++((e.wFlags & SCHEDULE_LUNAR) ? matches.lunar : matches.solar);
    matches.holiday |= (e.wFlags & SCHEDULE_HOLIDAY) != 0;
  }
  return matches;
}

// The last text drawn at each rectangle of the month view, looked up as the helpers of the program's
// end-to-end tests do, but indexed once: the check asks for some 250 rectangles per input.
class DrawnIndex {
 public:
  explicit DrawnIndex(const std::vector<e2e::TraceLine>& lines) {
    for (const e2e::TraceLine& line : ViewTexts(lines)) {
      if (line.fields.size() < 5) continue;
      DrawnText& drawn = m_byRect[line.fields[1]];
      drawn.text = line.fields.back();
      drawn.colour = line.fields[3];
      drawn.found = true;
    }
  }
  DrawnText At(int left, int top, int right, int bottom) const {
    auto found = m_byRect.find(std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
                               std::to_string(bottom));
    return found == m_byRect.end() ? DrawnText{} : found->second;
  }
  DrawnText DayNumber(int i) const { return At(CellLeft(i) + 2, CellTop(i) - 1, CellRight(i), CellBottom(i)); }
  DrawnText Label(int i) const { return At(CellLeft(i), CellTop(i), CellRight(i), CellBottom(i) - 8); }
  DrawnText LunarLabel(int i) const { return At(CellLeft(i), CellTop(i), CellRight(i), CellBottom(i) + 2); }
  DrawnText TopCount(int i) const { return At(CellLeft(i), CellTop(i), CellRight(i), CellBottom(i)); }
  DrawnText LowerCount(int i) const { return At(CellLeft(i), CellTop(i) + 8, CellRight(i), CellBottom(i)); }

 private:
  std::map<std::string, DrawnText> m_byRect;
};

std::string Count(int n) { return n > 99 ? "99+" : "(" + std::to_string(n) + ")"; }

// A text as a trace line carries it (UTF-8, with CR, LF and TAB written as escapes); false for a
// text with a lone surrogate, which the drawing side writes as a replacement character.
bool TraceForm(const std::u16string& text, std::string* out) {
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char16_t unit = text[k];
    if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < text.size() && text[k + 1] >= 0xDC00 && text[k + 1] <= 0xDFFF) {
      ++k;
      continue;
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) return false;
  }
  out->clear();
  for (char c : KpToUtf8(text.c_str(), (int)text.size())) {
    if (c == '\t') *out += "\\t";
    else if (c == '\n') *out += "\\n";
    else if (c == '\r') *out += "\\r";
    else *out += c;
  }
  return true;
}

// The entries falling on a day in the order the panel pages through them: solar ones first, each
// kind in file order.
std::vector<ScheduleEntry> PanelOrder(const std::vector<ScheduleEntry>& entries, int year, int month, int day) {
  std::vector<ScheduleEntry> solar, lunar;
  for (const ScheduleEntry& e : entries) {
    const std::vector<ScheduleEntry> one{e};
    const DayMatches matches = MatchesOn(one, year, month, day);
    if (matches.solar) solar.push_back(e);
    if (matches.lunar) lunar.push_back(e);
  }
  solar.insert(solar.end(), lunar.begin(), lunar.end());
  return solar;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

Plan PlanOf(const std::uint8_t* data) {
  Plan plan;
  const int shown = (data[0] | data[1] << 8) % kShownMonths;
  plan.year = kFirstShownYear + shown / 12;
  plan.month = shown % 12 + 1;
  plan.today = data[2] % 28 + 1;
  plan.lunarView = (data[3] & 1) != 0;
  const int cell = (data[3] >> 1) & 63;
  plan.tappedCell = cell < kMonthCellCount ? cell : kNoCell;
  plan.secondTap = (data[3] & 0x80) != 0;
  plan.furtherTaps = data[4] & 3;
  const int arrow = (data[4] >> 2) & 3;
  plan.arrow = arrow == 1 ? -1 : arrow == 2 ? 1 : 0;
  return plan;
}

void CheckCells(const Plan& plan, const Outcome& outcome, const DrawnIndex& drawn,
                const std::vector<ScheduleEntry>& entries) {
  using namespace std::chrono;
  const sys_days first{year(outcome.year) / outcome.month / 1};
  const sys_days gridStart = first - days(weekday(first).c_encoding());
  for (int i = 0; i < kMonthCellCount; ++i) {
    const year_month_day date{gridStart + days(i)};
    const int y = (int)date.year(), m = (int)(unsigned)date.month(), d = (int)(unsigned)date.day();
    const std::string where = "cell " + std::to_string(i) + " (" + std::to_string(y) + "-" + std::to_string(m) +
                              "-" + std::to_string(d) + ")";
    const DayMatches matches = MatchesOn(entries, y, m, d);

    const DrawnText number = drawn.DayNumber(i);
    if (number.text != std::to_string(d)) Fail("the day's number", where + " shows \"" + number.text + "\"");
    const int column = i % 7;
    const std::string numberColour = column == 0 || matches.holiday ? "#ff0000" : column == 6 ? "#0000ff" : "#000000";
    if (number.colour != numberColour) Fail("the day number's colour", where + " " + number.colour);

    const DrawnText top = drawn.TopCount(i), lower = drawn.LowerCount(i);
    if (matches.solar > 0) {
      if (top.text != Count(matches.solar) || top.colour != "#0000ff") Fail("the solar count", where + " " + top.text);
      if (matches.lunar > 0 && (lower.text != Count(matches.lunar) || lower.colour != "#ff0000"))
        Fail("the lunar count under the solar one", where + " " + lower.text);
    } else if (matches.lunar > 0) {
      if (top.text != Count(matches.lunar) || top.colour != "#ff0000") Fail("the lunar count", where + " " + top.text);
    } else if (top.found || lower.found) {
      Fail("a count on a day without entries", where + " " + top.text + lower.text);
    }

    const DrawnText label = drawn.Label(i);
    const bool any = matches.solar + matches.lunar > 0;
    if (any != (label.found && !label.text.empty())) Fail("the label", where + " \"" + label.text + "\"");
    if (any && !EndsWith(label.text, "..")) Fail("the label's end", where + " \"" + label.text + "\"");

    LunarDate lunarDate{};
    const bool hasLunar = SolarToLunar(y, m, d, &lunarDate) != 0;
    const DrawnText lunarLabel = drawn.LunarLabel(i);
    if (plan.lunarView && hasLunar) {
      char expected[16];
      std::snprintf(expected, sizeof expected, lunarDate.byLeap ? "%02d/%02d*" : "%02d/%02d", lunarDate.byMonth,
                    lunarDate.byDay);
      if (lunarLabel.text != expected) Fail("the lunar date", where + " " + lunarLabel.text);
    } else if (lunarLabel.found) {
      Fail("a lunar date that should not be shown", where + " " + lunarLabel.text);
    }
  }
}

// The panel as a user sees it: the first tap selects the day, a tap on the selected day opens the
// panel on its first entry when it has any, and while it is open every tap shows the next entry,
// closing it after the last.
void CheckPanel(const Plan& plan, const Outcome& outcome, const DrawnIndex& drawn,
                const std::vector<ScheduleEntry>& entries) {
  bool open = false;
  int index = 0;
  int total = 0;
  std::vector<ScheduleEntry> order;
  if (plan.tappedCell != kNoCell) {
    using namespace std::chrono;
    const sys_days first{year(outcome.year) / outcome.month / 1};
    const year_month_day date{first - days(weekday(first).c_encoding()) + days(plan.tappedCell)};
    const DayMatches matches = MatchesOn(entries, (int)date.year(), (int)(unsigned)date.month(), (int)(unsigned)date.day());
    total = matches.solar + matches.lunar;
    order = PanelOrder(entries, (int)date.year(), (int)(unsigned)date.month(), (int)(unsigned)date.day());
    bool selected = false;
    const int taps = 1 + (plan.secondTap ? 1 : 0) + plan.furtherTaps;
    for (int t = 0; t < taps; ++t) {
      if (open) {
        ++index;
        if (total == 1 || index >= total) open = false;
      } else if (selected && total >= 1) {
        open = true;
        index = 0;
      }
      selected = true;
    }
  }
  const DrawnText page = drawn.At(18, 97, 220, 209);
  const DrawnText title = drawn.At(23, 107, 216, 209);
  if (!open) {
    if (page.found || title.found) Fail("a panel that should be closed", page.text + " " + title.text);
    return;
  }
  const std::string expected = std::to_string(index + 1) + "/" + std::to_string(total);
  if (page.text != expected) Fail("the panel's page", page.text + " instead of " + expected);
  // The title and memo as the record holds them, within their fields.
  if ((int)order.size() != total) Fail("the panel's entries", std::to_string(order.size()));
  std::string text;
  if (TraceForm(ScheduleTitleText(order[index]), &text) && title.text != "< " + text + " >")
    Fail("the panel's title", title.text + " instead of < " + text + " >");
  const std::u16string memoText = ScheduleMemoText(order[index]);
  const DrawnText memo = drawn.At(23, 172, 216, 209);
  if (TraceForm(memoText.empty() ? u"없음" : memoText, &text) && memo.text != text)
    Fail("the panel's memo", memo.text + " instead of " + text);
}

}  // namespace

void CheckMonthPaintBytes(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return;
  Scratch& scratch = Scratch::Get();
  const Plan plan = PlanOf(data);
  SYSTEMTIME now{};
  now.wYear = (WORD)plan.year;
  now.wMonth = (WORD)plan.month;
  now.wDay = (WORD)plan.today;
  now.wHour = 10;
  KpSetClock(&now);

  const std::size_t fileBytes = std::min(size - kHeaderBytes, kMaxRecords * SCHEDULE_RECORD_SIZE + 97);
  e2e::WriteBytes(scratch.folder + "/qmrv.dat", std::string((const char*)data + kHeaderBytes, fileBytes));
  std::vector<ScheduleEntry> entries;
  for (std::size_t at = kHeaderBytes; at + SCHEDULE_RECORD_SIZE <= kHeaderBytes + fileBytes; at += SCHEDULE_RECORD_SIZE)
    entries.push_back(ScheduleEntryFromBytes(data + at));

  Outcome outcome;
  DrivenMonthView view(plan, outcome);
  view.DoModal();

  g_painted = &outcome.lines;
  // The arrows stop at the first and last months the lunar table covers.
  int year = plan.year, month = plan.month;
  if (plan.arrow < 0 && !(year == kFirstShownYear && month == 1)) {
    if (--month == 0) month = 12, --year;
  } else if (plan.arrow > 0 && !(year == kLastShownYear && month == 12)) {
    if (++month == 13) month = 1, ++year;
  }
  if (outcome.year != year || outcome.month != month)
    Fail("the month shown", std::to_string(outcome.year) + "-" + std::to_string(outcome.month));
  char title[32];
  std::snprintf(title, sizeof title, "%04d년%02d월", year, month);
  if (outcome.title != title) Fail("the title", outcome.title);
  const DrawnIndex drawn(outcome.lines);
  CheckCells(plan, outcome, drawn, entries);
  CheckPanel(plan, outcome, drawn, entries);
  g_painted = nullptr;
}
