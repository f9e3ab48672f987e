#include "platform/controls/date_time_picker.h"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/kp_control_draw.h"
#include "platform/controls/kp_dropdown.h"

namespace {

constexpr int kButtonWidth = 16;
constexpr int kTextMargin = 3;
constexpr int kCalendarWidth = 7 * 24 + 2;
constexpr int kCalendarHeight = 2 + 22 + 16 + 6 * 18 + 2;

}  // namespace

std::vector<KpDateTimePiece> KpDateTimePicker::Pieces() const {
  if (IsTime()) return KpTimePieces(m_value);
  if (!(Style() & DTS_LONGDATEFORMAT)) return KpShortDatePieces(m_value);
  std::vector<KpDateTimePiece> pieces = KpLongDatePieces(m_value);
  // A picker too narrow for the weekday shows the whole date without it, rather than a weekday
  // cut off under the drop-down button.
  KpTextMeasure measure(m_hwnd, Font());
  RECT area = TextArea();
  if (pieces.size() > 1 && measure.Width(KpJoinPieces(pieces)) > area.right - area.left) {
    pieces.pop_back();
    pieces.back().text = std::u16string(u"일");
  }
  return pieces;
}

RECT KpDateTimePicker::ButtonArea() const {
  RECT client = Client();
  return RECT{client.right - 1 - kButtonWidth, client.top + 1, client.right - 1, client.bottom - 1};
}

RECT KpDateTimePicker::TextArea() const {
  RECT client = Client();
  return RECT{client.left + 1 + kTextMargin, client.top + 1, ButtonArea().left - 1, client.bottom - 1};
}

KpDateField KpDateTimePicker::FieldAt(int x) const {
  KpTextMeasure measure(m_hwnd, Font());
  int left = TextArea().left;
  KpDateField nearest = KpDateField::None;
  int nearestDistance = 1 << 30;
  for (const auto& piece : Pieces()) {
    int width = measure.Width(piece.text);
    if (piece.field != KpDateField::None) {
      if (x >= left && x < left + width) return piece.field;
      int distance = std::min(std::abs(x - left), std::abs(x - (left + width)));
      if (distance < nearestDistance) {
        nearestDistance = distance;
        nearest = piece.field;
      }
    }
    left += width;
  }
  return nearest;
}

void KpDateTimePicker::UserChanged(const SYSTEMTIME& value) {
  m_value = value;
  m_value.wDayOfWeek = static_cast<WORD>(KpDayOfWeek(m_value.wYear, m_value.wMonth, m_value.wDay));
  Redraw();
  NMDATETIMECHANGE change{};
  change.dwFlags = GDT_VALID;
  change.st = m_value;
  NotifyParent(&change.nmhdr, DTN_DATETIMECHANGE);
}

void KpDateTimePicker::ChooseDate(int year, int month, int day) {
  SYSTEMTIME value = m_value;
  value.wYear = static_cast<WORD>(year);
  value.wMonth = static_cast<WORD>(month);
  value.wDay = static_cast<WORD>(day);
  if (!KpIsValidSystemTime(value)) return;
  UserChanged(value);
}

void KpDateTimePicker::Step(int delta) {
  if (m_field == KpDateField::None) m_field = IsTime() ? KpDateField::Hour : KpDateField::Day;
  SYSTEMTIME value = m_value;
  KpStepField(value, m_field, delta);
  UserChanged(value);
}

std::vector<KpDateField> KpDateTimePicker::NumberFields() const {
  std::vector<KpDateField> fields;
  for (const auto& piece : Pieces())
    if (piece.field != KpDateField::None && piece.field != KpDateField::AmPm) fields.push_back(piece.field);
  return fields;
}

namespace {

// The largest value a field takes (the day: in the month shown), and its digits when typed whole.
int FieldMaximum(const SYSTEMTIME& value, KpDateField field) {
  switch (field) {
    case KpDateField::Year: return 9999;
    case KpDateField::Month: return 12;
    case KpDateField::Day: return KpDaysInMonth(value.wYear, value.wMonth);
    case KpDateField::Hour: return 23;
    default: return 59;
  }
}

int FieldMinimum(KpDateField field) {
  if (field == KpDateField::Year) return 1601;
  return field == KpDateField::Month || field == KpDateField::Day ? 1 : 0;
}

void SetField(SYSTEMTIME& value, KpDateField field, int number) {
  switch (field) {
    case KpDateField::Year: value.wYear = static_cast<WORD>(number); break;
    case KpDateField::Month: value.wMonth = static_cast<WORD>(number); break;
    case KpDateField::Day: value.wDay = static_cast<WORD>(number); break;
    case KpDateField::Hour: value.wHour = static_cast<WORD>(number); break;
    case KpDateField::Minute: value.wMinute = static_cast<WORD>(number); break;
    case KpDateField::Second: value.wSecond = static_cast<WORD>(number); break;
    default: break;
  }
  // A new year or month keeps the day inside the month, as the up-down buttons do.
  const int days = KpDaysInMonth(value.wYear, value.wMonth);
  if (value.wDay > days) value.wDay = static_cast<WORD>(days);
}

}  // namespace

// Digits fill the selected field as on a desktop: "1", "9" makes 19 in the hour; the field is
// complete when it has its digits (four for the year) or no further digit could fit, and the
// selection moves on to the next field. A digit that would make no valid value starts the field
// afresh with itself.
void KpDateTimePicker::TypeDigit(int digit) {
  std::vector<KpDateField> fields = NumberFields();
  if (fields.empty()) return;
  if (std::find(fields.begin(), fields.end(), m_field) == fields.end()) {
    m_field = IsTime() ? KpDateField::Hour : fields.front();
    m_typedDigits = 0;
  }
  const bool year = m_field == KpDateField::Year;
  const int maximum = FieldMaximum(m_value, m_field);
  int number = m_typedDigits > 0 ? m_typedValue * 10 + digit : digit;
  int digits = m_typedDigits > 0 ? m_typedDigits + 1 : 1;
  if (!year && number > maximum) {
    number = digit;
    digits = 1;
  }
  m_typedValue = number;
  m_typedDigits = digits;
  const bool complete = year ? digits == 4 : (digits == 2 || number * 10 > maximum);
  if (!year || complete) {
    if (number >= FieldMinimum(m_field) && number <= maximum) {
      SYSTEMTIME value = m_value;
      SetField(value, m_field, number);
      if (KpIsValidSystemTime(value)) UserChanged(value);
    } else if (complete) {
      m_typedDigits = 0;   // a year before 1601 or a month 0: nothing set, type it again
      Redraw();
      return;
    }
  }
  if (!complete) return;
  m_typedDigits = 0;
  auto at = std::find(fields.begin(), fields.end(), m_field);
  if (at + 1 != fields.end()) m_field = *(at + 1);
  Redraw();
}

void KpDateTimePicker::OpenCalendar() {
  if (m_calendar) return;
  m_calendar = KpOpenDropDown(kCalendarClass, m_hwnd, kCalendarWidth, kCalendarHeight, (Style() & DTS_RIGHTALIGN) != 0);
  Redraw();
}

LRESULT KpDateTimePicker::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      GetLocalTime(&m_value);
      m_value.wMilliseconds = 0;
      return KpControl::Handle(message, wParam, lParam);
    case DTM_GETSYSTEMTIME:
      if (!lParam) return GDT_ERROR;
      *reinterpret_cast<SYSTEMTIME*>(lParam) = m_value;
      return GDT_VALID;
    case DTM_SETSYSTEMTIME: {
      if (wParam != GDT_VALID || !lParam) return FALSE;
      SYSTEMTIME value = *reinterpret_cast<const SYSTEMTIME*>(lParam);
      if (!KpIsValidSystemTime(value)) return FALSE;
      value.wDayOfWeek = static_cast<WORD>(KpDayOfWeek(value.wYear, value.wMonth, value.wDay));
      m_value = value;
      Redraw();
      return TRUE;
    }
    case WM_GETDLGCODE:
      // While its calendar is open, Escape closes the calendar rather than the dialog.
      return DLGC_WANTCHARS | (m_calendar && wParam == VK_ESCAPE ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      m_focused = message == WM_SETFOCUS;
      m_typedDigits = 0;
      // The focus shows as a selected field, so one is selected from the start.
      std::vector<KpDateField> fields = NumberFields();
      if (m_focused && m_field == KpDateField::None && !fields.empty())
        m_field = IsTime() ? KpDateField::Hour : fields.front();
      Redraw();
      return 0;
    }
    case WM_CHAR:
      if (wParam >= u'0' && wParam <= u'9' && IsWindowEnabled(m_hwnd)) TypeDigit(static_cast<int>(wParam - u'0'));
      return 0;
    case WM_LBUTTONDOWN: {
      if (!IsWindowEnabled(m_hwnd)) return 0;
      if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
      int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      RECT button = ButtonArea();
      if (x >= button.left) {
        if (HasUpDown()) {
          m_pressedButton = y < (button.top + button.bottom) / 2 ? 1 : -1;
          SetCapture(m_hwnd);
          Step(m_pressedButton);
        } else {
          OpenCalendar();
        }
        return 0;
      }
      m_field = FieldAt(x);
      m_typedDigits = 0;
      Redraw();
      if (!HasUpDown()) OpenCalendar();
      return 0;
    }
    case WM_LBUTTONUP:
      if (m_pressedButton) {
        m_pressedButton = 0;
        if (GetCapture() == m_hwnd) ReleaseCapture();
        Redraw();
      }
      return 0;
    case WM_KEYDOWN:
      // Another field, or a field stepped: the next digit starts afresh.
      if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_LEFT || wParam == VK_RIGHT) m_typedDigits = 0;
      switch (wParam) {
        case VK_UP: Step(1); break;
        case VK_DOWN: Step(-1); break;
        case VK_ESCAPE: if (m_calendar) DestroyWindow(m_calendar); break;
        case VK_LEFT:
        case VK_RIGHT: {
          std::vector<KpDateField> fields;
          for (const auto& piece : Pieces())
            if (piece.field != KpDateField::None) fields.push_back(piece.field);
          auto at = std::find(fields.begin(), fields.end(), m_field);
          int index = at == fields.end() ? 0 : static_cast<int>(at - fields.begin()) + (wParam == VK_LEFT ? -1 : 1);  // none: the first
          m_field = fields[static_cast<size_t>(std::clamp<int>(index, 0, static_cast<int>(fields.size()) - 1))];
          Redraw();
          break;
        }
        default: break;
      }
      return 0;
    case KPM_DROPDOWN_CLOSED:
      if (reinterpret_cast<HWND>(lParam) == m_calendar) {
        m_calendar = nullptr;
        Redraw();
      }
      return 0;
    case WM_DESTROY:
      if (m_calendar) DestroyWindow(m_calendar);
      return 0;
    case KPM_SCRIPT_SET: {
      auto* value = reinterpret_cast<LPCWSTR>(lParam);
      if (!value) return FALSE;
      if (IsTime()) {
        int hour, minute, second;
        if (!KpParseScriptTime(value, hour, minute, second)) return FALSE;
        SYSTEMTIME time = m_value;
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        time.wSecond = static_cast<WORD>(second);
        UserChanged(time);
        return TRUE;
      }
      int year, month, day;
      if (!KpParseScriptDate(value, year, month, day) || year > 9999) return FALSE;
      ChooseDate(year, month, day);
      return TRUE;
    }
    default:
      return KpControl::Handle(message, wParam, lParam);
  }
}

void KpDateTimePicker::Paint(HDC dc, const RECT& client) {
  bool enabled = IsWindowEnabled(m_hwnd);
  PaintField(dc, client);
  COLORREF textColour = GetTextColor(dc);

  RECT button = ButtonArea();
  COLORREF arrow = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
  if (HasUpDown()) {
    int middle = (button.top + button.bottom) / 2;
    RECT up{button.left, button.top, button.right, middle};
    RECT down{button.left, middle, button.right, button.bottom};
    KpDrawButtonFace(dc, up, m_pressedButton == 1, false);
    KpDrawButtonFace(dc, down, m_pressedButton == -1, false);
    KpDrawArrow(dc, up, KpArrow::Up, 3, arrow);
    KpDrawArrow(dc, down, KpArrow::Down, 3, arrow);
  } else {
    KpDrawButtonFace(dc, button, m_calendar != nullptr, false);
    KpDrawArrow(dc, button, KpArrow::Down, 4, arrow);
  }

  // The whole text in one piece, then the selected field over it, highlighted.
  std::vector<KpDateTimePiece> pieces = Pieces();
  std::u16string text = KpJoinPieces(pieces);
  RECT area = TextArea();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (!m_focused || !enabled || m_field == KpDateField::None) return;
  KpTextMeasure measure(m_hwnd, Font());
  int left = area.left;
  for (const auto& piece : pieces) {
    int width = measure.Width(piece.text);
    if (piece.field == m_field) {
      int lineHeight = measure.LineHeight();
      int top = (area.top + area.bottom - lineHeight) / 2;
      RECT box{left, std::max<int>(top, area.top), std::min<int>(left + width, area.right), std::min<int>(top + lineHeight, area.bottom)};
      KpFillSolid(dc, box, GetSysColor(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      RECT pieceArea{left, area.top, left + width + 1, area.bottom};
      DrawTextW(dc, piece.text.c_str(), static_cast<int>(piece.text.size()), &pieceArea,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      break;
    }
    left += width;
  }
}

namespace {
const ATOM kRegistered = KpRegisterControlClass(DATETIMEPICK_CLASSW, KpControlWindowProc<KpDateTimePicker>);
}  // namespace
