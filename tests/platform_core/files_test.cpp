// Files: both path forms, create dispositions, and sharing seen across opens and processes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core_test_support.h"
#include "kp_platform.h"

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
