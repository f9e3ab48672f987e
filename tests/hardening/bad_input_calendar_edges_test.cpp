// The lunar table's first and last days, and one day past each, on the Today item: the lunar line
// of a day outside the table shows zeros rather than a guess, and the entries go on regardless.
// Seollal 1966 stands with them: the national standard puts it a day after the Chinese calendar.
// The converter's month grid and lunar conversion at the same edges. (The month view's edges and
// the converter's solar dates are guarded in tests/app and tests/lunar_tool.)
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"
#include "tests/hardening/bad_input_today.h"

using namespace bad_input;

namespace {

struct Edge {
  const char* now;
  const char* lunarLine;
  const char* entryLine;
};

TEST(BadInputCalendarEdges, TodayItemOnTheTablesFirstAndLastDaysOnePastThemAndSeollal1966) {
  const std::string entries =
      Record(1841, 1, 23, 9, 0, 0, u"첫날") + Record(1841, 1, 22, 9, 0, 0, u"전날") +
      Record(2043, 12, 31, 9, 0, 0, u"끝날") + Record(2044, 1, 1, 9, 0, 0, u"다음날") +
      Record(1966, 1, 22, 9, 0, 0, u"설날");
  const Edge edges[] = {
      {"1841-01-22T12:00:00", "음력 0000년 00월 00일 평달", "오늘(금) 09:00 전날"},
      {"1841-01-23T12:00:00", "음력 1841년 01월 01일 평달", "오늘(토) 09:00 첫날"},
      {"2043-12-31T12:00:00", "음력 2043년 12월 01일 평달", "오늘(목) 09:00 끝날"},
      {"2044-01-01T12:00:00", "음력 0000년 00월 00일 평달", "오늘(금) 09:00 다음날"},
      {"1966-01-22T12:00:00", "음력 1966년 01월 01일 평달", "오늘(토) 09:00 설날"},
  };
  for (const Edge& edge : edges) {
    SCOPED_TRACE(edge.now);
    e2e::TempDir dir;
    e2e::WriteBytes(dir.file("qmrv.dat"), entries);
    WriteItemRegistry(dir, ItemValues(dir.file("qmrv.dat"), "/bin/true"));
    const TodayRun run = RunToday(dir, edge.now, {"wait 1000", "quit"});
    ASSERT_FALSE(run.result.timedOut) << run.result.output;
    EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_TRUE(run.boxes.empty());
    ASSERT_GE(run.itemTexts.size(), 2u);
    EXPECT_EQ(run.itemTexts[0], edge.lunarLine);
    EXPECT_EQ(run.itemTexts[1], edge.entryLine);
  }
}

e2e::RunResult Converter(const std::vector<std::string>& args) {
  return e2e::Run(e2e::Built("tools/kalmeno-lunar"), args, {});
}

TEST(BadInputCalendarEdges, ConverterMonthGridsAndLunarDatesAtTheTablesEnds) {
  // January 1841: the 22 days before the table start are marked, the 23rd is lunar 1/1.
  e2e::RunResult run = Converter({"--month", "1841-01"});
  EXPECT_EQ(run.exitCode, 1) << "some days have no lunar date";
  EXPECT_NE(run.output.find("      17      18      19      20      21      22      23\n"
                            "       -       -       -       -       -       -     1.1\n"),
            std::string::npos)
      << run.output;
  run = Converter({"--month", "2043-12"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("   11.27   11.28   11.29   11.30    12.1\n"), std::string::npos) << run.output;
  for (const char* outside : {"1840-12", "2044-01"}) {
    run = Converter({"--month", outside});
    EXPECT_EQ(run.exitCode, 1) << outside;
    EXPECT_EQ(run.output.find('.'), std::string::npos) << "no lunar day at all: " << run.output;
  }
  run = Converter({"--tsv", "--lunar", "1841-01-01"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "1841-01-01\t0\t1841-01-23\t6\n");
  run = Converter({"--tsv", "--lunar", "1840-12-29"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "1840-12-29\t-\n");
  run = Converter({"--tsv", "--lunar", "2044-01-01"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "2044-01-01\t-\n");
}

}  // namespace
