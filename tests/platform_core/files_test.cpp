// Files: both path forms, create dispositions, and sharing seen across opens and processes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

HANDLE OpenExclusive(const std::u16string& path, DWORD disposition = OPEN_ALWAYS) {
  return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

TEST(Files, OpenAlwaysCreatesAMissingFileEmpty) {
  ScratchFolder folder;
  HANDLE file = OpenExclusive(folder.handheld("qmrv.dat"));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(file, nullptr), 0u);
  CloseHandle(file);
  struct stat info;
  ASSERT_EQ(stat(folder.file("qmrv.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0);
}

TEST(Files, WrittenBytesReadBackThroughEitherPathForm) {
  ScratchFolder folder;
  HANDLE file = OpenExclusive(folder.handheld("data.bin"), CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "hello", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  EXPECT_TRUE(FlushFileBuffers(file));
  CloseHandle(file);

  std::u16string hostForm = KpFromUtf8(folder.file("data.bin"));
  file = CreateFileW(hostForm.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char buffer[16] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), "hello");
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 0u) << "end of file reads zero bytes and succeeds";
  CloseHandle(file);
}

TEST(Files, CreateAlwaysTruncatesAndOpenExistingRefusesMissing) {
  ScratchFolder folder;
  WriteWholeFile(folder.file("old.bin"), "previous contents");
  HANDLE file = OpenExclusive(folder.handheld("old.bin"), CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(file);
  EXPECT_EQ(ReadWholeFile(folder.file("old.bin")), "");

  EXPECT_EQ(OpenExclusive(folder.handheld("absent.bin"), OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(OpenExclusive(folder.handheld("no-such-folder\\x.bin")), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(Files, AFolderCannotBeOpenedAsAFile) {
  ScratchFolder folder;
  std::u16string path = KpHandheldPath(folder.path());
  EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Sharing, AnExclusiveHolderRefusesASecondOpenInTheSameProcess) {
  ScratchFolder folder;
  WriteWholeFile(folder.file("qmrv.dat"), "keep me");
  HANDLE first = OpenExclusive(folder.handheld("qmrv.dat"));
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenExclusive(folder.handheld("qmrv.dat"), CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadWholeFile(folder.file("qmrv.dat")), "keep me") << "a refused create-always truncates nothing";
  HANDLE sharedReader = CreateFileW(folder.handheld("qmrv.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(sharedReader, INVALID_HANDLE_VALUE) << "even a sharing reader is refused";
  CloseHandle(first);
  HANDLE again = OpenExclusive(folder.handheld("qmrv.dat"));
  EXPECT_NE(again, INVALID_HANDLE_VALUE) << "closing releases the lock";
  CloseHandle(again);
}

int TryOpenInChild(void* path) {
  HANDLE file = OpenExclusive(*static_cast<std::u16string*>(path));
  if (file != INVALID_HANDLE_VALUE) return 0;
  return GetLastError() == ERROR_SHARING_VIOLATION ? 32 : 1;
}

TEST(Sharing, AnExclusiveHolderRefusesAnotherProcess) {
  ScratchFolder folder;
  std::u16string path = folder.handheld("qmrv.dat");
  HANDLE held = OpenExclusive(path);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunInChild(TryOpenInChild, &path), 32);
  CloseHandle(held);
  EXPECT_EQ(RunInChild(TryOpenInChild, &path), 0);
}

TEST(Sharing, TwoSharingReadersMayHoldTheFileTogether) {
  ScratchFolder folder;
  WriteWholeFile(folder.file("r.bin"), "x");
  std::u16string path = folder.handheld("r.bin");
  HANDLE a = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE b = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(a, INVALID_HANDLE_VALUE);
  EXPECT_NE(b, INVALID_HANDLE_VALUE);
  CloseHandle(a);
  CloseHandle(b);
}

TEST(Files, ReplacingMoveSwapsContentsAndPlainMoveKeepsTheTarget) {
  ScratchFolder folder;
  WriteWholeFile(folder.file("new.tmp"), "new");
  WriteWholeFile(folder.file("data"), "old");
  EXPECT_FALSE(MoveFileExW(folder.handheld("new.tmp").c_str(), folder.handheld("data").c_str(), 0));
  EXPECT_EQ(ReadWholeFile(folder.file("data")), "old");
  EXPECT_TRUE(MoveFileExW(folder.handheld("new.tmp").c_str(), folder.handheld("data").c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(ReadWholeFile(folder.file("data")), "new");
  EXPECT_EQ(GetFileAttributesW(folder.handheld("new.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(DeleteFileW(folder.handheld("data").c_str()));
  EXPECT_FALSE(DeleteFileW(folder.handheld("data").c_str()));
}

struct SpecialFileCase {
  const char* what;
  const char* name;  // in the scratch folder, made by `make`; or an absolute path
  int (*make)(const std::string& path);
  DWORD access, disposition;
  const char* leftForTarget;  // a file that must not exist afterwards, or null
  DWORD error = ERROR_ACCESS_DENIED;
};

// Opens every case in a child that a watchdog ends should an open wait: 0 when each was refused
// with its error and nothing was created through a link, else the failing row + 1.
int OpenSpecialFilesInChild(void* context) {
  alarm(20);
  const auto& [folder, cases] = *static_cast<std::pair<ScratchFolder*, std::vector<SpecialFileCase>*>*>(context);
  for (size_t i = 0; i < cases->size(); ++i) {
    const SpecialFileCase& c = (*cases)[i];
    const std::u16string path = c.name[0] == '/' ? KpHandheldPath(c.name) : folder->handheld(c.name);
    HANDLE file = CreateFileW(path.c_str(), c.access, 0, nullptr, c.disposition, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != c.error) return static_cast<int>(i) + 1;
    if (c.leftForTarget && access(folder->file(c.leftForTarget).c_str(), F_OK) == 0) return static_cast<int>(i) + 1;
  }
  // The loader is not given a FIFO either.
  if (LoadLibraryW(folder->handheld("fifo").c_str()) != nullptr) return 100;
  return 0;
}

TEST(Files, OnlyRegularFilesOpenAndNothingIsWaitedOnOrCreatedThroughALink) {
  ScratchFolder folder;
  auto fifo = [](const std::string& p) { return mkfifo(p.c_str(), 0600); };
  auto toZero = [](const std::string& p) { return symlink("/dev/zero", p.c_str()); };
  auto toNowhere = [](const std::string& p) { return symlink("absent/target.dat", p.c_str()); };
  auto readOnly = [](const std::string& p) {
    WriteWholeFile(p, "kept");
    return chmod(p.c_str(), 0444);
  };
  std::vector<SpecialFileCase> cases = {
      {"a FIFO read (no writer)", "fifo", fifo, GENERIC_READ, OPEN_ALWAYS, nullptr},
      {"a FIFO written (no reader)", "fifo", nullptr, GENERIC_WRITE, OPEN_EXISTING, nullptr},
      {"a FIFO read and written", "fifo", nullptr, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, nullptr},
      {"a link to an endless device", "zero", toZero, GENERIC_READ, OPEN_EXISTING, nullptr},
      {"a device by its own name", "/dev/null", nullptr, GENERIC_READ, OPEN_EXISTING, nullptr},
      {"a link to nowhere, opened always", "dangling", toNowhere, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, "absent/target.dat"},
      {"a link to nowhere, created always", "dangling", nullptr, GENERIC_WRITE, CREATE_ALWAYS, "absent/target.dat"},
      {"a link to nowhere, created new", "dangling", nullptr, GENERIC_WRITE, CREATE_NEW, "absent/target.dat", ERROR_ALREADY_EXISTS},
      {"a read-only file written (whoever asks)", "readonly", readOnly, GENERIC_WRITE, OPEN_EXISTING, nullptr},
      {"a read-only file truncated", "readonly", nullptr, GENERIC_WRITE, CREATE_ALWAYS, nullptr},
  };
  ASSERT_EQ(mkdir(folder.file("absent").c_str(), 0755), 0);
  for (const SpecialFileCase& c : cases) {
    if (c.make) {
      ASSERT_EQ(c.make(folder.file(c.name)), 0) << c.what;
    }
  }
  std::pair<ScratchFolder*, std::vector<SpecialFileCase>*> context{&folder, &cases};
  const int failed = RunInChild(OpenSpecialFilesInChild, &context);
  EXPECT_EQ(failed, 0) << (failed > 0 && failed <= static_cast<int>(cases.size()) ? cases[failed - 1].what
                           : failed == 100                                          ? "LoadLibraryW on a FIFO"
                                                                                    : "the child waited or died");
  EXPECT_EQ(ReadWholeFile(folder.file("readonly")), "kept");
  HANDLE reader = CreateFileW(folder.handheld("readonly").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "a read-only file still reads";
  CloseHandle(reader);
  EXPECT_EQ(GetFileAttributesW(folder.handheld("readonly").c_str()), FILE_ATTRIBUTE_READONLY);
}

TEST(Files, ReadingEndsAtTheSizeTheFileHadWhenOpened) {
  ScratchFolder folder;
  WriteWholeFile(folder.file("growing"), "0123456789");
  HANDLE file = CreateFileW(folder.handheld("growing").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  WriteWholeFile(folder.file("growing"), "0123456789 and what another process appends");
  char buffer[64];
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), "0123456789");
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 0u);
  CloseHandle(file);
}

TEST(Handles, ClosedOrForeignHandlesAreRefused) {
  ScratchFolder folder;
  HANDLE file = OpenExclusive(folder.handheld("h.bin"));
  ASSERT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  DWORD n = 0;
  char c;
  EXPECT_FALSE(ReadFile(file, &c, 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &n, nullptr));
}

}  // namespace
