// kalmeno-sync: keeps the entries of a data file and a vdir folder (one calendar object per file,
// as vdirsyncer and khal keep them) the same, both ways; vdirsyncer then syncs the folder with a
// CalDAV server.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/one_copy.h"
#include "tools/common/utf8_text.h"
#include "schedule/data_file.h"
#include "schedule/schedule_file.h"
#include "tools/common/tool_version.h"
#include "tools/common/whole_file_writer.h"
#include "tools/ics/ics_data_file.h"
#include "tools/sync/sync_options.h"
#include "tools/sync/sync_run.h"
#include "windows.h"

namespace {

constexpr const char* kUsage =
    "사용법: kalmeno-sync [--from YYYY] [--to YYYY] [--dry-run] 폴더 [일정파일]\n"
    "Kalmeno의 일정과 vdir 폴더(객체 하나에 .ics 파일 하나; vdirsyncer, khal이 쓰는 꼴)를 양쪽으로 맞춥니다.\n"
    "vdirsyncer가 그 폴더를 CalDAV 서버와 맞추면 일정이 전화기와 다른 컴퓨터에도 갑니다.\n"
    "  폴더              vdir 폴더 (있어야 합니다)\n"
    "  일정파일          qmrv.dat (없으면 설치된 Kalmeno의 일정 파일: 레지스트리의 DATA)\n"
    "  --from YYYY       매년 반복하는 음력 일정의 날짜를 이 해(양력)부터 씁니다 (기본: 올해)\n"
    "  --to YYYY         ... 이 해까지 (기본: --from + 10년, 2043년을 넘지 않음)\n"
    "  --dry-run         무엇이 바뀔지 보이기만 하고 아무것도 바꾸지 않습니다\n"
    "  --help, --version\n"
    "일정 하나가 객체 하나입니다. UID는 일정의 날짜, 종류, 제목에서 정해지고 동기화 내내 그대로입니다.\n"
    "지난번 동기화 상태(일정 파일 옆의 qmrv.dat.sync-XXXXXXXX)와 견주어, 한쪽에서 고치거나 지운 것은\n"
    "다른 쪽에서도 고치거나 지웁니다. 양쪽에서 다르게 고친 일정은 둘 다 남깁니다: 객체와 그 일정은\n"
    "폴더의 것이 되고, Kalmeno의 것은 따로 일정과 객체가 됩니다. 한쪽에서 지우고 다른 쪽에서 고친 것은\n"
    "고친 것이 남습니다. Kalmeno가 이 일정 파일로 실행 중이면 아무것도 하지 않습니다.\n"
    "종료 상태: 0 맞춤 (건너뛴 파일이 있어도), 1 일정 파일이나 폴더를 읽거나 쓰지 못함, 2 인자 오류\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "kalmeno-sync: %s\n", message.c_str());
  return 1;
}

// The handheld path of the program whose data file this is: Kalmeno keeps its file beside itself.
std::u16string ProgramBeside(const std::string& dataPath) {
  std::error_code ignored;
  std::filesystem::path folder = std::filesystem::weakly_canonical(std::filesystem::absolute(dataPath, ignored), ignored);
  std::filesystem::path program = folder.parent_path() / "kalmeno";
  const std::filesystem::path resolved = std::filesystem::canonical(program, ignored);
  return tool_text::HandheldPath(resolved.empty() ? program.string() : resolved.string());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace sync_tool;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const SyncOptions options = ParseSyncArguments(argc, argv, now.wYear);
  switch (options.mode) {
    case SyncMode::Help: std::fputs(kUsage, stdout); return 0;
    case SyncMode::Version: std::puts("kalmeno-sync (Kalmeno) " KALMENO_VERSION); return 0;
    case SyncMode::UsageError:
      std::fprintf(stderr, "kalmeno-sync: %s (kalmeno-sync --help)\n", options.error.c_str());
      return 2;
    case SyncMode::Sync: break;
  }
  std::signal(SIGXFSZ, SIG_IGN);  // a write past the file-size limit fails and is reported

  namespace fs = std::filesystem;
  std::error_code failure;
  const fs::file_status folderStatus = fs::status(options.folder, failure);
  if (folderStatus.type() == fs::file_type::not_found) return Fail(options.folder + ": 폴더가 없습니다");
  if (folderStatus.type() != fs::file_type::directory) return Fail(options.folder + ": 폴더가 아닙니다");
  const std::string folder = fs::canonical(options.folder, failure).string();
  if (failure) return Fail(options.folder + ": " + failure.message());

  // Nothing is read before the claim: Kalmeno, while it runs, owns the entries of its file.
  std::string dataPath = options.dataPath;
  if (dataPath.empty()) {
    const ics_tool::DataFile installed = ics_tool::ReadDataFile("");
    if (installed.path.empty()) return Fail(installed.error);
    dataPath = installed.path;
  }
  HANDLE claim = ClaimDataFileOfProgram(ProgramBeside(dataPath).c_str());
  if (!claim) return Fail(dataPath + ": Kalmeno가 이 일정 파일로 실행 중입니다. Kalmeno를 끝낸 뒤 다시 하세요");
  const ics_tool::DataFile data = ics_tool::ReadDataFile(dataPath);
  if (!data.error.empty()) return Fail(data.error);
  if (data.fragmentBytes)
    std::fprintf(stderr, "kalmeno-sync: %s: 끝의 %lu바이트는 기록 한 개(98바이트)에 못 미쳐 건너뛰었습니다\n",
                 data.path.c_str(), data.fragmentBytes);

  const std::string statePath = StatePath(data.path, folder);
  std::string stateProblem;
  const SyncState state = ReadState(statePath, folder, stateProblem);
  if (!stateProblem.empty()) std::fprintf(stderr, "kalmeno-sync: %s\n", stateProblem.c_str());

  const YearRange range{options.fromYear, options.toYear};
  const SyncOutcome outcome = Synchronise(data.entries, state, folder, range, std::time(nullptr), options.dryRun);
  for (const std::string& line : outcome.changes) std::printf("%s%s\n", options.dryRun ? "(--dry-run) " : "", line.c_str());
  for (const std::string& line : outcome.warnings) std::fprintf(stderr, "kalmeno-sync: %s\n", line.c_str());
  if (outcome.refused) return 1;
  if (options.dryRun) return 0;

  int status = outcome.failed ? 1 : 0;
  if (outcome.entriesChanged) {
    const std::u16string platformPath = tool_text::Utf16(data.path);
    ScheduleWriteOutcome saved = ScheduleWriteOutcome::CouldNotCreate;
    // A file the Today item holds for its read is waited for, as the program's own save waits.
    RetryWhileHeld(HeldFile::WaitBriefly, [&] {
      saved = WriteScheduleFile(platformPath.c_str(), outcome.entries);
      return saved != ScheduleWriteOutcome::CouldNotCreate;
    });
    if (saved != ScheduleWriteOutcome::Written)
      // The folder already has the changes; without a new state they are compared again next time.
      return Fail(data.path + ": 일정 파일을 저장하지 못했습니다 (전의 파일은 그대로입니다)");
  }
  if (!(outcome.state == state) || !stateProblem.empty()) {
    tool_files::WholeFileWriter writer;
    std::string error = writer.Begin(statePath);
    if (error.empty() && !writer.Write(StateText(outcome.state))) error = writer.error();
    if (error.empty()) error = writer.Commit();
    if (!error.empty()) status = Fail(statePath + ": 동기화 상태를 쓰지 못했습니다: " + error);
  }
  CloseHandle(claim);
  return status;
}
