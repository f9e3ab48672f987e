#include "platform/controls/date_time_text.h"


namespace {

std::u16string Number(int value, int width = 0) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
  return digits;
}

const char16_t* const kWeekdayLetters[7] = {u"일", u"월", u"화", u"수", u"목", u"금", u"토"};

int Wrap(int value, int low, int high) {
  int span = high - low + 1;
  return ((value - low) % span + span) % span + low;
}

// Reads exactly `count` digits at `at`.
bool Digits(const std::u16string& text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
    value = value * 10 + (text[i] - u'0');
  }
  return true;
}

}  // namespace

bool KpIsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int KpDaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && KpIsLeapYear(year) ? 29 : kDays[month - 1];
}

int KpDayOfWeek(int year, int month, int day) {
  // Sakamoto's method on the proleptic Gregorian calendar.
  static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

bool KpIsValidSystemTime(const SYSTEMTIME& time) {
  return time.wYear >= 1601 && time.wYear <= 30827 && time.wMonth >= 1 && time.wMonth <= 12 && time.wDay >= 1 &&
         time.wDay <= KpDaysInMonth(time.wYear, time.wMonth) && time.wHour < 24 && time.wMinute < 60 &&
         time.wSecond < 60 && time.wMilliseconds < 1000;
}

std::vector<KpDateTimePiece> KpLongDatePieces(const SYSTEMTIME& time) {
  return {{Number(time.wYear), KpDateField::Year},  {u"년 ", KpDateField::None},
          {Number(time.wMonth), KpDateField::Month}, {u"월 ", KpDateField::None},
          {Number(time.wDay), KpDateField::Day},     {u"일 ", KpDateField::None},
          {KpWeekdayLetter(KpDayOfWeek(time.wYear, time.wMonth, time.wDay)) + u"요일", KpDateField::None}};
}

std::vector<KpDateTimePiece> KpShortDatePieces(const SYSTEMTIME& time) {
  return {{Number(time.wYear, 4), KpDateField::Year}, {u"-", KpDateField::None},
          {Number(time.wMonth, 2), KpDateField::Month}, {u"-", KpDateField::None},
          {Number(time.wDay, 2), KpDateField::Day}};
}

std::vector<KpDateTimePiece> KpTimePieces(const SYSTEMTIME& time) {
  int hour12 = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
  return {{time.wHour < 12 ? u"오전" : u"오후", KpDateField::AmPm}, {u" ", KpDateField::None},
          {Number(hour12), KpDateField::Hour},                     {u":", KpDateField::None},
          {Number(time.wMinute, 2), KpDateField::Minute},           {u":", KpDateField::None},
          {Number(time.wSecond, 2), KpDateField::Second}};
}

std::u16string KpJoinPieces(const std::vector<KpDateTimePiece>& pieces) {
  std::u16string text;
  for (const auto& piece : pieces) text += piece.text;
  return text;
}

std::u16string KpMonthTitle(int year, int month) { return Number(year) + u"년 " + Number(month) + u"월"; }

std::u16string KpWeekdayLetter(int dayOfWeek) { return kWeekdayLetters[Wrap(dayOfWeek, 0, 6)]; }

void KpStepField(SYSTEMTIME& time, KpDateField field, int delta) {
  switch (field) {
    case KpDateField::Year: time.wYear = static_cast<WORD>(Wrap(time.wYear + delta, 1601, 9999)); break;
    case KpDateField::Month: time.wMonth = static_cast<WORD>(Wrap(time.wMonth + delta, 1, 12)); break;
    case KpDateField::Day: time.wDay = static_cast<WORD>(Wrap(time.wDay + delta, 1, KpDaysInMonth(time.wYear, time.wMonth))); break;
    case KpDateField::AmPm: time.wHour = static_cast<WORD>((time.wHour + 12) % 24); break;
    case KpDateField::Hour: time.wHour = static_cast<WORD>(Wrap(time.wHour + delta, 0, 23)); break;
    case KpDateField::Minute: time.wMinute = static_cast<WORD>(Wrap(time.wMinute + delta, 0, 59)); break;
    case KpDateField::Second: time.wSecond = static_cast<WORD>(Wrap(time.wSecond + delta, 0, 59)); break;
    case KpDateField::None: break;
  }
  // A year or month step may leave the day past the month's end.
  int last = KpDaysInMonth(time.wYear, time.wMonth);
  if (time.wDay > last) time.wDay = static_cast<WORD>(last);
  time.wDayOfWeek = static_cast<WORD>(KpDayOfWeek(time.wYear, time.wMonth, time.wDay));
}

bool KpParseScriptDate(const std::u16string& text, int& year, int& month, int& day) {
  if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return false;
  if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day)) return false;
  return year >= 1601 && month >= 1 && month <= 12 && day >= 1 && day <= KpDaysInMonth(year, month);
}

bool KpParseScriptTime(const std::u16string& text, int& hour, int& minute, int& second) {
  if (text.size() != 8 || text[2] != u':' || text[5] != u':') return false;
  if (!Digits(text, 0, 2, hour) || !Digits(text, 3, 2, minute) || !Digits(text, 6, 2, second)) return false;
  return hour < 24 && minute < 60 && second < 60;
}
