// The month grid: a title, the weekday header, then two rows per week (solar days, lunar
// month.day). A leap month's days carry "윤". Cells are 8 columns wide on a terminal where a
// Hangul syllable takes two columns, so "윤10.28" still leaves a space before it.
#include "tools/lunar/lunar_month_grid.h"

#include "calendar/lunar_calendar.h"
#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"
#include "calendar/weekday_names.h"
#include "tools/lunar/lunar_lines.h"

namespace lunar_tool {
namespace {

constexpr int kCellWidth = 8;

// Appends text right-aligned in a cell; `columns` is the width the text takes on a terminal.
void AppendCell(const std::string& text, int columns, std::string& out) {
  out.append(columns < kCellWidth ? kCellWidth - columns : 0, ' ');
  out += text;
}

std::string LunarLabel(const LunarDate& lunar, int& columns) {
  std::string label;
  if (lunar.byLeap) label += "윤";
  AppendNumber(lunar.byMonth, 1, label);
  label += '.';
  AppendNumber(lunar.byDay, 1, label);
  columns = static_cast<int>(label.size()) - (lunar.byLeap ? 1 : 0);  // 윤: 3 bytes, 2 columns
  return label;
}

void TrimRight(std::string& out) {
  while (!out.empty() && out.back() == ' ') out.pop_back();
}

// The lines under the grid that name the month's holidays and terms.
std::string MarksLegend(int year, int month, MonthMarks marks) {
  std::string legend;
  if (marks.holidays) {
    std::string list;
    for (const calendar::PublicHoliday& h : calendar::PublicHolidaysOfYear(year)) {
      if (h.month != month) continue;
      list += list.empty() ? "" : ", ";
      AppendNumber(h.day, 1, list);
      list += ' ' + h.name;
    }
    if (!list.empty()) legend += "(*: 공휴일) " + list + '\n';
  }
  if (marks.terms) {
    std::string list;
    for (const calendar::SolarTerm& t : calendar::SolarTermsOfYear(year)) {
      if (t.month != month) continue;
      list += list.empty() ? "" : ", ";
      AppendNumber(t.day, 1, list);
      list += ' ';
      list += calendar::SolarTermName(t.index);
      list += ' ';
      AppendNumber(t.hour, 2, list);
      list += ':';
      AppendNumber(t.minute, 2, list);
    }
    if (!list.empty()) legend += "(절기) " + list + '\n';
  }
  return legend;
}

bool IsHoliday(const std::vector<calendar::PublicHoliday>& holidays, int month, int day) {
  for (const calendar::PublicHoliday& h : holidays)
    if (h.month == month && h.day == day) return true;
  return false;
}

}  // namespace

bool AppendMonthGrid(int year, int month, std::string& out, int markedDay, MonthMarks marks) {
  const std::vector<calendar::PublicHoliday> holidays =
      marks.holidays ? calendar::PublicHolidaysOfYear(year) : std::vector<calendar::PublicHoliday>{};
  const int days = DaysInSolarMonth(year, month);
  const int firstWeekday = SolarWeekday(year, month, 1);
  bool complete = true, anyLeap = false;

  std::string title;
  AppendNumber(year, 4, title);
  title += "년 ";
  AppendNumber(month, 2, title);
  title += "월";
  out.append((7 * kCellWidth - 12) / 2, ' ');  // the title is 12 columns wide
  out += title;
  out += '\n';
  for (int weekday = 0; weekday < 7; ++weekday) AppendCell(WeekdayNameUtf8(weekday), 2, out);
  out += '\n';

  for (int weekStart = 1 - firstWeekday; weekStart <= days; weekStart += 7) {
    std::string solarRow, lunarRow;
    for (int column = 0; column < 7; ++column) {
      const int day = weekStart + column;
      if (day < 1 || day > days) {
        AppendCell("", 0, solarRow);
        AppendCell("", 0, lunarRow);
        continue;
      }
      std::string number;
      AppendNumber(day, 1, number);
      if (IsHoliday(holidays, month, day)) number += '*';
      const int columns = static_cast<int>(number.size());
      // The escape sequences take no columns on the terminal.
      if (day == markedDay) number = "\033[7m" + number + "\033[27m";
      AppendCell(number, columns, solarRow);
      LunarDate lunar{};
      const int term = marks.terms ? calendar::SolarTermOn(year, month, day) : -1;
      if (term >= 0) {
        AppendCell(calendar::SolarTermName(term), 4, lunarRow);  // two syllables, four columns
        if (SolarToLunar(year, month, day, &lunar)) anyLeap = anyLeap || lunar.byLeap;
      } else if (SolarToLunar(year, month, day, &lunar)) {
        int columns = 0;
        const std::string label = LunarLabel(lunar, columns);
        AppendCell(label, columns, lunarRow);
        anyLeap = anyLeap || lunar.byLeap;
      } else {
        AppendCell("-", 1, lunarRow);
        complete = false;
      }
    }
    TrimRight(solarRow);
    TrimRight(lunarRow);
    out += solarRow + '\n' + lunarRow + '\n';
  }
  out += MarksLegend(year, month, marks);
  if (anyLeap) out += "(윤: 윤달)\n";
  if (!complete) out += "(-: 음력 변환 범위 밖, 양력 1841-01-23 ~ 2043-12-31)\n";
  return complete;
}

}  // namespace lunar_tool
