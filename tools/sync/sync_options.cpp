#include "tools/sync/sync_options.h"

#include <vector>

#include "tools/common/option_scanner.h"
#include "tools/ics/ics_options.h"

namespace sync_tool {
namespace {

enum OptionId { kHelp = 'h', kFrom = 256, kTo, kDryRun, kVersion };

constexpr option kLongOptions[] = {
    {"from", required_argument, nullptr, kFrom}, {"to", required_argument, nullptr, kTo},
    {"dry-run", no_argument, nullptr, kDryRun},  {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion}, {nullptr, 0, nullptr, 0},
};

SyncOptions Refuse(std::string message) {
  SyncOptions result;
  result.mode = SyncMode::UsageError;
  result.error = std::move(message);
  return result;
}

}  // namespace

SyncOptions ParseSyncArguments(int argc, const char* const* argv, int thisYear) {
  SyncOptions result;
  const char* fromText = nullptr;
  const char* toText = nullptr;
  tool_options::OptionScanner scanner(argc, argv, kLongOptions, "h");
  for (int id; (id = scanner.Next()) != -1;) {
    switch (id) {
      case kHelp: result.mode = SyncMode::Help; return result;
      case kVersion: result.mode = SyncMode::Version; return result;
      case kFrom: fromText = scanner.Value(); break;
      case kTo: toText = scanner.Value(); break;
      case kDryRun: result.dryRun = true; break;
      case ':': return Refuse(scanner.Offending() + " 다음에 연도가 필요합니다");
      default:
        return Refuse("알 수 없는 옵션 '" + scanner.Offending() +
                      "' (옵션: --from YYYY, --to YYYY, --dry-run, --help, --version)");
    }
  }
  const std::vector<std::string> operands = scanner.Operands();
  if (operands.empty()) return Refuse("동기화할 vdir 폴더를 주세요");
  if (operands.size() > 2) return Refuse("인자가 너무 많습니다: '" + operands[2] + "'");
  if (operands[0].empty()) return Refuse("폴더 이름이 비어 있습니다");
  result.folder = operands[0];
  if (operands.size() == 2) {
    if (operands[1].empty()) return Refuse("일정 파일 이름이 비어 있습니다");
    result.dataPath = operands[1];
  }
  if (std::string problem = ics_tool::YearRangeFromArguments(fromText, toText, thisYear, result.fromYear, result.toYear);
      !problem.empty())
    return Refuse(problem);
  return result;
}

}  // namespace sync_tool
