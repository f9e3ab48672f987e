// kalmeno-lunar: converts between solar and Korean lunar dates on the command line.
// Exit status: 0 done, 1 some date had no conversion, 2 the arguments were not understood or the
// output could not be written (a full disk, a closed pipe, a file-size limit).
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/lunar/lunar_args.h"
#include "tools/lunar/lunar_holidays.h"
#include "tools/lunar/lunar_lines.h"
#include "tools/lunar/lunar_month_grid.h"
#include "tools/lunar/lunar_next.h"
#include "tools/common/tool_version.h"
#include "windows.h"

namespace {

constexpr const char* kUsage =
    "사용법: kalmeno-lunar [--tsv] [YYYY-MM-DD [YYYY-MM-DD]]\n"
    "        kalmeno-lunar [--tsv] --lunar YYYY-MM-DD [--leap]\n"
    "        kalmeno-lunar --month [YYYY-MM] [--holidays] [--terms]\n"
    "        kalmeno-lunar [--tsv] --holidays [YYYY]\n"
    "        kalmeno-lunar [--tsv] --terms [YYYY]\n"
    "        kalmeno-lunar [--tsv] --next MM-DD [--leap] [--count N] [--from YYYY-MM-DD]\n"
    "양력 날짜와 음력 날짜(음력 1841~2043년)를 서로 바꿉니다.\n"
    "  (날짜 없음)              오늘과 오늘의 음력 날짜\n"
    "  YYYY-MM-DD               양력 날짜의 음력 날짜\n"
    "  YYYY-MM-DD YYYY-MM-DD    두 날짜 사이(양 끝 포함)의 하루하루\n"
    "  --lunar YYYY-MM-DD       음력 날짜의 양력 날짜 (--leap: 그 달의 윤달)\n"
    "  --month [YYYY-MM]        한 달의 달력과 날마다의 음력 월.일 (월이 없으면 이번 달;\n"
    "                           터미널에서는 오늘을 반전해 보입니다; --holidays: 공휴일에 *,\n"
    "                           --terms: 절기 이름을 음력 날짜 자리에)\n"
    "  --holidays [YYYY]        그 해(기본: 올해)의 공휴일 (2000~2043년)\n"
    "  --terms [YYYY]           그 해(기본: 올해)의 24절기와 그 시각 (한국 표준시, 1841~2043년)\n"
    "  --next MM-DD             매년 음력 MM월 DD일(생일, 제사)이 드는 다음 양력 날짜들\n"
    "                           (30일이 없는 해에는 29일; --leap: 윤달이 있는 해에는 윤달)\n"
    "    --count N              몇 번까지 (기본 10, 1~999)\n"
    "    --from YYYY-MM-DD      이 날부터 (기본: 오늘)\n"
    "  --tsv                    탭으로 나눈 한 줄씩:\n"
    "                           양력→음력  YYYY-MM-DD LLLL-MM-DD 윤달(1/0) 요일(0=일) 단기 연간지 띠 일진\n"
    "                           음력→양력  LLLL-MM-DD 윤달(1/0) YYYY-MM-DD 요일(0=일)\n"
    "                           바꿀 수 없는 날짜는 \"날짜<TAB>-\"\n"
    "                           공휴일     YYYY-MM-DD 이름\n"
    "                           절기       YYYY-MM-DD HH:MM 이름\n"
    "  --help                   이 도움말\n"
    "  --version                판 번호\n"
    "긴 옵션은 --옵션=값으로도 씁니다. -- 다음의 인자는 옵션이 아닙니다.\n"
    "종료 상태: 0 성공, 1 바꿀 수 없는 날짜가 있음, 2 인자 오류 또는 출력 오류\n";

constexpr int kOutputError = 2;

// The status, unless some output was lost: then one line on stderr and kOutputError. Every write
// and the last flush are checked, so a full disk is never reported as success.
int Finish(int status) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const int err = errno;
  std::fprintf(stderr, "kalmeno-lunar: 결과를 끝까지 쓰지 못했습니다 (%s)\n", std::strerror(err));
  return kOutputError;
}

int Print(const std::string& text, bool ok) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  return Finish(ok ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lunar_tool;
  // Output past a file-size limit fails like a full disk instead of ending the program silently.
  std::signal(SIGXFSZ, SIG_IGN);
  const Arguments args = ParseArguments(argc, argv);
  std::string out;
  switch (args.mode) {
    case Mode::Help:
      std::fputs(kUsage, stdout);
      return Finish(0);
    case Mode::Version:
      std::puts("kalmeno-lunar (Kalmeno) " KALMENO_VERSION);
      return Finish(0);
    case Mode::UsageError:
      std::fprintf(stderr, "kalmeno-lunar: %s (kalmeno-lunar --help)\n", args.error.c_str());
      return 2;
    case Mode::Today: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      const bool ok = AppendSolarLine({now.wYear, now.wMonth, now.wDay}, args.tsv, out);
      return Print(out, ok);
    }
    case Mode::Solar:
      return Finish(WriteSolarRange(args.first, args.last, args.tsv, stdout) == 0 ? 0 : 1);
    case Mode::Lunar: {
      const bool ok = AppendLunarLine(args.first, args.leap, args.tsv, out);
      return Print(out, ok);
    }
    case Mode::Month: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      const Date shown = args.thisMonth ? Date{now.wYear, now.wMonth, 1} : args.first;
      // Today is marked as cal marks it, only where it can be seen.
      const bool markToday = isatty(STDOUT_FILENO) && shown.year == now.wYear && shown.month == now.wMonth;
      const bool ok = AppendMonthGrid(shown.year, shown.month, out, markToday ? now.wDay : 0,
                                      {args.markHolidays, args.markTerms});
      return Print(out, ok);
    }
    case Mode::Holidays:
    case Mode::Terms: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      const int year = args.thisYear ? now.wYear : args.first.year;
      const bool holidays = args.mode == Mode::Holidays;
      if (!(holidays ? AppendHolidayLines(year, args.tsv, out) : AppendTermLines(year, args.tsv, out))) {
        std::fprintf(stderr, holidays ? "kalmeno-lunar: %d년의 공휴일은 알 수 없습니다 (2000~2043년)\n"
                                      : "kalmeno-lunar: %d년의 절기는 알 수 없습니다 (1841~2043년)\n",
                     year);
        return Finish(1);
      }
      return Print(out, true);
    }
    case Mode::Next: {
      SYSTEMTIME now{};
      GetLocalTime(&now);
      const Date from = args.from.year ? args.from : Date{now.wYear, now.wMonth, now.wDay};
      const int found = AppendNextAnniversaries(args.first.month, args.first.day, args.leap, from, args.count, args.tsv, out);
      if (found < args.count)
        std::fprintf(stderr, "kalmeno-lunar: 음력 표(2043년까지)에는 %d번만 있습니다\n", found);
      return Print(out, found == args.count);
    }
  }
  return 2;
}
