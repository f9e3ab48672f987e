// The store's life with its file: where it is, loading, saving, and not losing entries it could
// not read.
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include "kp_platform.h"
#include "schedule/schedule_store.h"
#include "tests/schedule/schedule_test_support.h"

namespace {

TEST(ScheduleStoreFile, TheDefaultStoreUsesTheFileBesideTheProgram) {
  WCHAR program[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  std::u16string expected(program);
  expected = expected.substr(0, expected.rfind(u'\\')) + u"\\qmrv.dat";
  std::string host = KpHostPath(expected.c_str());
  bool existed = access(host.c_str(), F_OK) == 0;
  {
    ScheduleStore store;
    EXPECT_EQ(std::u16string(store.GetPath()), expected);
    EXPECT_EQ(access(host.c_str(), F_OK), 0) << "the first start leaves an empty file";
  }
  if (!existed) std::remove(host.c_str());
}

TEST(ScheduleStoreFile, AFolderTooLongForThePathTouchesNoFile) {
  std::u16string folder = u"\\tmp\\" + std::u16string(260, u'f');
  ScheduleStore store(folder.c_str());
  EXPECT_EQ(std::u16string(store.GetPath()), u"");
  EXPECT_EQ(store.Load(), -1);
  store.Add(MakeEntry(2007, 1, 1, 0, u"x"));
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::CouldNotCreate);
}

TEST(ScheduleStoreFile, EntriesLoadInFileOrderAndSaveWithAdditionsAfterThem) {
  ScratchFolder folder;
  std::vector<ScheduleEntry> onDisk = {MakeEntry(2007, 5, 5, 0, u"첫째"), MakeEntry(2007, 5, 5, 1, u"첫째")};
  folder.WriteData(RecordBytes(onDisk));
  ScheduleStore store(folder.handheld().c_str());
  ASSERT_EQ(store.GetCount(), 2);
  EXPECT_EQ(store.GetAt(1).wFlags, 1) << "records differing only in flags stay distinct";
  ScheduleEntry added = MakeEntry(2008, 2, 29, SCHEDULE_YEARLY, u"추가");
  store.Add(added);
  EXPECT_EQ(folder.ReadData(), RecordBytes(onDisk)) << "adding does not write the file";
  store.RemoveAt(0);
  EXPECT_EQ(ScheduleTitleText(store.GetAt(0)), u"첫째");
  EXPECT_EQ(store.GetAt(0).wFlags, 1) << "later entries move down";
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes({onDisk[1], added}));
}

TEST(ScheduleStoreFile, ARecordWithAMonthOutsideTheYearIsKeptAndWrittenBack) {
  ScratchFolder folder;
  std::string bytes = RecordBytes({MakeEntry(2007, 0, 1, 0, u"zero"), MakeEntry(2007, 13, 1, SCHEDULE_LUNAR, u"13")});
  folder.WriteData(bytes);
  ScheduleStore store(folder.handheld().c_str());
  EXPECT_EQ(store.GetCount(), 2);
  DaySummary summary;
  std::vector<unsigned long> indices;
  for (int month = 1; month <= 12; ++month) {
    store.QueryDay(2007, month, 1, 2007, month, 1, &summary, &indices);
    EXPECT_EQ(summary.nSolarCount + summary.nLunarCount, 0);
  }
  store.QueryDay(2007, 0, 1, 2007, 13, 1, &summary, &indices);
  EXPECT_TRUE(indices.empty()) << "a month with no counter matches no day";
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), bytes);
}

TEST(ScheduleStoreFile, AFileHeldBrieflyAtStartIsReadOnceReleased) {
  ScratchFolder folder;
  folder.WriteData(RecordBytes({MakeEntry(2007, 5, 5, 0, u"a"), MakeEntry(2007, 5, 6, 0, u"b")}));
  FileHolder holder(folder.dataFile(), 300);  // the Today plug-in reading it
  ScheduleStore store(folder.handheld().c_str());
  EXPECT_EQ(store.GetCount(), 2);
}

TEST(ScheduleStoreFile, ASaveWaitsForAFileHeldForAMoment) {
  ScratchFolder folder;
  const ScheduleEntry old = MakeEntry(2007, 5, 5, 0, u"old"), added = MakeEntry(2007, 5, 6, 0, u"added");
  folder.WriteData(RecordBytes({old}));
  ScheduleStore store(folder.handheld().c_str());
  store.Add(added);
  FileHolder holder(folder.dataFile(), 300);  // the Today plug-in reading it as the session ends
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes({old, added}));
}

TEST(ScheduleStoreFile, EntriesThatCouldNotBeLoadedAreKeptByTheNextSave) {
  ScratchFolder folder;
  std::vector<ScheduleEntry> onDisk = {MakeEntry(2007, 5, 5, 0, u"disk1"), MakeEntry(2007, 6, 6, 0, u"disk2")};
  folder.WriteData(RecordBytes(onDisk));
  FileHolder holder(folder.dataFile(), 30000);
  ScheduleStore store(folder.handheld().c_str());
  EXPECT_EQ(store.GetCount(), 0) << "held past the retries: the store starts empty";
  ScheduleEntry added = MakeEntry(2008, 1, 1, 0, u"new");
  store.Add(added);
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::CouldNotCreate) << "still held: nothing can be saved";
  EXPECT_EQ(folder.ReadData(), RecordBytes(onDisk));

  holder.Release();
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes({onDisk[0], onDisk[1], added})) << "the file's entries come first";
  EXPECT_EQ(store.GetCount(), 3) << "and are in the store from now on";
  EXPECT_EQ(store.Save(), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes({onDisk[0], onDisk[1], added})) << "a second save repeats nothing";
  DaySummary summary;
  store.QueryDay(2007, 6, 6, 2007, 4, 21, &summary, nullptr);
  EXPECT_EQ(summary.nSolarCount, 1) << "the kept entries are counted";
}

TEST(ScheduleStoreDeath, AnIndexOutsideTheStoreStopsTheProgram) {
  ScratchFolder folder;
  folder.WriteData(RecordBytes({MakeEntry(2007, 5, 5, 0, u"a")}));
  ScheduleStore store(folder.handheld().c_str());
  EXPECT_DEATH(store.GetAt(1), "GetAt: index 1 is outside 0..0");
  EXPECT_DEATH(store.GetAt(-1), "outside");
  EXPECT_DEATH(store.RemoveAt(1), "RemoveAt: index 1 is outside");
  EXPECT_EQ(store.GetCount(), 1);
}

}  // namespace
