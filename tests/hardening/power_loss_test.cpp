// A save killed at any of its system calls leaves the data file either as it was or as the save
// meant it to be, whole. The kill comes from strace's fault injection: for every system call
// the save makes (opens, writes, flushes, renames, closes, removals), each invocation in turn is
// replaced by SIGKILL, as a power loss at that instant would stop the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace {

const char* kDriver = KP_SAVE_ONCE;
const int kOldEntries = 6;
const int kAdded = 5;

// Six records as an earlier run of the program would have left them.
std::string OldFileBytes() {
  std::string bytes;
  for (int i = 0; i < kOldEntries; ++i) {
    std::string record(98, '\0');
    record[0] = static_cast<char>(0xd7);  // 2007
    record[1] = 0x07;
    record[2] = 0x05;                     // May
    record[4] = static_cast<char>(1 + i); // day
    record[14] = 'A';
    record[15] = 0;
    record[16] = static_cast<char>('0' + i);
    bytes += record;
  }
  return bytes;
}

struct KilledRun {
  bool killed;
  std::string fileAfter;
};

KilledRun SaveKilledAt(const std::string& syscall, int invocation, const std::string& folder) {
  e2e::WriteBytes(folder + "/qmrv.dat", OldFileBytes());
  e2e::RunResult run = e2e::Run("/usr/bin/strace",
                                {"-f", "-qq", "-o", "/dev/null", "-e", "trace=" + syscall, "-e",
                                 "inject=" + syscall + ":signal=KILL:when=" + std::to_string(invocation),
                                 kDriver, folder, std::to_string(kAdded)},
                                {}, 20000);
  return {run.exitCode != 0, e2e::ReadBytes(folder + "/qmrv.dat")};
}

TEST(PowerLoss, AKillAtAnySystemCallOfASaveLeavesTheOldOrTheNewFileWhole) {
  e2e::TempDir dir;
  // The file a complete save writes.
  e2e::WriteBytes(dir.file("qmrv.dat"), OldFileBytes());
  ASSERT_EQ(e2e::Run(kDriver, {dir.path(), std::to_string(kAdded)}, {}).exitCode, 0);
  const std::string newBytes = e2e::ReadBytes(dir.file("qmrv.dat"));
  ASSERT_EQ(newBytes.size(), 98u * (kOldEntries + kAdded));
  ASSERT_EQ(newBytes.substr(0, OldFileBytes().size()), OldFileBytes());

  int kills = 0, oldSeen = 0, newSeen = 0;
  for (const std::string syscall : {"openat", "write", "fsync", "fdatasync", "rename", "renameat",
                                    "renameat2", "close", "unlink", "unlinkat", "flock", "ftruncate"}) {
    for (int invocation = 1; invocation < 400; ++invocation) {
      KilledRun run = SaveKilledAt(syscall, invocation, dir.path());
      if (!run.killed) break;  // the save ran through: this call has no further invocations
      ++kills;
      if (run.fileAfter == OldFileBytes()) {
        ++oldSeen;
      } else {
        ++newSeen;
        EXPECT_EQ(run.fileAfter, newBytes) << "killed at " << syscall << " #" << invocation
                                           << ": the file is neither the old one nor the new one ("
                                           << run.fileAfter.size() << " bytes)";
      }
    }
  }
  std::printf("kills %d (old file %d, new file %d)\n", kills, oldSeen, newSeen);
  // The save was interrupted many times, and both sides of its single replacing step were seen.
  EXPECT_GT(kills, kAdded);
  EXPECT_GT(oldSeen, 0);
  EXPECT_GT(newSeen, 0);
  // A save after all those interruptions still works and writes the whole new file.
  e2e::WriteBytes(dir.file("qmrv.dat"), OldFileBytes());
  ASSERT_EQ(e2e::Run(kDriver, {dir.path(), std::to_string(kAdded)}, {}).exitCode, 0);
  EXPECT_EQ(e2e::ReadBytes(dir.file("qmrv.dat")), newBytes);
}

}  // namespace
