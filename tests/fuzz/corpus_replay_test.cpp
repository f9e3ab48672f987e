// Replays every file of the schedule corpus (seeds and whatever fuzzing found worth keeping)
// through the fuzzer's check, so the normal and sanitizer builds guard those inputs too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// The same test replays the other targets' corpora, built with their check and folder.
#ifndef KP_CORPUS_CHECK
#define KP_CORPUS_CHECK CheckScheduleFileBytes
#define KP_CORPUS_HEADER "tests/fuzz/schedule_file_check.h"
#endif
#include KP_CORPUS_HEADER

TEST(ScheduleCorpus, EveryKeptInputPassesTheFileCheck) {
  int replayed = 0;
  for (const auto& item : std::filesystem::directory_iterator(KP_SCHEDULE_CORPUS)) {
    if (!item.is_regular_file() || item.path().extension() == ".py") continue;
    std::ifstream in(item.path(), std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(item.path().filename().string());
    KP_CORPUS_CHECK(bytes.data(), bytes.size());
    ++replayed;
  }
  EXPECT_GE(replayed, 5) << "the corpus holds its seeds";
}
