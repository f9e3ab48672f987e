#pragma once
// "SysDateTimePick32": a date (long or short format, with a drop-down month calendar) or a time
// (with up-down buttons), starting at the current local time. A tap selects the field under it;
// the up-down buttons and the arrow keys change the selected field; digits typed set it (moving on
// to the next field once it is complete); a day tapped in the calendar sets the date. The first
// number field is selected when the picker takes the focus. Every change by the user sends
// DTN_DATETIMECHANGE.
#include <vector>

#include "platform/controls/date_time_text.h"
#include "platform/controls/kp_control.h"

class KpDateTimePicker : public KpControl {
 public:
  using KpControl::KpControl;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  const SYSTEMTIME& Value() const { return m_value; }
  // The user chose a date (in the calendar, or the script): keeps the time of day.
  void ChooseDate(int year, int month, int day);

  static constexpr LPCWSTR kCalendarClass = u"KpMonthCalendar";

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  bool IsTime() const { return (Style() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }
  bool HasUpDown() const { return (Style() & DTS_UPDOWN) != 0; }
  std::vector<KpDateTimePiece> Pieces() const;
  RECT ButtonArea() const;
  RECT TextArea() const;
  // The field whose text lies under x, or the nearest one.
  KpDateField FieldAt(int x) const;
  void Step(int delta);
  void UserChanged(const SYSTEMTIME& value);
  void OpenCalendar();
  // The fields that take numbers, in the order shown.
  std::vector<KpDateField> NumberFields() const;
  void TypeDigit(int digit);

  SYSTEMTIME m_value{};
  KpDateField m_field = KpDateField::None;
  HWND m_calendar = nullptr;
  bool m_focused = false;
  int m_pressedButton = 0;  // +1 up, -1 down while held
  int m_typedValue = 0;     // the digits typed into the selected field so far, as a number
  int m_typedDigits = 0;    // how many (0: the next digit starts the field afresh)
};
