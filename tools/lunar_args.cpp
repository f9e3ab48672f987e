// Parsing of kalmeno-lunar's arguments. Every refusal names the offending argument and says
// what would have been accepted, in one line.
#include "tools/lunar_args.h"

#include <string_view>

#include "calendar/lunar_calendar.h"

namespace lunar_tool {
namespace {

constexpr const char* kDateForm = "YYYY-MM-DD, 예: 2026-12-07";

// Reads a run of 1..maxDigits decimal digits at text[pos], advancing pos.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value) {
  size_t start = pos;
  value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < size_t(maxDigits))
    value = value * 10 + (text[pos++] - '0');
  return pos > start;
}

// Splits "Y-M-D" (or "Y-M" when wantDay is false) into numbers; false if it is not that shape.
bool SplitDate(std::string_view text, bool wantDay, Date& date) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, date.year) || pos >= text.size() || text[pos++] != '-') return false;
  if (!ReadNumber(text, pos, 2, date.month)) return false;
  if (wantDay) {
    if (pos >= text.size() || text[pos++] != '-' || !ReadNumber(text, pos, 2, date.day)) return false;
  }
  return pos == text.size();
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// Fills `date` from a solar date argument, or returns what is wrong with it.
std::string ParseSolarDate(std::string_view text, Date& date) {
  if (!SplitDate(text, true, date)) return Quoted(text) + "은(는) 날짜 형식이 아닙니다 (" + kDateForm + ")";
  if (date.year < 1) return Quoted(text) + ": 연도는 1 이상이어야 합니다 (" + kDateForm + ")";
  if (date.month < 1 || date.month > 12) return Quoted(text) + ": 월은 1~12입니다 (" + kDateForm + ")";
  const int days = DaysInSolarMonth(date.year, date.month);
  if (date.day < 1 || date.day > days)
    return Quoted(text) + ": " + std::to_string(date.year) + "년 " + std::to_string(date.month) + "월은 1~" +
           std::to_string(days) + "일입니다 (" + kDateForm + ")";
  return {};
}

std::string ParseLunarDate(std::string_view text, Date& date) {
  if (!SplitDate(text, true, date))
    return Quoted(text) + "은(는) 음력 날짜 형식이 아닙니다 (YYYY-MM-DD, 예: 2026-10-28)";
  if (date.month < 1 || date.month > 12) return Quoted(text) + ": 음력 월은 1~12입니다 (YYYY-MM-DD)";
  if (date.day < 1 || date.day > 30) return Quoted(text) + ": 음력 일은 1~30입니다 (YYYY-MM-DD)";
  return {};
}

std::string ParseMonth(std::string_view text, Date& date) {
  if (!SplitDate(text, false, date)) return Quoted(text) + "은(는) 월 형식이 아닙니다 (YYYY-MM, 예: 2026-12)";
  if (date.year < 1) return Quoted(text) + ": 연도는 1 이상이어야 합니다 (YYYY-MM)";
  if (date.month < 1 || date.month > 12) return Quoted(text) + ": 월은 1~12입니다 (YYYY-MM, 예: 2026-12)";
  date.day = 1;
  return {};
}

bool Before(const Date& a, const Date& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

Arguments Refuse(std::string message) {
  Arguments result;
  result.mode = Mode::UsageError;
  result.error = std::move(message);
  return result;
}

}  // namespace

Arguments ParseArguments(int argc, const char* const* argv) {
  Arguments result;
  bool lunar = false, month = false;
  const char* lunarText = nullptr;
  const char* monthText = nullptr;
  const char* solarTexts[2] = {nullptr, nullptr};
  int solarCount = 0;

  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
    if (arg == "--help" || arg == "-h") {
      result.mode = Mode::Help;
      return result;
    } else if (arg == "--tsv") {
      result.tsv = true;
    } else if (arg == "--leap") {
      result.leap = true;
    } else if (arg == "--lunar" || arg == "--month") {
      const bool isLunar = arg == "--lunar";
      if ((isLunar && lunar) || (!isLunar && month)) return Refuse(std::string(arg) + "이(가) 두 번 주어졌습니다");
      if (i + 1 >= argc || !argv[i + 1] || argv[i + 1][0] == '\0' || std::string_view(argv[i + 1]).starts_with("--"))
        return Refuse(std::string(arg) + " 다음에 " + (isLunar ? "YYYY-MM-DD 형식의 음력 날짜가" : "YYYY-MM 형식의 월이") +
                      " 필요합니다");
      (isLunar ? lunar : month) = true;
      (isLunar ? lunarText : monthText) = argv[++i];
    } else if (arg.starts_with("-") && arg.size() > 1 && !(arg[1] >= '0' && arg[1] <= '9')) {
      return Refuse("알 수 없는 옵션 " + Quoted(arg) + " (옵션: --tsv, --lunar YYYY-MM-DD [--leap], --month YYYY-MM, --help)");
    } else {
      if (solarCount == 2) return Refuse("양력 날짜는 두 개까지 받습니다 (시작일과 종료일): " + Quoted(arg));
      solarTexts[solarCount++] = argv[i] ? argv[i] : "";
    }
  }

  if (lunar + month + (solarCount > 0) > 1)
    return Refuse("양력 날짜, --lunar, --month 중 하나만 쓸 수 있습니다");
  if (result.leap && !lunar) return Refuse("--leap은 --lunar와 함께만 쓸 수 있습니다");
  if (month && result.tsv) return Refuse("--tsv는 --month와 함께 쓸 수 없습니다 (날짜 변환에만 씁니다)");

  std::string problem;
  if (lunar) {
    result.mode = Mode::Lunar;
    problem = ParseLunarDate(lunarText, result.first);
  } else if (month) {
    result.mode = Mode::Month;
    problem = ParseMonth(monthText, result.first);
  } else if (solarCount > 0) {
    result.mode = Mode::Solar;
    problem = ParseSolarDate(solarTexts[0], result.first);
    result.last = result.first;
    if (problem.empty() && solarCount == 2) {
      problem = ParseSolarDate(solarTexts[1], result.last);
      if (problem.empty() && Before(result.last, result.first))
        problem = "종료일 " + Quoted(solarTexts[1]) + "이(가) 시작일 " + Quoted(solarTexts[0]) + "보다 앞섭니다";
    }
  }
  if (!problem.empty()) return Refuse(problem);
  return result;
}

}  // namespace lunar_tool
