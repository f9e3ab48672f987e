// Saving never leaves a partial data file: a write that fails, or a process that dies at any
// record, leaves the old file whole. What the user set on the file stays: a link stays a link,
// its permissions, owner and hard links stay, a read-only file is not replaced, and nothing that
// lies beside it under a name of the save's own is followed, emptied or waited on.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <grp.h>
#include <sched.h>
#include <unistd.h>

#include "schedule/schedule_file.h"
#include "tests/schedule/schedule_test_support.h"

namespace {

constexpr uid_t kNobody = 65534;

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<ScheduleEntry> Entries(int count, const std::u16string& title) {
  std::vector<ScheduleEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back(MakeEntry(2007, 1 + i % 12, 1 + i % 28, 0, title));
  return entries;
}

// Saves in a child whose files may not grow past `limitBytes`. With `dieAtLimit` the child is
// killed by the system at the write that crosses the limit, as by a power loss mid-save; else the
// write fails and the child exits with the outcome.
void DieAsKilled(int signal) { _exit(128 + signal); }

int SaveInLimitedChild(const std::u16string& path, const std::vector<ScheduleEntry>& entries, rlim_t limitBytes,
                       bool dieAtLimit) {
  pid_t child = fork();
  if (child == 0) {
    // Otherwise the signal is left as it is: the save itself must keep it from ending the process.
    if (dieAtLimit) signal(SIGXFSZ, DieAsKilled);
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
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"qmrv.dat"}) << "the unfinished new file is removed";
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
  // The next save replaces what the dead one left behind, and removes the new files they left.
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), fresh), ScheduleWriteOutcome::Written);
  EXPECT_EQ(folder.ReadData(), RecordBytes(fresh));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"qmrv.dat"});
}

TEST(ScheduleSave, RemovesNewFilesOfKilledSavesAndNothingThatOnlyLooksLikeThem) {
  ScratchFolder folder;
  folder.WriteData(RecordBytes(Entries(1, u"old")));
  const std::string victim = folder.file("victim.txt");
  std::ofstream(victim) << "kept";
  struct Leftover {
    const char* name;
    std::function<void(const std::string&)> make;
    bool removed;
  };
  auto file = [](mode_t mode) {
    return [mode](const std::string& path) {
      std::ofstream(path) << "x";
      chmod(path.c_str(), mode);
    };
  };
  const Leftover leftovers[] = {
      {"qmrv.dat.new-0badc0de", file(0600), true},    // what a killed save leaves
      {"qmrv.dat.new-0badc0df", file(0644), false},   // another mode: not made by a save
      {"qmrv.dat.new-0BADC0DE", file(0600), false},   // upper-case digits
      {"qmrv.dat.new-0badc0de1", file(0600), false},  // nine digits
      {"qmrv.dat.new-0badc0dg", file(0600), false},   // not a hex digit
      {"other.dat.new-0badc0de", file(0600), false},  // another file's
      {"qmrv.dat.new-1badc0de", [&](const std::string& p) { (void)!symlink(victim.c_str(), p.c_str()); }, false},
      {"qmrv.dat.new-2badc0de", [](const std::string& p) { mkdir(p.c_str(), 0700); }, false},
      {"qmrv.dat.new-3badc0de", [](const std::string& p) { mkfifo(p.c_str(), 0600); }, false},
  };
  for (const Leftover& leftover : leftovers) leftover.make(folder.file(leftover.name));
  // Another user's file of the save's own pattern and mode (only root can make one here).
  const bool othersFile = geteuid() == 0;
  if (othersFile) {
    file(0600)(folder.file("qmrv.dat.new-4badc0de"));
    (void)!chown(folder.file("qmrv.dat.new-4badc0de").c_str(), kNobody, kNobody);
  }
  EXPECT_EQ(WriteScheduleFile(folder.dataFile().c_str(), Entries(2, u"new")), ScheduleWriteOutcome::Written);
  for (const Leftover& leftover : leftovers) EXPECT_EQ(!folder.Exists(leftover.name), leftover.removed) << leftover.name;
  if (othersFile) EXPECT_TRUE(folder.Exists("qmrv.dat.new-4badc0de"));
  EXPECT_EQ(ReadFileBytes(victim), "kept");
}

// Saves in a child (as user nobody when `asNobody` and this is root, for whom permissions do not
// bind) that a watchdog ends should the save ever wait: 200 + signal then, else the outcome.
int SaveInChild(const std::u16string& path, const std::vector<ScheduleEntry>& entries, bool asNobody) {
  pid_t child = fork();
  if (child == 0) {
    alarm(30);
    if (asNobody && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
      _exit(99);
    _exit(static_cast<int>(WriteScheduleFile(path.c_str(), entries)));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

struct SaveCase {
  const char* what;
  // Arranges the folder around qmrv.dat, which holds the old records; false when it cannot here.
  std::function<bool(const ScratchFolder&)> arrange;
  bool asNobody;
  ScheduleWriteOutcome outcome;
  // Checks what the save left; the records named "qmrv.dat" are checked by the table.
  std::function<void(const ScratchFolder&)> check;
};

mode_t ModeOf(const std::string& path) {
  struct stat st{};
  lstat(path.c_str(), &st);
  return st.st_mode;
}

TEST(ScheduleSave, KeepsWhatTheUserSetOnTheFileAndNeverFollowsWhatLiesBesideIt) {
  const std::string old = RecordBytes(Entries(2, u"old"));
  const std::vector<ScheduleEntry> fresh = Entries(4, u"new");
  const std::string victim = "not the calendar's";
  const SaveCase cases[] = {
      {"a link into another folder is saved through; the link stays",
       [&](const ScratchFolder& f) {
         mkdir(f.file("synced").c_str(), 0755);
         rename(f.file("qmrv.dat").c_str(), f.file("synced/real.dat").c_str());
         return symlink("synced/real.dat", f.file("qmrv.dat").c_str()) == 0;
       },
       false, ScheduleWriteOutcome::Written,
       [&](const ScratchFolder& f) {
         EXPECT_TRUE(S_ISLNK(ModeOf(f.file("qmrv.dat"))));
         EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.file("synced")), {}), 1) << "nothing left behind";
       }},
      {"private permissions stay private",
       [](const ScratchFolder& f) { return chmod(f.file("qmrv.dat").c_str(), 0600) == 0; }, false,
       ScheduleWriteOutcome::Written,
       [](const ScratchFolder& f) { EXPECT_EQ(ModeOf(f.file("qmrv.dat")) & 07777, 0600u); }},
      {"owner and group stay (another user's file, saved by root)",
       [](const ScratchFolder& f) {
         return geteuid() == 0 && chown(f.file("qmrv.dat").c_str(), kNobody, kNobody) == 0 &&
                chmod(f.file("qmrv.dat").c_str(), 0640) == 0;
       },
       false, ScheduleWriteOutcome::Written,
       [](const ScratchFolder& f) {
         struct stat st{};
         stat(f.file("qmrv.dat").c_str(), &st);
         EXPECT_EQ(st.st_uid, kNobody);
         EXPECT_EQ(st.st_gid, kNobody);
         EXPECT_EQ(st.st_mode & 07777, 0640u);
       }},
      {"a read-only file is not replaced",
       [](const ScratchFolder& f) { return chmod(f.file("qmrv.dat").c_str(), 0444) == 0; }, false,
       ScheduleWriteOutcome::CouldNotCreate,
       [](const ScratchFolder& f) { EXPECT_EQ(ModeOf(f.file("qmrv.dat")) & 07777, 0444u); }},
      {"a folder refusing new files: the writable file is rewritten in place",
       [](const ScratchFolder& f) {
         if (geteuid() == 0 && chown(f.file("qmrv.dat").c_str(), kNobody, kNobody) != 0) return false;
         return chmod(f.file("").c_str(), 0555) == 0;
       },
       true, ScheduleWriteOutcome::Written,
       [](const ScratchFolder& f) {
         chmod(f.file("").c_str(), 0755);
         EXPECT_EQ(f.Names(), std::vector<std::string>{"qmrv.dat"});
       }},
      {"hard links: every name sees the new records",
       [](const ScratchFolder& f) { return link(f.file("qmrv.dat").c_str(), f.file("other-name.dat").c_str()) == 0; },
       false, ScheduleWriteOutcome::Written,
       [&](const ScratchFolder& f) {
         EXPECT_EQ(ReadFileBytes(f.file("other-name.dat")), RecordBytes(fresh));
         struct stat st{};
         stat(f.file("qmrv.dat").c_str(), &st);
         EXPECT_EQ(st.st_nlink, 2u);
       }},
      {"a stale .new that links to another file is left alone",
       [&](const ScratchFolder& f) {
         std::ofstream(f.file("victim.txt")) << victim;
         return symlink(f.file("victim.txt").c_str(), f.file("qmrv.dat.new").c_str()) == 0;
       },
       false, ScheduleWriteOutcome::Written,
       [&](const ScratchFolder& f) {
         EXPECT_EQ(ReadFileBytes(f.file("victim.txt")), victim);
         EXPECT_TRUE(S_ISLNK(ModeOf(f.file("qmrv.dat.new"))));
         EXPECT_TRUE(S_ISREG(ModeOf(f.file("qmrv.dat"))));
       }},
      {"a stale .new that is a FIFO is not waited on",
       [](const ScratchFolder& f) { return mkfifo(f.file("qmrv.dat.new").c_str(), 0600) == 0; }, false,
       ScheduleWriteOutcome::Written, [](const ScratchFolder& f) { EXPECT_TRUE(S_ISFIFO(ModeOf(f.file("qmrv.dat.new")))); }},
      {"a data file that is a FIFO is refused at once",
       [](const ScratchFolder& f) { return unlink(f.file("qmrv.dat").c_str()) == 0 && mkfifo(f.file("qmrv.dat").c_str(), 0600) == 0; },
       false, ScheduleWriteOutcome::CouldNotCreate,
       [](const ScratchFolder& f) { EXPECT_TRUE(S_ISFIFO(ModeOf(f.file("qmrv.dat")))); }},
      {"a data file that links to a device is refused",
       [](const ScratchFolder& f) { return unlink(f.file("qmrv.dat").c_str()) == 0 && symlink("/dev/zero", f.file("qmrv.dat").c_str()) == 0; },
       false, ScheduleWriteOutcome::CouldNotCreate,
       [](const ScratchFolder& f) { EXPECT_TRUE(S_ISLNK(ModeOf(f.file("qmrv.dat")))); }},
      {"a link into a folder whose name holds a backslash is refused, not saved elsewhere",
       [](const ScratchFolder& f) {
         mkdir(f.file("a").c_str(), 0755);
         mkdir(f.file("a/b").c_str(), 0755);
         mkdir(f.file("a\\b").c_str(), 0755);
         rename(f.file("qmrv.dat").c_str(), f.file("a\\b/real.dat").c_str());
         return symlink("a\\b/real.dat", f.file("qmrv.dat").c_str()) == 0;
       },
       false, ScheduleWriteOutcome::CouldNotCreate,
       [&](const ScratchFolder& f) {
         EXPECT_EQ(ReadFileBytes(f.file("a\\b/real.dat")), old);
         EXPECT_FALSE(f.Exists("a/b/real.dat"));
         EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.file("a/b")), {}), 0);
       }},
      {"a link to nowhere is not made into a file",
       [](const ScratchFolder& f) { return unlink(f.file("qmrv.dat").c_str()) == 0 && symlink("gone/qmrv.dat", f.file("qmrv.dat").c_str()) == 0 && mkdir(f.file("gone").c_str(), 0755) == 0; },
       false, ScheduleWriteOutcome::CouldNotCreate,
       [](const ScratchFolder& f) { EXPECT_FALSE(f.Exists("gone/qmrv.dat")); }},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    folder.WriteData(old);
    if (!c.arrange(folder)) {
      std::printf("not run here: %s\n", c.what);
      continue;
    }
    struct stat before{};
    const bool holdsRecords = stat(folder.file("qmrv.dat").c_str(), &before) == 0 && S_ISREG(before.st_mode);
    EXPECT_EQ(SaveInChild(folder.dataFile(), fresh, c.asNobody), static_cast<int>(c.outcome));
    c.check(folder);
    if (holdsRecords) {
      EXPECT_EQ(folder.ReadData(), c.outcome == ScheduleWriteOutcome::Written ? RecordBytes(fresh) : old);
    }
  }
}

// An in-place save (the file has two names, or its folder refuses new files) that cannot be
// written whole stops before it changes a byte, or puts the old bytes back: never a cut file.
struct InPlaceCase {
  const char* what;
  int oldRecords, newRecords;
  bool sameRecords;     // the session changed nothing
  rlim_t limit;         // the file-size limit of the saving process
  bool fullDisk;        // the folder is a small file system of its own, filled up
  bool refusingFolder;  // else the file has a second name
};

// Runs the case in a child (its own mount namespace for a full disk, as user nobody in a folder
// refusing new files) and returns what the child found: the outcome, and whether every name of
// the file still holds the old bytes. -1 when the case cannot be arranged here.
std::pair<int, bool> SaveInPlaceInChild(const ScratchFolder& folder, const InPlaceCase& c) {
  const std::string dir = folder.file("");
  pid_t child = fork();
  if (child == 0) {
    alarm(30);
    if (c.fullDisk && (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                       mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0))
      _exit(99);
    const std::string old = RecordBytes(Entries(c.oldRecords, u"old"));
    folder.WriteData(old);
    std::string other = folder.file("other-name.dat");
    if (c.refusingFolder) {
      other = folder.file("qmrv.dat");
      if (chmod(dir.c_str(), 0555) != 0) _exit(99);
      if (geteuid() == 0 && (chown(other.c_str(), kNobody, kNobody) != 0 || setgroups(0, nullptr) != 0 ||
                             setgid(kNobody) != 0 || setuid(kNobody) != 0))
        _exit(99);
    } else if (link(folder.file("qmrv.dat").c_str(), other.c_str()) != 0) {
      _exit(99);
    }
    if (c.fullDisk) {
      std::ofstream filler(folder.file("filler"), std::ios::binary);
      const std::string block(4096, 'f');
      while (filler.write(block.data(), block.size()) && filler.flush()) {
      }
    }
    struct rlimit limit = {c.limit, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
    const int outcome = static_cast<int>(
        WriteScheduleFile(folder.dataFile().c_str(), Entries(c.newRecords, c.sameRecords ? u"old" : u"new")));
    const bool intact = folder.ReadData() == old && ReadFileBytes(other) == old;
    _exit(outcome * 2 + (intact ? 1 : 0));
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 99) return {-1, false};
  return {WEXITSTATUS(status) / 2, WEXITSTATUS(status) % 2 == 1};
}

TEST(ScheduleSave, AnInPlaceSaveThatCannotBeWrittenWholeLeavesTheFileAsItWas) {
  const InPlaceCase cases[] = {
      {"two names, past the file-size limit", 2, 4, false, 300, false, false},
      {"two names, nothing changed, the file already past the limit", 4, 4, true, 200, false, false},
      {"a folder refusing new files, past the file-size limit", 2, 4, false, 300, false, true},
      {"two names, a full disk", 2, 60, false, RLIM_INFINITY, true, false},
  };
  for (const InPlaceCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    const auto [outcome, intact] = SaveInPlaceInChild(folder, c);
    chmod(folder.file("").c_str(), 0755);
    if (outcome == -1) {
      std::printf("not run here (needs root): %s\n", c.what);
      continue;
    }
    EXPECT_EQ(outcome, static_cast<int>(ScheduleWriteOutcome::WriteFailed));
    EXPECT_TRUE(intact) << "every name holds the old records, whole";
  }
}

TEST(ScheduleSave, AFileInAMissingFolderCannotBeCreated) {
  ScratchFolder folder;
  std::u16string path = folder.handheld() + u"\\missing\\qmrv.dat";
  EXPECT_EQ(WriteScheduleFile(path.c_str(), Entries(1, u"x")), ScheduleWriteOutcome::CouldNotCreate);
}

}  // namespace
