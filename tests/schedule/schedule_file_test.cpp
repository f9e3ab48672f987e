// The data file: the exact record bytes, reading damaged files safely, and writing back unchanged.
#include <gtest/gtest.h>

#include "kp_platform.h"
#include "schedule/schedule_file.h"
#include "tests/schedule/schedule_test_support.h"

namespace {

TEST(ScheduleRecord, TheWorkedExampleHasItsExactBytes) {
  // A yearly holiday on 2007-05-05 at 09:30:00 titled "어린이날", no memo.
  ScheduleEntry entry = MakeEntry(2007, 5, 5, SCHEDULE_YEARLY | SCHEDULE_HOLIDAY, u"\uC5B4\uB9B0\uC774\uB0A0");
  std::string expected("\xd7\x07\x05\x00\x05\x00\x09\x00\x1e\x00\x00\x00\x10\x01", 14);
  expected += std::string("\xb4\xc5\xb0\xb9\x74\xc7\xa0\xb0", 8) + std::string(14, '\0') + std::string(62, '\0');
  ASSERT_EQ(expected.size(), SCHEDULE_RECORD_SIZE);
  EXPECT_EQ(RecordBytes({entry}), expected);

  ScratchFolder folder;
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), {entry}), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), expected);
}

TEST(ScheduleRecord, TextWithoutATerminatorEndsAtItsField) {
  ScheduleEntry entry = MakeEntry(2007, 1, 1, 0, u"ABCDEFGHIJK", std::u16string(31, u'm'));
  EXPECT_EQ(ScheduleTitleText(entry), u"ABCDEFGHIJK");
  EXPECT_EQ(ScheduleMemoText(entry), std::u16string(31, u'm'));
  EXPECT_EQ(ScheduleTitleText(MakeEntry(2007, 1, 1, 0, u"열글자제목입니다요")), u"열글자제목입니다요");
}

TEST(ScheduleFile, AMissingFileIsCreatedEmptyAndYieldsNothing) {
  ScratchFolder folder;
  std::vector<ScheduleEntry> entries;
  EXPECT_EQ(ReadScheduleFile(folder.dataFile().c_str(), entries), 0);
  EXPECT_TRUE(entries.empty());
  EXPECT_TRUE(folder.Exists("qmrv.dat"));
  EXPECT_EQ(folder.ReadData(), "");
}

TEST(ScheduleFile, OddRecordsReadAndWriteBackByteForByte) {
  // Records no program of ours makes: no terminators, garbage after a terminator, months 0 and
  // 13, unknown flag bits, every byte value. They must come back exactly as they were.
  std::string bytes;
  for (int i = 0; i < 98; ++i) bytes += static_cast<char>(i * 7 + 3);
  bytes += RecordBytes({MakeEntry(2007, 0, 5, 0xFFFF, u"ABCDEFGHIJK", std::u16string(31, u'z'), 25, 61, 61),
                        MakeEntry(2007, 13, 40, 0x8002, u"x"), MakeEntry(0, 1, 1, 0, u"")});
  ScheduleEntry junkAfterEnd = MakeEntry(2008, 2, 29, SCHEDULE_LUNAR, u"a");
  junkAfterEnd.szTitle[5] = u'?';
  junkAfterEnd.szMemo[30] = 0xFFFF;
  bytes += RecordBytes({junkAfterEnd, junkAfterEnd});  // duplicates stay two entries
  ScratchFolder folder;
  folder.WriteData(bytes);

  std::vector<ScheduleEntry> entries;
  ASSERT_EQ(ReadScheduleFile(folder.dataFile().c_str(), entries), 0);
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[1].wMonth, 0);
  EXPECT_EQ(entries[2].wMonth, 13);
  EXPECT_EQ(ScheduleTitleText(entries[1]), u"ABCDEFGHIJK");
  ASSERT_EQ(WriteScheduleFile(folder.dataFile().c_str(), entries), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), bytes);
}

TEST(ScheduleFile, ATrailingFragmentIsIgnoredAndNotWrittenBack) {
  std::string whole = RecordBytes({MakeEntry(2007, 5, 5, 0, u"a"), MakeEntry(2007, 5, 6, 0, u"b")});
  ScratchFolder folder;
  folder.WriteData(whole + std::string(97, '\x01'));
  std::vector<ScheduleEntry> entries{MakeEntry(1999, 1, 1, 0, u"kept")};
  ASSERT_EQ(ReadScheduleFile(folder.dataFile().c_str(), entries), 0);
  ASSERT_EQ(entries.size(), 3u) << "records are appended after what the collection held";
  EXPECT_EQ(ScheduleTitleText(entries[0]), u"kept");
  entries.erase(entries.begin());
  ASSERT_EQ(WriteScheduleFile(folder.dataFile().c_str(), entries), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), whole);
}

TEST(ScheduleFile, AFileHeldByAnotherProcessCannotBeReadAndIsLeftAlone) {
  ScratchFolder folder;
  std::string bytes = RecordBytes({MakeEntry(2007, 5, 5, 0, u"held")});
  folder.WriteData(bytes);
  FileHolder holder(folder.dataFile(), 10000);
  std::vector<ScheduleEntry> entries;
  EXPECT_EQ(ReadScheduleFile(folder.dataFile().c_str(), entries), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), {MakeEntry(2008, 1, 1, 0, u"new")}),
            ScheduleWriteOutcome::CouldNotCreate);
  EXPECT_EQ(folder.ReadData(), bytes);
  EXPECT_FALSE(folder.Exists("qmrv.dat.new"));
}

TEST(ScheduleFile, EveryEntryRemovedLeavesAnEmptyFile) {
  ScratchFolder folder;
  folder.WriteData(RecordBytes({MakeEntry(2007, 5, 5, 0, u"a")}));
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), {}), ScheduleWriteOutcome::Written);
  EXPECT_TRUE(folder.Exists("qmrv.dat"));
  EXPECT_EQ(folder.ReadData(), "");
}

}  // namespace
