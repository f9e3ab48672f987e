// Parsing of kalmeno-ics's arguments. Every refusal names the offending argument and says what
// would have been accepted, in one line.
#include "tools/ics/ics_options.h"

#include <string_view>

#include "tools/common/option_scanner.h"

namespace ics_tool {
namespace {

enum OptionId { kOutput = 'o', kHelp = 'h', kFrom = 256, kTo, kRscale, kVersion, kHolidays };

constexpr option kLongOptions[] = {
    {"output", required_argument, nullptr, kOutput}, {"from", required_argument, nullptr, kFrom},
    {"to", required_argument, nullptr, kTo},         {"rscale", no_argument, nullptr, kRscale},
    {"help", no_argument, nullptr, kHelp},           {"version", no_argument, nullptr, kVersion},
    {"holidays", no_argument, nullptr, kHolidays},   {nullptr, 0, nullptr, 0},
};

constexpr const char* kOptionList = "옵션: -o FILE, --from YYYY, --to YYYY, --rscale, --holidays, --help, --version";

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

IcsOptions Refuse(std::string message) {
  IcsOptions result;
  result.mode = IcsMode::UsageError;
  result.error = std::move(message);
  return result;
}

// A year of the lunar table, or what is wrong with the text.
std::string ParseYear(const char* option, std::string_view text, int& year) {
  year = 0;
  bool digits = !text.empty() && text.size() <= 4;
  for (char c : text) digits = digits && c >= '0' && c <= '9';
  if (!digits) return std::string(option) + " " + Quoted(text) + "은(는) 연도가 아닙니다 (YYYY, 예: 2026)";
  for (char c : text) year = year * 10 + (c - '0');
  if (year < kFirstTableYear || year > kLastTableYear)
    return std::string(option) + " " + Quoted(text) + ": 음력 표가 있는 " + std::to_string(kFirstTableYear) + "~" +
           std::to_string(kLastTableYear) + "년만 쓸 수 있습니다";
  return {};
}

}  // namespace

IcsOptions ParseIcsArguments(int argc, const char* const* argv, int thisYear) {
  IcsOptions result;
  const char* fromText = nullptr;
  const char* toText = nullptr;
  tool_options::OptionScanner scanner(argc, argv, kLongOptions, "o:h");
  for (int id; (id = scanner.Next()) != -1;) {
    switch (id) {
      case kHelp: result.mode = IcsMode::Help; return result;
      case kVersion: result.mode = IcsMode::Version; return result;
      case kOutput:
        if (!result.outputPath.empty()) return Refuse("-o가 두 번 주어졌습니다");
        if (!*scanner.Value()) return Refuse("-o 다음에 파일 이름이 필요합니다");
        result.outputPath = scanner.Value();
        break;
      case kFrom: fromText = scanner.Value(); break;
      case kTo: toText = scanner.Value(); break;
      case kRscale: result.rscale = true; break;
      case kHolidays: result.holidays = true; break;
      case ':': {
        const std::string option = scanner.Offending();
        const bool output = option == "-o" || option.starts_with("--o");
        return Refuse(option + " 다음에 " + (output ? "파일 이름이" : "연도가") + " 필요합니다");
      }
      default: return Refuse("알 수 없는 옵션 " + Quoted(scanner.Offending()) + " (" + kOptionList + ")");
    }
  }
  const std::vector<std::string> operands = scanner.Operands();
  if (operands.size() > 1) return Refuse("일정 파일은 하나만 받습니다: " + Quoted(operands[1]));
  if (operands.size() == 1) {
    if (operands[0].empty()) return Refuse("일정 파일 이름이 비어 있습니다");
    result.dataPath = operands[0];
  }

  if (result.holidays && (result.rscale || !result.dataPath.empty()))
    return Refuse("--holidays는 공휴일만 씁니다: 일정 파일이나 --rscale과 함께 쓸 수 없습니다");

  std::string problem;
  if (fromText) {
    problem = ParseYear("--from", fromText, result.fromYear);
  } else if (thisYear < kFirstTableYear || thisYear > kLastTableYear) {
    problem = "올해(" + std::to_string(thisYear) + "년)는 음력 표(" + std::to_string(kFirstTableYear) + "~" +
              std::to_string(kLastTableYear) + "년) 밖입니다: --from과 --to로 연도를 정하세요";
  } else {
    result.fromYear = thisYear;
  }
  if (problem.empty() && toText) {
    problem = ParseYear("--to", toText, result.toYear);
  } else if (problem.empty()) {
    result.toYear = result.fromYear + 10 > kLastTableYear ? kLastTableYear : result.fromYear + 10;
  }
  // The holidays are known for 2000..2043 only.
  for (int year : {result.fromYear, result.toYear})
    if (problem.empty() && result.holidays && year < 2000)
      problem = std::to_string(year) + "년의 공휴일은 알 수 없습니다: --holidays는 2000~2043년만 씁니다";
  if (problem.empty() && result.fromYear > result.toYear)
    problem = "--from " + std::to_string(result.fromYear) + "이(가) --to " + std::to_string(result.toYear) + "보다 뒤입니다";
  if (!problem.empty()) return Refuse(problem);
  return result;
}

}  // namespace ics_tool
