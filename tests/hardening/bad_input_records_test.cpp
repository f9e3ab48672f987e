// Records no release of Kalmeno writes, in a data file it is handed: texts without terminators,
// dates that do not exist, every flag bit, a file of odd length. The month view and the Today item
// show what they can, crash on nothing, and the program's exit writes every whole record back as
// it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/kalmeno_run.h"
#include "tests/hardening/bad_input_today.h"

using namespace kalmeno_test;

namespace {

// A record whose title and memo fill their fields to the last unit, with no terminator.
std::string UnterminatedRecord() {
  std::string record = Record(2007, 12, 9, 9, 0, 0, u"");
  for (size_t at = 14; at < 98; at += 2) {
    const char16_t unit = at < 36 ? u'가' : u'나';
    record[at] = (char)(unit & 0xFF);
    record[at + 1] = (char)(unit >> 8);
  }
  return record;
}

// Every field value that no date has, one per record, and a record with every flag bit set. The
// last one (lunar 10/29 of 2007, yearly) falls on 8 December 2007.
std::string RecordsOutsideEveryRange() {
  return Record(2007, 0, 10, 8, 0, 0, u"영월") + Record(2007, 13, 10, 8, 0, 0, u"십삼월") +
         Record(2007, 12, 0, 8, 0, 0, u"영일") + Record(2007, 12, 99, 8, 0, 0, u"구십구일") +
         Record(0, 12, 10, 8, 0, 0, u"영년") + Record(65535, 12, 10, 8, 0, 0, u"끝년") +
         Record(2007, 10, 29, 7, 0, 0xFFFF, u"모든표시");
}

constexpr int kCellOfDecember(int day) { return 5 + day; }  // 1 December 2007 was a Saturday

TEST(BadInputRecords, MonthViewShowsAFileOfOddLengthAndExitWritesItsRecordsBackByteForByte) {
  Kalmeno k;
  const std::string records = UnterminatedRecord() + RecordsOutsideEveryRange();
  // 50 bytes of a record that was never finished: not a record, so not shown and not kept.
  e2e::WriteBytes(k.dataFile, records + std::string(50, '\x07'));
  k.Run("2007-12-08T10:00:00", {"wait 100", Tap(CellX(kCellOfDecember(9)), CellY(kCellOfDecember(9))), "wait 100",
                                "command 32783", "wait 100", "command 1", "wait 2000"});
  EXPECT_EQ(k.result.exitCode, 0) << k.result.output;
  EXPECT_TRUE(MessageBoxTexts(k.lines).empty());
  EXPECT_EQ(LastTitle(k.lines), "2007년12월");
  // The unterminated title ends at its field; the label shows its start.
  const DrawnText label = LabelOf(k.lines, kCellOfDecember(9));
  ASSERT_TRUE(label.found);
  EXPECT_EQ(label.text.rfind("가", 0), 0u) << label.text;
  // The record with every flag is a lunar yearly holiday: it falls on 8 December, in red.
  EXPECT_EQ(LabelOf(k.lines, kCellOfDecember(8)).text.rfind("모든", 0), 0u);
  EXPECT_EQ(DayNumberOf(k.lines, kCellOfDecember(8)).colour, "#ff0000") << "a Saturday, red as a holiday";
  // Day 10, which the records of month 0 and 13, day 0 and 99, year 0 and 65535 would name if
  // their wrong field were right, shows none of them.
  EXPECT_EQ(LabelOf(k.lines, kCellOfDecember(10)).text, "");
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), records);
}

TEST(BadInputRecords, SchedulePanelShowsUnterminatedTextsToTheEndOfTheirFieldsOnly) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, UnterminatedRecord());
  const std::string tap = Tap(CellX(kCellOfDecember(9)), CellY(kCellOfDecember(9)));
  // The first tap selects the day, the second opens the panel on its entry.
  k.Run("2007-12-08T10:00:00", {"wait 100", tap, "wait 100", tap, "wait 200", "command 1", "wait 2000"});
  EXPECT_EQ(k.result.exitCode, 0) << k.result.output;
  std::string title = "< ", memo;
  for (int i = 0; i < 11; ++i) title += "가";
  for (int i = 0; i < 31; ++i) memo += "나";
  title += " >";
  const std::vector<std::string> texts = e2e::Texts(ViewTexts(k.lines));
  EXPECT_NE(std::find(texts.begin(), texts.end(), title), texts.end()) << "the title, and nothing of the memo";
  EXPECT_NE(std::find(texts.begin(), texts.end(), memo), texts.end()) << "the memo, and nothing after it";
}

TEST(BadInputRecords, TodayItemShowsTheRecordsItCanAndLeavesTheFileAlone) {
  e2e::TempDir dir;
  const std::string bytes = UnterminatedRecord() + RecordsOutsideEveryRange() + std::string(51, '\x07');
  e2e::WriteBytes(dir.file("qmrv.dat"), bytes);
  bad_input::WriteItemRegistry(dir, bad_input::ItemValues(dir.file("qmrv.dat"), "/bin/true"));
  const bad_input::TodayRun run = bad_input::RunToday(dir, "2007-12-08T15:00:00", {"wait 1000", "quit"});
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_TRUE(bad_input::Contains(run.itemTexts, "음력 2007년 10월 29일 평달"));
  EXPECT_TRUE(bad_input::Contains(run.itemTexts, "오늘(토) 07:00 모든표시"));
  for (const std::string& text : run.itemTexts) {
    for (const char* title : {"영월", "십삼월", "영일", "구십구일", "영년", "끝년"})
      EXPECT_EQ(text.find(title), std::string::npos) << "a date that does not exist: " << text;
  }
  EXPECT_EQ(e2e::ReadBytes(dir.file("qmrv.dat")), bytes);
}

}  // namespace
