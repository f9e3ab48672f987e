// Painting of the Today item: the lunar line with the moon, the coming entries, the D-day line.
#include <cstring>

#include "today/coming_marks.h"
#include "today/item_lines.h"
#include "today/item_window.h"
#include "today/occurrences.h"
#include "today/today_settings.h"
#include "wingdi.h"

namespace {

constexpr UINT kLineFormat = DT_END_ELLIPSIS | DT_VCENTER;

// The text font: the system font's face at the size the shell uses for the Today screen's own
// lines in this language. The size in pixels is applied as the character height.
HFONT CreateItemFont(HDC dc) {
  LOGFONTW font;
  std::memset(&font, 0, sizeof(font));
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), &font);
  WORD language = PRIMARYLANGID(GetUserDefaultLangID());
  bool eastAsian = language == LANG_CHINESE || language == LANG_JAPANESE || language == LANG_KOREAN;
  int points = eastAsian ? 9 : 8;
  font.lfWeight = eastAsian ? FW_NORMAL : FW_BOLD;
  font.lfHeight = -(LONG)(GetDeviceCaps(dc, LOGPIXELSY) * points / 72.0 + 0.5);
  return CreateFontIndirectW(&font);
}

void DrawLine(HDC dc, HICON marker, int y, int right, LPCWSTR text) {
  DrawIconEx(dc, ScaleX(23), y + ScaleY(3), marker, 0, 0, 0, nullptr, DI_NORMAL);
  RECT rc = {ScaleX(38), y, right, y + ScaleY(20)};
  DrawTextW(dc, text, -1, &rc, kLineFormat);
}

void FormatOccurrence(const Occurrence& occurrence, WCHAR (&line)[100]) {
  ComingLineText(g_entries[occurrence.nEntry], occurrence.nDay, g_nToday, line);
}

void FormatMark(const ComingMark& mark, WCHAR (&line)[100]) {
  MarkLineText(mark.name.c_str(), mark.nMinute, mark.nDay, g_nToday, line);
}

// Whether the next mark comes before the next entry: an earlier day, or on the same day a holiday
// or a term whose time is earlier.
bool MarkComesFirst(const ComingMark& mark, const Occurrence& occurrence) {
  if (mark.nDay != occurrence.nDay) return mark.nDay < occurrence.nDay;
  const ScheduleEntry& entry = g_entries[occurrence.nEntry];
  return mark.nMinute < entry.wHour * 60 + entry.wMinute;
}

// The D-day line of the entry the settings name; none when they name no entry.
bool FormatDday(WCHAR (&title)[11], WCHAR (&ending)[90]) {
  INT index = g_settings.nDdayEntry;
  if (index < 0 || (size_t)index >= g_entries.size()) return false;
  return DdayTexts(g_entries[index], g_nToday, title, ending);
}

int TextWidth(HDC dc, LPCWSTR text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  return size.cx;
}

// The D-day sentence as it fits `width`: the count and the sentence's ending are what the line is
// for, so a title too long for the row is shortened with "…" (whole characters only) instead.
void FitDday(HDC dc, int width, const WCHAR (&title)[11], const WCHAR (&ending)[90], WCHAR (&line)[100]) {
  wsprintfW(line, u"%s%s", title, ending);
  if (TextWidth(dc, line) <= width) return;
  for (int keep = lstrlenW(title) - 1; keep >= 0; --keep) {
    if (keep > 0 && IS_HIGH_SURROGATE(title[keep - 1])) continue;
    WCHAR head[11];
    lstrcpynW(head, title, keep + 1);
    wsprintfW(line, u"%s…%s", head, ending);
    if (TextWidth(dc, line) <= width) return;
  }
}

void PaintLunarLine(HDC dc, int right) {
  WCHAR line[100];
  LunarLineText(g_lunarToday, line);
  RECT rc = {ScaleX(28), 0, right, ScaleY(20)};
  DrawTextW(dc, line, -1, &rc, DT_VCENTER);
  int phase = MoonPhaseShown();
  if (phase >= 0) DrawIconEx(dc, ScaleX(203), ScaleY(5), g_hMoonIcons[phase], 0, 0, 0, nullptr, DI_NORMAL);
}

void PaintScheduleLines(HDC dc, int& y, int right) {
  int lines = g_settings.nListCount + 1;
  if (lines < 1) lines = 1;
  size_t next = g_nFirst < 0 ? g_occurrences.size() : (size_t)g_nFirst;
  size_t nextMark = g_bShowHolidayMarks ? 0 : g_comingMarks.size();
  for (int k = 0; k < lines; ++k) {
    WCHAR line[100];
    const bool entryLeft = next < g_occurrences.size(), markLeft = nextMark < g_comingMarks.size();
    if (markLeft && (!entryLeft || MarkComesFirst(g_comingMarks[nextMark], g_occurrences[next])))
      FormatMark(g_comingMarks[nextMark++], line);
    else if (entryLeft)
      FormatOccurrence(g_occurrences[next++], line);
    else
      NoMoreLineText(line);
    DrawLine(dc, k == 0 ? g_hFirstIcon : g_hNextIcon, y, right, line);
    y += ScaleY(20);
  }
}

}  // namespace

int MoonPhaseShown() {
  if (g_bAnimating) return g_nFrame;
  int day = g_lunarToday.byDay;
  // Outside the calendar's years there is no lunar day and so no moon to show.
  if (day < 1 || day > MOON_PHASES) return -1;
  return day - 1;
}

void PaintItem(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  RECT rcWindow;
  GetClientRect(window, &rcWindow);
  int right = rcWindow.right;
  DrawIconEx(dc, 2, 2, g_hItemIcon, 0, 0, 0, nullptr, DI_NORMAL);
  HFONT font = CreateItemFont(dc);
  HGDIOBJ previousFont = SelectObject(dc, font);
  SetTextColor(dc, (COLORREF)SendMessageW(GetParent(window), TODAYM_GETCOLOR, TODAYCOLOR_TEXT, 0));

  int y = 0;
  if (g_settings.nLunarLine == 0) {
    PaintLunarLine(dc, right);
    y = ScaleY(20);
  }
  if (g_nFirst != -1 || (g_bShowHolidayMarks && !g_comingMarks.empty())) {
    PaintScheduleLines(dc, y, right);
    WCHAR title[11];
    WCHAR ending[90];
    if (g_settings.nDdayLine == 0 && FormatDday(title, ending)) {
      WCHAR line[100];
      FitDday(dc, right - ScaleX(38), title, ending, line);
      DrawLine(dc, g_hDdayIcon, y, right, line);
    }
  }
  SelectObject(dc, previousFont);
  DeleteObject(font);
  EndPaint(window, &paint);
}

void FormatOccurrenceLine(const Occurrence& occurrence, WCHAR (&line)[100]) { FormatOccurrence(occurrence, line); }
