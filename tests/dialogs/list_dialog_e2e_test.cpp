// The list dialog in the real program: rows and count line, deleting ticked rows, refusing to
// delete nothing. Each run opens it with "일정 목록" (32795); closing it ("닫기", IDOK) and then
// the exit command save the store, so the file shows what the dialog left.
#include <gtest/gtest.h>

#include "tests/app/kalmeno_run.h"
#include "tests/dialogs/saved_entries.h"

using namespace kalmeno_test;

namespace {

const std::string kOpenList = "command 32795";
const std::string kDelete = "command 1013";
const std::string kClose = "command 1";
const std::string kExitAndSave = "command 1";

std::string FiveEntries() {
  return Record(2007, 12, 1, 9, 0, 0, u"하나") + Record(2007, 12, 2, 9, 0, 0, u"둘") +
         Record(2007, 12, 3, 9, 0, 0, u"셋") + Record(2007, 12, 4, 9, 0, 0, u"넷") +
         Record(2007, 12, 5, 9, 0, 0, u"다섯");
}

std::vector<std::u16string> Titles(const std::vector<SavedEntry>& entries) {
  std::vector<std::u16string> titles;
  for (const SavedEntry& e : entries) titles.push_back(e.Title());
  return titles;
}

// The texts the list dialog (template 136) drew itself, in order.
std::vector<std::string> DialogTexts(const std::vector<e2e::TraceLine>& lines) {
  return e2e::Texts(e2e::Select(lines, "text", "136"));
}

std::vector<SavedEntry> RunListAndSave(Kalmeno& k, const std::vector<std::string>& inside) {
  std::vector<std::string> script{"wait 100", kOpenList, "wait 100"};
  script.insert(script.end(), inside.begin(), inside.end());
  script.insert(script.end(), {"wait 100", kClose, "wait 100", kExitAndSave, "wait 200", "quit"});
  k.Run("2007-12-08T10:00:00", script);
  return ReadSavedEntries(k.dataFile);
}

TEST(ListDialogE2E, DeletingTickedRowsTwoAndFourKeepsTheOthersInOrder) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, FiveEntries());
  const auto entries = RunListAndSave(
      k, {"set 1012 1:1", "set 1012 3:1", kDelete, "wait 100", "shot " + k.Shot("after.png"),
          // Nothing is ticked after the rebuild: a second "삭제" is refused.
          kDelete, "wait 50", "answer"});
  EXPECT_EQ(Titles(entries), (std::vector<std::u16string>{u"하나", u"셋", u"다섯"}));
  const auto texts = DialogTexts(k.lines);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "전체일정 : 5개");
  EXPECT_EQ(texts.back(), "전체일정 : 3개");
  EXPECT_EQ(MessageBoxTexts(k.lines), std::vector<std::string>{"삭제할 일정을 선택하세요."});
}

TEST(ListDialogE2E, DeleteWithNothingTickedAsksForASelectionAndChangesNothing) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, FiveEntries());
  // A tap on the first row's date highlights the row without ticking it.
  const auto entries = RunListAndSave(k, {"tap 150 80", "wait 50", kDelete, "wait 50", "answer"});
  EXPECT_EQ(MessageBoxTexts(k.lines), std::vector<std::string>{"삭제할 일정을 선택하세요."});
  EXPECT_EQ(entries.size(), 5u);
}

TEST(ListDialogE2E, TickingEveryRowEmptiesTheStore) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, FiveEntries());
  const auto entries = RunListAndSave(
      k, {"set 1012 0:1", "set 1012 1:1", "set 1012 2:1", "set 1012 3:1", "set 1012 4:1", kDelete, "wait 100"});
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(DialogTexts(k.lines).back(), "전체일정 : 0개");
}

TEST(ListDialogE2E, AnEmptyStoreShowsACountOfZeroAndRefusesToDelete) {
  Kalmeno k;
  const auto entries = RunListAndSave(k, {kDelete, "wait 50", "answer"});
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(DialogTexts(k.lines).back(), "전체일정 : 0개");
  EXPECT_EQ(MessageBoxTexts(k.lines), std::vector<std::string>{"삭제할 일정을 선택하세요."});
}

TEST(ListDialogE2E, RowsShowTheStoredDateNumbersAndTheKind) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, Record(2008, 1, 1, 0, 0, kLunar, u"설날") + Record(2008, 1, 1, 0, 0, 0, u"신정"));
  k.Run("2007-12-08T10:00:00", {"wait 100", kOpenList, "wait 200", "quit"});
  const std::vector<std::string> texts = e2e::Texts(k.lines);
  auto count = [&](const std::string& t) { return std::count(texts.begin(), texts.end(), t); };
  EXPECT_GE(count("설날"), 1);
  EXPECT_GE(count("신정"), 1);
  // Both rows show 2008/01/01: the lunar one its lunar numbers, as stored.
  EXPECT_GE(count("2008/01/01"), 2);
  EXPECT_GE(count("음력"), 1);
  EXPECT_GE(count("양력"), 1);
  EXPECT_GE(count("제목"), 1);  // the column headers
  EXPECT_GE(count("날짜"), 1);
  EXPECT_GE(count("분류"), 1);
}

// A double tap on a row opens its entry in the add dialog, titled "일정 수정" and filled in; its
// button replaces the entry where it stood in the file. What the dialog cannot show (a lunar 30th
// of February, flag bits of its own) stays as stored unless the user changes it.
TEST(ListDialogE2E, ADoubleTapOnARowEditsThatEntryInPlace) {
  const int kOddFlags = 0x1000 | kLunar;
  struct Case {
    const char* what;
    std::vector<std::string> inEditor;
    std::vector<std::u16string> titles;
    int hour, minute, year, month, day, flags;  // of the second entry afterwards
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"title and time changed, the rest kept",
       {"set 1011 둘째", "set 1007 18:45:00", "command 1", "wait 50", "answer"},
       {u"하나", u"둘째", u"셋"}, 18, 45, 2007, 2, 30, kOddFlags, {"일정을 수정했습니다."}},
      {"the date and kind changed", {"set 1005 2008-03-01", "set 1006 0", "command 1", "wait 50", "answer"},
       {u"하나", u"둘", u"셋"}, 9, 0, 2008, 3, 1, 0x1000, {"일정을 수정했습니다."}},
      {"취소 changes nothing", {"command 2"}, {u"하나", u"둘", u"셋"}, 9, 0, 2007, 2, 30, kOddFlags, {}},
      {"an emptied title is refused and the entry kept",
       {"set 1011 ", "command 1", "wait 50", "answer", "command 2"},
       {u"하나", u"둘", u"셋"}, 9, 0, 2007, 2, 30, kOddFlags, {"제목을 입력하세요."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Kalmeno k;
    e2e::WriteBytes(k.dataFile, Record(2007, 12, 1, 9, 0, 0, u"하나") + Record(2007, 2, 30, 9, 0, kOddFlags, u"둘") +
                                    Record(2007, 12, 3, 9, 0, 0, u"셋"));
    // The second row, twice in a row.
    std::vector<std::string> inside{"tap 150 104", "tap 150 104", "wait 100"};
    inside.insert(inside.end(), c.inEditor.begin(), c.inEditor.end());
    const auto entries = RunListAndSave(k, inside);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(Titles(entries), c.titles);
    const SavedEntry& e = entries[1];
    EXPECT_EQ(std::vector<int>({e.hour, e.minute, e.year, e.month, e.day, e.flags}),
              std::vector<int>({c.hour, c.minute, c.year, c.month, c.day, c.flags}));
    EXPECT_EQ(MessageBoxTexts(k.lines), c.messages);
    EXPECT_TRUE(e2e::HasText(k.lines, "일정수정")) << "the dialog's button";
    EXPECT_TRUE(e2e::HasText(k.lines, "2007/02/30")) << "the row as stored before";
  }
}

}  // namespace
