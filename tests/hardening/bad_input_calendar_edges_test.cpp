// The lunar table's first and last days, and one day past each, on the Today item: the lunar line
// of a day outside the table shows zeros rather than a guess, and the entries go on regardless.
// (The month view's and the converter's edges are guarded in tests/app and tests/lunar_tool.)
#include <gtest/gtest.h>

#include "bad_input_today.h"
#include "kalmeno_run.h"

using namespace bad_input;

namespace {

struct Edge {
  const char* now;
  const char* lunarLine;
  const char* entryLine;
};

TEST(BadInputCalendarEdges, TodayItemOnTheTablesFirstAndLastDaysAndOnePastThem) {
  const std::string entries =
      kalmeno_test::Record(1841, 1, 23, 9, 0, 0, u"첫날") + kalmeno_test::Record(1841, 1, 22, 9, 0, 0, u"전날") +
      kalmeno_test::Record(2043, 12, 31, 9, 0, 0, u"끝날") + kalmeno_test::Record(2044, 1, 1, 9, 0, 0, u"다음날");
  const Edge edges[] = {
      {"1841-01-22T12:00:00", "음력 0000년 00월 00일 평달", "오늘(금) 09:00 전날"},
      {"1841-01-23T12:00:00", "음력 1841년 01월 01일 평달", "오늘(토) 09:00 첫날"},
      {"2043-12-31T12:00:00", "음력 2043년 12월 01일 평달", "오늘(목) 09:00 끝날"},
      {"2044-01-01T12:00:00", "음력 0000년 00월 00일 평달", "오늘(금) 09:00 다음날"},
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

}  // namespace
