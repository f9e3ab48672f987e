// Saving never leaves a partial data file: a write that fails, or a process that dies at any
// record, leaves the old file whole.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "schedule/schedule_file.h"
#include "schedule_test_support.h"

namespace {

std::vector<ScheduleEntry> Entries(int count, const std::u16string& title) {
  std::vector<ScheduleEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back(MakeEntry(2007, 1 + i % 12, 1 + i % 28, 0, title));
  return entries;
}

// Saves in a child whose files may not grow past `limitBytes`. With `dieAtLimit` the child is
// killed by the system at the write that crosses the limit, as by a power loss mid-save; else the
// write fails and the child exits with the outcome.
int SaveInLimitedChild(const std::u16string& path, const std::vector<ScheduleEntry>& entries, rlim_t limitBytes,
                       bool dieAtLimit) {
  pid_t child = fork();
  if (child == 0) {
    if (!dieAtLimit) signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {limitBytes, limitBytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(static_cast<int>(WriteScheduleFile(path.c_str(), entries)));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ScheduleSave, AFailingWriteReportsWriteFailedAndKeepsTheOldFile) {
  ScratchFolder folder;
  std::string old = RecordBytes(Entries(3, u"old"));
  folder.WriteData(old);
  int outcome = SaveInLimitedChild(folder.dataFile(), Entries(10, u"new"), 98 * 4 + 10, false);
  EXPECT_EQ(outcome, static_cast<int>(ScheduleWriteOutcome::WriteFailed));
  EXPECT_EQ(folder.ReadData(), old);
  EXPECT_FALSE(folder.Exists("qmrv.dat.new")) << "the unfinished new file is removed";
}

TEST(ScheduleSave, AProcessKilledAtAnyRecordLeavesTheOldFileWhole) {
  ScratchFolder folder;
  std::string old = RecordBytes(Entries(5, u"old"));
  folder.WriteData(old);
  const std::vector<ScheduleEntry> fresh = Entries(8, u"new");
  for (int record = 0; record < 8; ++record) {
    rlim_t limit = static_cast<rlim_t>(record) * 98 + (record % 2 ? 49 : 0);  // at or inside a record
    int result = SaveInLimitedChild(folder.dataFile(), fresh, limit, true);
    ASSERT_EQ(result, 128 + SIGXFSZ) << "killed while writing record " << record;
    ASSERT_EQ(folder.ReadData(), old) << "after a kill at record " << record;
  }
  // The next save replaces what the dead one left behind.
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), fresh), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes(fresh));
  EXPECT_FALSE(folder.Exists("qmrv.dat.new"));
}

TEST(ScheduleSave, ANewFileThatCannotBeCreatedReportsCouldNotCreate) {
  ScratchFolder folder;
  std::string old = RecordBytes(Entries(2, u"old"));
  folder.WriteData(old);
  ASSERT_EQ(mkdir(folder.file("qmrv.dat.new").c_str(), 0755), 0);  // a folder in the way
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), Entries(4, u"new")), ScheduleWriteOutcome::CouldNotCreate);
  EXPECT_EQ(folder.ReadData(), old);
}

TEST(ScheduleSave, AFileInAMissingFolderCannotBeCreated) {
  ScratchFolder folder;
  std::u16string path = folder.handheld() + u"\\missing\\qmrv.dat";
  EXPECT_EQ(WriteScheduleFile(path.c_str(), Entries(1, u"x")), ScheduleWriteOutcome::CouldNotCreate);
}

}  // namespace
