// kalmeno-ics: writes the schedule entries of a data file as an iCalendar stream, with every
// year's solar date of a yearly lunar entry worked out, for calendars that cannot do it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "tools/ics/ics_calendar.h"
#include "tools/ics/ics_data_file.h"
#include "tools/ics/ics_holidays.h"
#include "tools/ics/ics_options.h"
#include "tools/common/tool_version.h"
#include "windows.h"

namespace {

constexpr const char* kUsage =
    "사용법: kalmeno-ics [-o FILE] [--from YYYY] [--to YYYY] [--rscale] [일정파일]\n"
    "        kalmeno-ics --holidays [-o FILE] [--from YYYY] [--to YYYY]\n"
    "Kalmeno의 일정을 iCalendar(RFC 5545) 형식으로 내보냅니다. 다른 달력 프로그램에서 가져오기 하세요.\n"
    "  일정파일          읽을 qmrv.dat (없으면 설치된 Kalmeno의 일정 파일: 레지스트리의 DATA)\n"
    "  -o, --output FILE 표준 출력 대신 FILE에 씁니다\n"
    "  --from YYYY       매년 반복하는 음력 일정을 이 해(양력)부터 씁니다 (기본: 올해)\n"
    "  --to YYYY         ... 이 해까지 씁니다 (기본: --from + 10년, 2043년을 넘지 않음)\n"
    "                    연도는 1841~2043 (음력 표의 범위)\n"
    "  --rscale          매년 반복하는 음력 일정마다 한 개의 일정을 RRULE:RSCALE=DANGI 규칙으로 씁니다\n"
    "                    (RFC 7529를 지원하는 프로그램용; 날짜는 그 프로그램이 계산합니다)\n"
    "  --holidays        일정 대신 공휴일(2000~2043년)을 하루 종일 일정으로 씁니다\n"
    "                    (CATEGORIES:공휴일; 휴대전화 달력에서 따로 구독하도록)\n"
    "  --help            이 도움말\n"
    "  --version         판 번호\n"
    "양력 일정은 그 날짜와 시각에(지역 시각), 매년 반복하는 양력 일정은 RRULE:FREQ=YEARLY로\n"
    "(2월 29일은 윤년에만), 음력 일정은 그 해의 양력 날짜에 씁니다. 음력 30일이 없는 해에는\n"
    "29일에 씁니다. 휴일로 지정한 일정은 CATEGORIES:휴일입니다. 어느 날에도 해당하지 않는\n"
    "기록(13월, 0일 등)은 건너뛰고 그 수를 표준 오류에 알립니다. 일정 파일은 읽기만 합니다.\n"
    "종료 상태: 0 성공 (건너뛴 기록이 있어도), 1 일정 파일을 읽지 못했거나 출력을 쓰지 못함, 2 인자 오류\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "kalmeno-ics: %s\n", message.c_str());
  return 1;
}

// Writes the whole text; false when any write or the final flush failed.
bool WriteAll(std::FILE* file, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0 && !std::ferror(file);
}

int WriteOutput(const std::string& outputPath, const std::string& dataPath, const std::string& text) {
  if (outputPath.empty()) return WriteAll(stdout, text) ? 0 : Fail(std::string("출력을 쓰지 못했습니다: ") + std::strerror(errno));
  std::error_code ignored;
  if (std::filesystem::equivalent(outputPath, dataPath, ignored))
    return Fail(outputPath + ": 일정 파일 자신에는 쓰지 않습니다 (다른 -o FILE을 주세요)");
  const bool existed = std::filesystem::exists(outputPath, ignored);
  std::FILE* file = std::fopen(outputPath.c_str(), "wb");
  if (!file) return Fail(outputPath + ": 만들 수 없습니다: " + std::strerror(errno));
  bool written = WriteAll(file, text);
  const int writeError = errno;
  written = std::fclose(file) == 0 && written;
  if (written) return 0;
  // A half-written file of our own making would pass for an export; one the user had stays.
  if (!existed) std::filesystem::remove(outputPath, ignored);
  return Fail(outputPath + ": 쓰지 못했습니다: " + std::strerror(writeError));
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
    return WriteOutput(options.outputPath, "", BuildHolidayCalendar(options.fromYear, options.toYear, std::time(nullptr)).text);

  const DataFile data = ReadDataFile(options.dataPath);
  if (!data.error.empty()) return Fail(data.error);
  const IcsCalendar calendar =
      BuildIcsCalendar(data.entries, options.fromYear, options.toYear, options.rscale, std::time(nullptr));
  if (data.fragmentBytes)
    std::fprintf(stderr, "kalmeno-ics: %s: 끝의 %lu바이트는 기록 한 개(98바이트)에 못 미쳐 건너뛰었습니다\n",
                 data.path.c_str(), data.fragmentBytes);
  if (calendar.skipped)
    std::fprintf(stderr, "kalmeno-ics: 기록 %zu개 중 %d개는 어느 날에도 해당하지 않아 건너뛰었습니다 (13월, 0일 등)\n",
                 data.entries.size(), calendar.skipped);
  if (calendar.untimed)
    std::fprintf(stderr, "kalmeno-ics: 시각이 잘못된 기록 %d개는 하루 종일 일정으로 썼습니다\n", calendar.untimed);
  return WriteOutput(options.outputPath, data.path, calendar.text);
}
