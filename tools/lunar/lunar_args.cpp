// Parsing of kalmeno-lunar's arguments. Every refusal names the offending argument and says
// what would have been accepted, in one line.
#include "tools/lunar/lunar_args.h"

#include <string_view>

#include "calendar/lunar_calendar.h"
#include "tools/common/option_scanner.h"

namespace lunar_tool {
namespace {

constexpr const char* kDateForm = "YYYY-MM-DD, 예: 2026-12-07";

enum OptionId { kHelp = 'h', kTsv = 256, kLeap, kLunar, kMonth, kNext, kCount, kFrom, kVersion, kHolidays, kTerms };

constexpr option kLongOptions[] = {
    {"tsv", no_argument, nullptr, kTsv},           {"leap", no_argument, nullptr, kLeap},
    {"lunar", required_argument, nullptr, kLunar}, {"month", optional_argument, nullptr, kMonth},
    {"next", required_argument, nullptr, kNext},   {"count", required_argument, nullptr, kCount},
    {"from", required_argument, nullptr, kFrom},   {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},   {"holidays", optional_argument, nullptr, kHolidays},
    {"terms", optional_argument, nullptr, kTerms}, {nullptr, 0, nullptr, 0},
};

constexpr const char* kOptionList =
    "옵션: --tsv, --lunar YYYY-MM-DD [--leap], --month [YYYY-MM], --next MM-DD [--leap] [--count N] "
    "[--from YYYY-MM-DD], --holidays [YYYY], --terms [YYYY], --help, --version";

const char* OptionName(int id) {
  for (const option& o : kLongOptions)
    if (o.name && o.val == id) return o.name;
  return "";
}

// The option a refused argument names ("--lunar", "--lun", "--from=..."), by unique prefix.
int IdOfOption(std::string_view argument) {
  if (!argument.starts_with("--")) return 0;
  std::string_view name = argument.substr(2);
  name = name.substr(0, name.find('='));
  for (const option& o : kLongOptions)
    if (o.name && !name.empty() && std::string_view(o.name).starts_with(name)) return o.val;
  return 0;
}

std::string MissingValue(int id) {
  switch (id) {
    case kLunar: return "--lunar 다음에 YYYY-MM-DD 형식의 음력 날짜가 필요합니다";
    case kNext: return "--next 다음에 MM-DD 형식의 음력 월일이 필요합니다 (예: 08-15)";
    case kCount: return "--count 다음에 개수가 필요합니다 (1~999)";
    case kFrom: return "--from 다음에 YYYY-MM-DD 형식의 양력 날짜가 필요합니다";
    default: return "옵션 다음에 값이 필요합니다";
  }
}

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

// "MM-DD" of a yearly lunar date.
std::string ParseMonthDay(std::string_view text, Date& date) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 2, date.month) || pos >= text.size() || text[pos++] != '-' ||
      !ReadNumber(text, pos, 2, date.day) || pos != text.size())
    return Quoted(text) + "은(는) 음력 월일 형식이 아닙니다 (MM-DD, 예: 08-15)";
  if (date.month < 1 || date.month > 12) return Quoted(text) + ": 음력 월은 1~12입니다 (MM-DD)";
  if (date.day < 1 || date.day > 30) return Quoted(text) + ": 음력 일은 1~30입니다 (MM-DD)";
  return {};
}

std::string ParseYear(std::string_view text, const char* option, Date& date) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, date.year) || pos != text.size() || date.year < 1)
    return std::string("--") + option + " " + Quoted(text) + "은(는) 연도가 아닙니다 (YYYY, 예: 2025)";
  return {};
}

std::string ParseCount(std::string_view text, int& count) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 3, count) || pos != text.size() || count < 1)
    return "--count " + Quoted(text) + ": 개수는 1~999입니다";
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
  const char* lunarText = nullptr;
  const char* monthText = nullptr;
  const char* nextText = nullptr;
  const char* countText = nullptr;
  const char* fromText = nullptr;
  bool month = false;
  bool holidays = false, terms = false;
  const char* holidaysText = nullptr;
  const char* termsText = nullptr;

  tool_options::OptionScanner scanner(argc, argv, kLongOptions, "h");
  for (int id; (id = scanner.Next()) != -1;) {
    switch (id) {
      case kHelp: result.mode = Mode::Help; return result;
      case kVersion: result.mode = Mode::Version; return result;
      case kTsv: result.tsv = true; break;
      case kLeap: result.leap = true; break;
      case kLunar:
      case kNext:
      case kCount:
      case kFrom: {
        const char*& text = id == kLunar ? lunarText : id == kNext ? nextText : id == kCount ? countText : fromText;
        if (text) return Refuse(std::string("--") + OptionName(id) + "이(가) 두 번 주어졌습니다");
        // A value that is itself an option was not meant as the value.
        if (!*scanner.Value() || std::string_view(scanner.Value()).starts_with("--")) return Refuse(MissingValue(id));
        text = scanner.Value();
        break;
      }
      case kMonth:
        if (month) return Refuse("--month이(가) 두 번 주어졌습니다");
        month = true;
        monthText = scanner.TakeSeparateValue();
        break;
      case kHolidays:
      case kTerms: {
        bool& given = id == kHolidays ? holidays : terms;
        if (given) return Refuse(std::string("--") + OptionName(id) + "이(가) 두 번 주어졌습니다");
        given = true;
        (id == kHolidays ? holidaysText : termsText) = scanner.TakeSeparateValue();
        break;
      }
      case ':': return Refuse(MissingValue(IdOfOption(scanner.Offending())));
      default: return Refuse("알 수 없는 옵션 " + Quoted(scanner.Offending()) + " (" + kOptionList + ")");
    }
  }
  const std::vector<std::string> solarTexts = scanner.Operands();
  if (solarTexts.size() > 2) return Refuse("양력 날짜는 두 개까지 받습니다 (시작일과 종료일): " + Quoted(solarTexts[2]));

  const bool lunar = lunarText, next = nextText;
  // Beside --month, --holidays and --terms mark the grid and take no year of their own.
  if (month && (holidaysText || termsText))
    return Refuse("--month와 함께 쓴 --holidays, --terms는 연도를 받지 않습니다 (그 달에 표시합니다)");
  const bool listing = !month && (holidays || terms);
  if (lunar + month + next + listing + !solarTexts.empty() > 1 || (listing && holidays && terms))
    return Refuse("양력 날짜, --lunar, --month, --next, --holidays, --terms 중 하나만 쓸 수 있습니다");
  if (result.leap && !lunar && !next) return Refuse("--leap은 --lunar와 함께만 쓸 수 있습니다 (또는 --next와 함께)");
  if (month && result.tsv) return Refuse("--tsv는 --month와 함께 쓸 수 없습니다 (날짜 변환에만 씁니다)");
  if ((countText || fromText) && !next) return Refuse("--count와 --from은 --next와 함께만 쓸 수 있습니다");

  std::string problem;
  if (lunar) {
    result.mode = Mode::Lunar;
    problem = ParseLunarDate(lunarText, result.first);
  } else if (month) {
    result.mode = Mode::Month;
    result.thisMonth = !monthText;
    if (monthText) problem = ParseMonth(monthText, result.first);
    result.markHolidays = holidays;
    result.markTerms = terms;
  } else if (listing) {
    result.mode = holidays ? Mode::Holidays : Mode::Terms;
    const char* yearText = holidays ? holidaysText : termsText;
    result.thisYear = !yearText;
    if (yearText) problem = ParseYear(yearText, holidays ? "holidays" : "terms", result.first);
  } else if (next) {
    result.mode = Mode::Next;
    problem = ParseMonthDay(nextText, result.first);
    if (problem.empty() && countText) problem = ParseCount(countText, result.count);
    if (problem.empty() && fromText) problem = ParseSolarDate(fromText, result.from);
  } else if (!solarTexts.empty()) {
    result.mode = Mode::Solar;
    problem = ParseSolarDate(solarTexts[0], result.first);
    result.last = result.first;
    if (problem.empty() && solarTexts.size() == 2) {
      problem = ParseSolarDate(solarTexts[1], result.last);
      if (problem.empty() && Before(result.last, result.first))
        problem = "종료일 " + Quoted(solarTexts[1]) + "이(가) 시작일 " + Quoted(solarTexts[0]) + "보다 앞섭니다";
    }
  }
  if (!problem.empty()) return Refuse(problem);
  return result;
}

}  // namespace lunar_tool
