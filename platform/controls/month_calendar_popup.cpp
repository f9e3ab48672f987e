// The date picker's drop-down month calendar: a title with arrows to the previous and next month,
// the weekday letters, and six weeks of days (Sunday first). A tap on a day sets the picker's date
// and closes the calendar; days of the neighbouring months show grey and can be chosen too.
#include <algorithm>

#include "platform/controls/date_time_picker.h"
#include "platform/controls/kp_control_draw.h"
#include "platform/controls/kp_dropdown.h"

namespace {

constexpr int kTitleHeight = 22;
constexpr int kWeekdayHeight = 16;
constexpr int kCellWidth = 24;
constexpr int kCellHeight = 18;
constexpr int kArrowWidth = 22;

class MonthCalendarPopup : public KpDropDown {
 public:
  using KpDropDown::KpDropDown;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) {
      LRESULT result = KpDropDown::Handle(message, wParam, lParam);
      if (KpDateTimePicker* picker = Picker()) {
        m_font = reinterpret_cast<HFONT>(picker->Handle(WM_GETFONT, 0, 0));
        m_year = picker->Value().wYear;
        m_month = picker->Value().wMonth;
      }
      return result;
    }
    return KpDropDown::Handle(message, wParam, lParam);
  }

 protected:
  void Paint(HDC dc, const RECT& client) override {
    KpFillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    RECT inner = client;
    KpDrawFieldBorder(dc, inner);
    int left = inner.left, top = inner.top, right = inner.right;
    SetBkMode(dc, TRANSPARENT);

    RECT title{left, top, right, top + kTitleHeight};
    KpFillSolid(dc, title, GetSysColor(COLOR_HIGHLIGHT));
    RECT previous{left, top, left + kArrowWidth, top + kTitleHeight};
    RECT next{right - kArrowWidth, top, right, top + kTitleHeight};
    KpDrawArrow(dc, previous, KpArrow::Left, 5, GetSysColor(COLOR_HIGHLIGHTTEXT));
    KpDrawArrow(dc, next, KpArrow::Right, 5, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    std::u16string heading = KpMonthTitle(m_year, m_month);
    DrawTextW(dc, heading.c_str(), static_cast<int>(heading.size()), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    int weekdayTop = top + kTitleHeight;
    for (int column = 0; column < 7; ++column) {
      RECT cell{left + column * kCellWidth, weekdayTop, left + (column + 1) * kCellWidth, weekdayTop + kWeekdayHeight};
      SetTextColor(dc, column == 0 ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
      std::u16string letter = KpWeekdayLetter(column);
      DrawTextW(dc, letter.c_str(), static_cast<int>(letter.size()), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    KpLine(dc, left + 2, weekdayTop + kWeekdayHeight - 1, right - 2, weekdayTop + kWeekdayHeight - 1,
           GetSysColor(COLOR_BTNSHADOW));

    KpDateTimePicker* picker = Picker();
    SYSTEMTIME today{};
    GetLocalTime(&today);
    for (int cellIndex = 0; cellIndex < 42; ++cellIndex) {
      int year, month, day;
      DateOfCell(cellIndex, year, month, day);
      RECT cell = CellRect(cellIndex);
      bool inMonth = month == m_month;
      bool chosen = picker && picker->Value().wYear == year && picker->Value().wMonth == month && picker->Value().wDay == day;
      if (chosen) KpFillSolid(dc, cell, GetSysColor(COLOR_HIGHLIGHT));
      if (today.wYear == year && today.wMonth == month && today.wDay == day) KpFrameSolid(dc, cell, RGB(255, 0, 0));
      COLORREF colour = !inMonth ? GetSysColor(COLOR_GRAYTEXT)
                        : chosen ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                        : cellIndex % 7 == 0 ? RGB(255, 0, 0)
                                             : GetSysColor(COLOR_WINDOWTEXT);
      SetTextColor(dc, colour);
      std::u16string number = std::u16string(day >= 10 ? 1 : 0, static_cast<char16_t>(u'0' + day / 10)) +
                              static_cast<char16_t>(u'0' + day % 10);
      DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }

  void Press(int x, int y) override {
    int top = 1;
    if (y >= top && y < top + kTitleHeight) {
      if (x < 1 + kArrowWidth) ChangeMonth(-1);
      else if (x >= Client().right - 1 - kArrowWidth) ChangeMonth(1);
      m_pressedCell = -1;
      return;
    }
    m_pressedCell = CellAt(x, y);
  }

  void Release(int x, int y) override {
    int cell = CellAt(x, y);
    if (cell < 0 || cell != m_pressedCell) return;
    int year, month, day;
    DateOfCell(cell, year, month, day);
    HWND self = m_hwnd;
    if (KpDateTimePicker* picker = Picker()) picker->ChooseDate(year, month, day);
    if (IsWindow(self) && KpControlOf(self) == this) Close();
  }

 private:
  KpDateTimePicker* Picker() const { return dynamic_cast<KpDateTimePicker*>(KpControlOf(Owner())); }

  void ChangeMonth(int delta) {
    int index = m_year * 12 + (m_month - 1) + delta;
    if (index / 12 < 1601 || index / 12 > 9999) return;
    m_year = index / 12;
    m_month = index % 12 + 1;
    Redraw();
  }

  // Cell 0 is the Sunday on or before the first of the month.
  void DateOfCell(int cell, int& year, int& month, int& day) const {
    int offset = cell - KpDayOfWeek(m_year, m_month, 1);
    year = m_year;
    month = m_month;
    day = 1 + offset;
    if (day < 1) {
      month = m_month == 1 ? 12 : m_month - 1;
      year = m_month == 1 ? m_year - 1 : m_year;
      day += KpDaysInMonth(year, month);
    } else if (day > KpDaysInMonth(m_year, m_month)) {
      day -= KpDaysInMonth(m_year, m_month);
      month = m_month == 12 ? 1 : m_month + 1;
      year = m_month == 12 ? m_year + 1 : m_year;
    }
  }

  RECT CellRect(int cell) const {
    int left = 1 + (cell % 7) * kCellWidth;
    int top = 1 + kTitleHeight + kWeekdayHeight + (cell / 7) * kCellHeight;
    return RECT{left, top, left + kCellWidth, top + kCellHeight};
  }

  int CellAt(int x, int y) const {
    int column = (x - 1) / kCellWidth;
    int row = (y - 1 - kTitleHeight - kWeekdayHeight);
    if (x < 1 || column > 6 || row < 0) return -1;
    row /= kCellHeight;
    return row < 6 ? row * 7 + column : -1;
  }

  int m_year = 2000;
  int m_month = 1;
  int m_pressedCell = -1;
};

const ATOM kRegistered = KpRegisterControlClass(KpDateTimePicker::kCalendarClass, KpControlWindowProc<MonthCalendarPopup>);

}  // namespace
