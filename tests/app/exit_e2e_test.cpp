// Leaving the program: the exit command saves the store and ends, a failed save keeps the window
// and every entry, and the other ways out leave the data file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

// Records as an older writer may have left them: seconds and bytes after the terminators that
// the program never shows but must keep.
std::string RecordsWithHiddenBytes() {
  std::string a = Record(2007, 12, 24, 18, 0, kHoliday, u"성탄 전야", u"케이크", 42);
  a[14 + 2 * 6] = 'x';   // after the title's terminator
  a[36 + 2 * 10] = 'y';  // after the memo's terminator
  return a + Record(2007, 11, 1, 9, 30, kLunar | kYearly, u"생신") + Record(2008, 1, 1, 0, 0, 0, u"새해", u"", 59);
}

void SetOldModificationTime(const std::string& path) {
  struct utimbuf old{1000000000, 1000000000};
  utime(path.c_str(), &old);
}

time_t ModificationTime(const std::string& path) {
  struct stat st{};
  stat(path.c_str(), &st);
  return st.st_mtime;
}

TEST(ExitE2E, ExitRewritesAnUnchangedFileByteForByte) {
  Kalmeno k;
  const std::string bytes = RecordsWithHiddenBytes();
  e2e::WriteBytes(k.dataFile, bytes);
  SetOldModificationTime(k.dataFile);
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 1", "wait 2000"});
  EXPECT_EQ(k.result.exitCode, 0) << k.result.output;
  EXPECT_TRUE(MessageBoxTexts(k.lines).empty());
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), bytes);
  EXPECT_GT(ModificationTime(k.dataFile), 1000000000) << "the file was written again";
}

TEST(ExitE2E, FirstStartCreatesAnEmptyFileAndExitKeepsItEmpty) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "quit"});
  ASSERT_TRUE(e2e::Exists(k.dataFile));
  EXPECT_EQ(e2e::ReadBytes(k.dataFile).size(), 0u);
  Kalmeno again;
  again.Run("2007-12-08T10:00:00", {"wait 100", "command 1", "wait 2000"});
  EXPECT_EQ(again.result.exitCode, 0);
  EXPECT_EQ(e2e::ReadBytes(again.dataFile).size(), 0u);
}

TEST(ExitE2E, ClosingFromOutsideEndsWithoutWriting) {
  Kalmeno k;
  const std::string bytes = RecordsWithHiddenBytes();
  e2e::WriteBytes(k.dataFile, bytes);
  SetOldModificationTime(k.dataFile);
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 2", "wait 2000"});
  EXPECT_EQ(k.result.exitCode, 0);
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), bytes);
  EXPECT_EQ(ModificationTime(k.dataFile), 1000000000);
}

TEST(ExitE2E, AFailedSaveShowsBothMessagesKeepsTheWindowAndASecondExitSaves) {
  Kalmeno k;
  const std::string bytes = RecordsWithHiddenBytes();
  e2e::WriteBytes(k.dataFile, bytes);
  // A read-only data file is not replaced (whoever runs the program).
  ASSERT_EQ(chmod(k.dataFile.c_str(), 0444), 0);

  // The file becomes writable again once both messages have been shown, and the test says so in
  // the trace; the script exits a second time only after that line.
  std::atomic<bool> finished{false};
  std::thread watcher([&] {
    while (!finished) {
      if (MessageBoxTexts(e2e::ReadTrace(k.trace)).size() >= 2) {
        chmod(k.dataFile.c_str(), 0644);
        std::ofstream(k.trace, std::ios::app) << "test\twritable again\n";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  k.Run("2007-12-08T10:00:00",
        {"wait 100", "command 1", "answer", "answer", "wait 300", Tap(CellX(20), CellY(20)), "wait 100",
         "shot " + k.Shot("still.png"), "wait until trace test writable again", "command 1", "wait 2000"});
  finished = true;
  watcher.join();

  const std::vector<std::string> boxes = MessageBoxTexts(k.lines);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "일정파일을 생성하지 못했습니다.");
  EXPECT_EQ(boxes[1], "일정을 저장하지 못했습니다. 다시 종료해 주세요.");
  for (const auto& box : e2e::Select(k.lines, "msgbox")) EXPECT_EQ(box.fields[0], "Kalmeno");
  // The window stayed and answered the tap; the second exit wrote every entry.
  EXPECT_EQ(ClientPixel(k.Shot("still.png"), CellX(20), CellY(20)), 0xFFE1E1);
  EXPECT_EQ(k.result.exitCode, 0);
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), bytes);
}

}  // namespace
