// One output line per converted date. Digits are appended by hand: a full-range run prints
// 74,145 lines and must stay under 50 ms (bench_calendar measures it).
#include "tools/lunar/lunar_lines.h"

#include "calendar/lunar_calendar.h"
#include "calendar/weekday_names.h"
#include "tools/lunar/cp949_names.h"

namespace lunar_tool {
namespace {

void AppendIsoDate(int year, int month, int day, std::string& out) {
  AppendNumber(year, 4, out);
  out += '-';
  AppendNumber(month, 2, out);
  out += '-';
  AppendNumber(day, 2, out);
}

void AppendKoreanDate(int year, int month, int day, std::string& out) {
  AppendNumber(year, 4, out);
  out += "년 ";
  AppendNumber(month, 2, out);
  out += "월 ";
  AppendNumber(day, 2, out);
  out += "일";
}

}  // namespace

void AppendNumber(int value, int width, std::string& out) {
  char digits[12];
  int count = 0;
  unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
  do {
    digits[count++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) out += '-';
  for (int i = count; i < width; ++i) out += '0';
  while (count) out += digits[--count];
}

Date NextDay(const Date& date) {
  if (date.day < DaysInSolarMonth(date.year, date.month)) return {date.year, date.month, date.day + 1};
  if (date.month < 12) return {date.year, date.month + 1, 1};
  return {date.year + 1, 1, 1};
}

bool AppendSolarLine(const Date& solar, bool tsv, std::string& out) {
  LunarDate lunar{};
  const bool converted = SolarToLunar(solar.year, solar.month, solar.day, &lunar) == 1;
  if (tsv) {
    AppendIsoDate(solar.year, solar.month, solar.day, out);
    if (!converted) {
      out += "\t-\n";
      return false;
    }
    out += '\t';
    AppendIsoDate(lunar.wLunarYear, lunar.byMonth, lunar.byDay, out);
    out += lunar.byLeap ? "\t1\t" : "\t0\t";
    AppendNumber(lunar.byWeekday, 1, out);
    out += '\t';
    AppendNumber(lunar.wDangunYear, 1, out);
    out += '\t';
    AppendNameAsUtf8(lunar.szYearGanji, out);
    out += '\t';
    AppendNameAsUtf8(lunar.szZodiac, out);
    out += '\t';
    AppendNameAsUtf8(lunar.szDayGanji, out);
    out += '\n';
    return true;
  }
  if (!converted) {
    AppendIsoDate(solar.year, solar.month, solar.day, out);
    out += " = 음력으로 바꿀 수 없는 날짜입니다 (양력 1841-01-23 ~ 2043-12-31만 바꿉니다)\n";
    return false;
  }
  AppendKoreanDate(solar.year, solar.month, solar.day, out);
  out += " (";
  AppendNameAsUtf8(lunar.szWeekday, out);
  out += ") = 음력 ";
  AppendKoreanDate(lunar.wLunarYear, lunar.byMonth, lunar.byDay, out);
  out += lunar.byLeap ? " (윤달) · " : " (평달) · ";
  AppendNameAsUtf8(lunar.szYearGanji, out);
  out += "년 (";
  AppendNameAsUtf8(lunar.szZodiac, out);
  out += ") · 일진 ";
  AppendNameAsUtf8(lunar.szDayGanji, out);
  out += "일 · 단기 ";
  AppendNumber(lunar.wDangunYear, 1, out);
  out += "년\n";
  return true;
}

bool AppendLunarLine(const Date& lunar, bool leap, bool tsv, std::string& out) {
  SolarDate solar{};
  const bool converted = LunarToSolar(lunar.year, lunar.month, lunar.day, leap ? 1 : 0, &solar) == 1;
  // The conversion serves the regular month when the asked-for leap month does not exist; say
  // which month was used rather than echo the request.
  const bool leapUsed = converted && leap && LunarMonthTable[lunar.year - 1841][lunar.month - 1] >= 3;
  if (tsv) {
    AppendIsoDate(lunar.year, lunar.month, lunar.day, out);
    if (!converted) {
      out += "\t-\n";
      return false;
    }
    out += leapUsed ? "\t1\t" : "\t0\t";
    AppendIsoDate(solar.wYear, solar.byMonth, solar.byDay, out);
    out += '\t';
    AppendNumber(solar.byWeekday, 1, out);
    out += '\n';
    return true;
  }
  out += "음력 ";
  if (!converted) {
    AppendIsoDate(lunar.year, lunar.month, lunar.day, out);
    out += leap ? " (윤달)" : "";
    out += " = 양력으로 바꿀 수 없는 날짜입니다 (음력 1841~2043년, 그 달의 날수 안에서만 바꿉니다)\n";
    return false;
  }
  AppendKoreanDate(lunar.year, lunar.month, lunar.day, out);
  out += leapUsed ? " (윤달) = " : leap ? " (평달: 이 달에는 윤달이 없습니다) = " : " (평달) = ";
  AppendKoreanDate(solar.wYear, solar.byMonth, solar.byDay, out);
  out += " (";
  out += WeekdayNameUtf8(solar.byWeekday);
  out += ")\n";
  return true;
}

long WriteSolarRange(const Date& first, const Date& last, bool tsv, std::FILE* file) {
  std::string buffer;
  buffer.reserve(1 << 16);
  long rejected = 0;
  for (Date d = first;; d = NextDay(d)) {
    if (!AppendSolarLine(d, tsv, buffer)) ++rejected;
    if (buffer.size() > (1 << 16) - 256) {
      // A failed write stops the range: the caller sees it on the stream (ferror).
      if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size()) return rejected;
      buffer.clear();
    }
    if (d.year == last.year && d.month == last.month && d.day == last.day) break;
  }
  std::fwrite(buffer.data(), 1, buffer.size(), file);
  return rejected;
}

}  // namespace lunar_tool
