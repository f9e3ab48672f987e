// kalmeno-ics: writes the schedule entries of a data file as an iCalendar stream, with every
// year's solar date of a yearly lunar entry worked out, for calendars that cannot do it.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "tools/ics/ics_calendar.h"
#include "tools/ics/ics_data_file.h"
#include "tools/ics/ics_holidays.h"
#include "tools/ics/ics_options.h"
#include "tools/common/tool_version.h"
#include "tools/common/whole_file_writer.h"
#include "windows.h"

namespace {

using ics_tool::DataFile;
using ics_tool::IcsCounts;
using ics_tool::IcsOptions;
using ics_tool::IcsSink;
using ics_tool::WriteIcsCalendar;

constexpr const char* kUsage =
    "사용법: kalmeno-ics [-o FILE] [--from YYYY] [--to YYYY] [--rscale] [일정파일]\n"
    "        kalmeno-ics --holidays [-o FILE] [--from YYYY] [--to YYYY]\n"
    "Kalmeno의 일정을 iCalendar(RFC 5545) 형식으로 내보냅니다. 다른 달력 프로그램에서 가져오기 하세요.\n"
    "  일정파일          읽을 qmrv.dat (없으면 설치된 Kalmeno의 일정 파일: 레지스트리의 DATA)\n"
    "  -o, --output FILE 표준 출력 대신 FILE에 씁니다 (-: 표준 출력). 다 쓴 뒤에야 전의 FILE을\n"
    "                    바꾸므로, 쓰지 못하면 전의 FILE이 그대로 남습니다\n"
    "  --from YYYY       매년 반복하는 음력 일정을 이 해(양력)부터 씁니다 (기본: 올해)\n"
    "  --to YYYY         ... 이 해까지 씁니다 (기본: --from + 10년, 2043년을 넘지 않음)\n"
    "                    연도는 1841~2043 (음력 표의 범위)\n"
    "  --rscale          매년 반복하는 음력 일정마다 한 개의 일정을 RRULE:RSCALE=DANGI 규칙으로 씁니다\n"
    "                    (RFC 7529를 지원하는 프로그램용; 날짜는 그 프로그램이 계산합니다).\n"
    "                    받지 못하는 프로그램이 많습니다: Radicale은 거절하고(Invalid recurrence rules),\n"
    "                    khal은 가져오다 멈추며(KeyError 'RSCALE'), ical.js는 양력 날짜로 잘못 읽습니다.\n"
    "                    이런 곳에는 --rscale 없이 쓰거나 kalmeno-sync를 쓰세요\n"
    "  --holidays        일정 대신 공휴일(2000~2043년)을 하루 종일 일정으로 씁니다\n"
    "                    (CATEGORIES:공휴일; 휴대전화 달력에서 따로 구독하도록)\n"
    "  --help            이 도움말\n"
    "  --version         판 번호\n"
    "양력 일정은 그 날짜와 시각에(지역 시각), 매년 반복하는 양력 일정은 RRULE:FREQ=YEARLY로\n"
    "(2월 29일은 윤년에만), 음력 일정은 그 해의 양력 날짜에 씁니다. 음력 30일이 없는 해에는\n"
    "29일에 씁니다. 메모의 줄바꿈은 줄바꿈(\\n)으로 씁니다. UID는 일정마다 정해져 있어(날짜, 종류,\n"
    "제목) 시각이나 메모를 고쳐 다시 내보내도 같습니다. 휴일로 지정한 일정은 CATEGORIES:휴일입니다. 어느 날에도 해당하지 않는\n"
    "기록(13월, 0일 등)은 건너뛰고 그 수를 표준 오류에 알립니다. 일정 파일은 읽기만 합니다.\n"
    "종료 상태: 0 성공 (건너뛴 기록이 있어도), 1 일정 파일을 읽지 못했거나 출력을 쓰지 못함, 2 인자 오류\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "kalmeno-ics: %s\n", message.c_str());
  return 1;
}

std::string WriteError(int code) {
  return code == EFBIG ? "파일 크기 제한(ulimit -f)을 넘습니다" : std::strerror(code);
}

// Writes the stream `produce` makes to a sink; false when the sink refused a piece.
using Producer = std::function<bool(const IcsSink&)>;

// Streams the export to standard output.
int ExportToStandardOutput(const Producer& produce) {
  const bool written =
      produce([](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size(); });
  if (written && std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  return Fail("출력을 쓰지 못했습니다: " + WriteError(errno));
}

// Streams the export to a file that replaces FILE only once it is whole: a failure keeps the old
// export. FILE that is not a regular file (a device, a FIFO) is written as it is.
int ExportToFile(const std::string& path, const std::string& dataPath, const Producer& produce) {
  std::error_code ignored;
  if (!dataPath.empty() && std::filesystem::equivalent(path, dataPath, ignored))
    return Fail(path + ": 일정 파일 자신에는 쓰지 않습니다 (다른 -o FILE을 주세요)");
  const std::filesystem::file_status status = std::filesystem::status(path, ignored);
  if (status.type() == std::filesystem::file_type::directory) return Fail(path + ": 파일이 아니라 폴더입니다");
  if (std::filesystem::exists(status) && status.type() != std::filesystem::file_type::regular) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return Fail(path + ": 열 수 없습니다: " + std::strerror(errno));
    bool written =
        produce([file](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size(); });
    written = std::fflush(file) == 0 && written;
    const int code = errno;
    written = std::fclose(file) == 0 && written;
    return written ? 0 : Fail(path + ": 쓰지 못했습니다: " + WriteError(code));
  }
  tool_files::WholeFileWriter writer;
  if (const std::string error = writer.Begin(path); !error.empty())
    return Fail(path + ": 만들 수 없습니다 (그 폴더에 새 파일을 만들 수 없음): " + error);
  if (produce([&writer](std::string_view piece) { return writer.Write(piece); })) writer.Commit();
  if (writer.errorCode())
    return Fail(path + ": 쓰지 못했습니다, 전의 파일은 그대로입니다: " + WriteError(writer.errorCode()));
  return 0;
}

int Export(const std::string& outputPath, const std::string& dataPath, const Producer& produce) {
  // Past a file-size limit a write fails with EFBIG and is reported, instead of killing the process.
  std::signal(SIGXFSZ, SIG_IGN);
  return outputPath.empty() || outputPath == "-" ? ExportToStandardOutput(produce)
                                                 : ExportToFile(outputPath, dataPath, produce);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ics_tool;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const IcsOptions options = ParseIcsArguments(argc, argv, now.wYear);
  switch (options.mode) {
    case IcsMode::Help: std::fputs(kUsage, stdout); return 0;
    case IcsMode::Version: std::puts("kalmeno-ics (Kalmeno) " KALMENO_VERSION); return 0;
    case IcsMode::UsageError:
      std::fprintf(stderr, "kalmeno-ics: %s (kalmeno-ics --help)\n", options.error.c_str());
      return 2;
    case IcsMode::Export: break;
  }
  if (options.holidays)
    return Export(options.outputPath, "", [&options](const IcsSink& sink) {
      return sink(BuildHolidayCalendar(options.fromYear, options.toYear, std::time(nullptr)));
    });

  const DataFile data = ReadDataFile(options.dataPath);
  if (!data.error.empty()) return Fail(data.error);
  IcsCounts counts;
  const int status = Export(options.outputPath, data.path, [&](const IcsSink& sink) {
    return WriteIcsCalendar(data.entries, options.fromYear, options.toYear, options.rscale, std::time(nullptr), sink,
                            counts);
  });
  if (data.fragmentBytes)
    std::fprintf(stderr, "kalmeno-ics: %s: 끝의 %lu바이트는 기록 한 개(98바이트)에 못 미쳐 건너뛰었습니다\n",
                 data.path.c_str(), data.fragmentBytes);
  if (counts.skipped)
    std::fprintf(stderr, "kalmeno-ics: 기록 %zu개 중 %d개는 어느 날에도 해당하지 않아 건너뛰었습니다 (13월, 0일 등)\n",
                 data.entries.size(), counts.skipped);
  if (counts.untimed)
    std::fprintf(stderr, "kalmeno-ics: 시각이 잘못된 기록 %d개는 하루 종일 일정으로 썼습니다\n", counts.untimed);
  return status;
}
