// The add dialog in the real program: what reaches the saved file for each combination of the
// controls, the length limits, and the refusals. Each run opens the dialog with "일정 추가"
// (32794), fills it through the script, confirms, then exits with the exit command (1), which
// saves the store.
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"
#include "tests/dialogs/saved_entries.h"

using namespace kalmeno_test;

namespace {

const std::string kOpenAdd = "command 32794";
const std::string kConfirm = "command 1";  // "일정추가", or the title bar's OK
const std::string kExitAndSave = "command 1";

// The script lines that open the dialog, apply `settings`, confirm and close the confirmation.
std::vector<std::string> AddEntry(const std::vector<std::string>& settings) {
  std::vector<std::string> script{"wait 100", kOpenAdd, "wait 100"};
  script.insert(script.end(), settings.begin(), settings.end());
  script.insert(script.end(), {kConfirm, "wait 50", "answer", "wait 50"});
  return script;
}

std::vector<SavedEntry> RunAndSave(Kalmeno& k, std::vector<std::string> script) {
  script.insert(script.end(), {kExitAndSave, "wait 200", "quit"});
  k.Run("2007-12-08T10:00:00", script);
  return ReadSavedEntries(k.dataFile);
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(AddDialogE2E, LunarDateWithBothBoxesTickedIsSavedWithAllThreeFlags) {
  Kalmeno k;
  const auto entries = RunAndSave(k, AddEntry({"set 1011 제사", "set 1006 1", "set 1009 1", "set 1008 1",
                                               "set 1005 2008-01-01", "set 1007 09:30:15", "set 1010 큰집"}));
  ASSERT_EQ(entries.size(), 1u);
  const SavedEntry& e = entries[0];
  EXPECT_EQ(e.flags, 0x0111);
  EXPECT_EQ(e.year, 2008);
  EXPECT_EQ(e.month, 1);
  EXPECT_EQ(e.day, 1);
  EXPECT_EQ(e.hour, 9);
  EXPECT_EQ(e.minute, 30);
  EXPECT_EQ(e.second, 15);
  EXPECT_EQ(e.Title(), u"제사");
  EXPECT_EQ(e.Memo(), u"큰집");
  // Everything after the texts is zero.
  EXPECT_EQ(e.titleField, std::u16string(u"제사") + std::u16string(9, u'\0'));
  EXPECT_EQ(MessageBoxTexts(k.lines), std::vector<std::string>{"일정을 추가했습니다."});
}

TEST(AddDialogE2E, FlagsFollowTheKindAndTheTwoBoxes) {
  Kalmeno k;
  const auto entries = RunAndSave(k, Concat(AddEntry({"set 1011 휴일", "set 1008 1"}),  // 양력, holiday only
                                            AddEntry({"set 1011 보통"})));             // nothing ticked
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].flags, 0x0100);
  EXPECT_EQ(entries[1].flags, 0);
}

TEST(AddDialogE2E, PickersStartOnTheCurrentDateAndTime) {
  Kalmeno k;
  const auto entries = RunAndSave(k, AddEntry({"set 1011 오늘"}));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].year, 2007);
  EXPECT_EQ(entries[0].month, 12);
  EXPECT_EQ(entries[0].day, 8);
  EXPECT_EQ(entries[0].hour, 10);
  EXPECT_EQ(entries[0].minute, 0);
}

TEST(AddDialogE2E, LongTitleAndMemoAreCutToTenAndThirtyCharacters) {
  Kalmeno k;
  const auto entries = RunAndSave(k, Concat(AddEntry({"set 1011 가나다라마바사아자차카",  // 11
                                                      "set 1010 123456789012345678901234567890X"}),  // 31
                                            AddEntry({"set 1011 가나다라마바사아자차",  // exactly 10
                                                      "set 1010 123456789012345678901234567890"})));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Title(), u"가나다라마바사아자차");
  EXPECT_EQ(entries[0].Memo(), u"123456789012345678901234567890");
  EXPECT_EQ(entries[0].titleField[10], u'\0');
  EXPECT_EQ(entries[0].memoField[30], u'\0');
  EXPECT_EQ(entries[1].Title(), u"가나다라마바사아자차");
  EXPECT_EQ(entries[1].Memo(), u"123456789012345678901234567890");
}

TEST(AddDialogE2E, ALineBreakInTheMemoCountsAsTwoCharacters) {
  Kalmeno k;
  // 28 characters, a line break and one more: 31 units, of which the last is cut.
  const auto entries = RunAndSave(k, AddEntry({"set 1011 메모", "set 1010 1234567890123456789012345678\\n끝"}));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Memo(), u"1234567890123456789012345678\r\n");
}

TEST(AddDialogE2E, EmptyTitleIsRefusedAndTheDialogStaysOpenWithItsContents) {
  Kalmeno k;
  const auto entries = RunAndSave(
      k, {"wait 100", kOpenAdd, "wait 100", "set 1010 메모만", "set 1009 1", kConfirm, "wait 50", "answer", "wait 50",
          "set 1011 이제", kConfirm, "wait 50", "answer", "wait 50"});
  EXPECT_EQ(MessageBoxTexts(k.lines), (std::vector<std::string>{"제목을 입력하세요.", "일정을 추가했습니다."}));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Title(), u"이제");
  EXPECT_EQ(entries[0].Memo(), u"메모만");
  EXPECT_EQ(entries[0].flags, 0x0010);
}

TEST(AddDialogE2E, ATitleOfOnlyASpaceIsATitle) {
  // Only an empty title is refused: one ASCII space, and the full-width one Korean input gives.
  for (const auto& [line, title] : {std::pair{std::string("set 1011  "), std::u16string(u" ")},
                                    std::pair{std::string("set 1011 \u3000"), std::u16string(u"\u3000")}}) {
    Kalmeno k;
    const auto entries = RunAndSave(k, AddEntry({line}));
    ASSERT_EQ(entries.size(), 1u) << line;
    EXPECT_EQ(entries[0].Title(), title) << line;
  }
}

TEST(AddDialogE2E, CancelAfterTypingAddsNothingAndSaysNothing) {
  Kalmeno k;
  const auto entries =
      RunAndSave(k, {"wait 100", kOpenAdd, "wait 100", "set 1011 취소할것", "set 1008 1", "command 2", "wait 100"});
  EXPECT_TRUE(entries.empty());
  EXPECT_TRUE(MessageBoxTexts(k.lines).empty());
}

TEST(AddDialogE2E, TheSameValuesTwiceGiveTwoIdenticalEntriesAfterTheOldOnes) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, Record(2007, 1, 1, 0, 0, 0, u"원래"));
  const std::vector<std::string> add = AddEntry({"set 1011 반복", "set 1005 2007-12-25", "set 1007 08:00:00"});
  const auto entries = RunAndSave(k, Concat(add, add));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Title(), u"원래");
  EXPECT_EQ(entries[1].Title(), u"반복");
  EXPECT_EQ(entries[1].titleField, entries[2].titleField);
  EXPECT_EQ(entries[1].day, 25);
  EXPECT_EQ(entries[2].day, 25);
}

}  // namespace
