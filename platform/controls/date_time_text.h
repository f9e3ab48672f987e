#pragma once
// Dates and times as the date and time picker shows them in Korean, split into the fields a tap
// can select, and the script's value forms. No window here.
#include <string>
#include <vector>

#include "winbase.h"

// Gregorian: divisible by 4 and not by 100, or by 400.
bool KpIsLeapYear(int year);
// Month 1..12.
int KpDaysInMonth(int year, int month);
// 0 = Sunday .. 6 = Saturday.
int KpDayOfWeek(int year, int month, int day);
// Whether year (1601..30827), month, day, hour, minute and second name a real moment.
bool KpIsValidSystemTime(const SYSTEMTIME& time);

enum class KpDateField { None = -1, Year, Month, Day, AmPm, Hour, Minute, Second };

struct KpDateTimePiece {
  std::u16string text;
  KpDateField field;  // the field this piece shows, or None for the words between
};

// "2007년 12월 8일 토요일"
std::vector<KpDateTimePiece> KpLongDatePieces(const SYSTEMTIME& time);
// "2007-12-08"
std::vector<KpDateTimePiece> KpShortDatePieces(const SYSTEMTIME& time);
// "오전 9:30:00" (12-hour clock, 0 h is 12 오전, 12 h is 12 오후)
std::vector<KpDateTimePiece> KpTimePieces(const SYSTEMTIME& time);
std::u16string KpJoinPieces(const std::vector<KpDateTimePiece>& pieces);
// "2007년 12월": the month calendar's title.
std::u16string KpMonthTitle(int year, int month);
// "일" .. "토"
std::u16string KpWeekdayLetter(int dayOfWeek);

// Steps one field up (+1) or down (-1), wrapping inside the field without carrying into the next
// (as the platform's up-down buttons do); the day is kept inside the month.
void KpStepField(SYSTEMTIME& time, KpDateField field, int delta);

// "YYYY-MM-DD" and "HH:MM:SS" (the script's forms); false for anything else or an impossible value.
bool KpParseScriptDate(const std::u16string& text, int& year, int& month, int& day);
bool KpParseScriptTime(const std::u16string& text, int& hour, int& minute, int& second);
