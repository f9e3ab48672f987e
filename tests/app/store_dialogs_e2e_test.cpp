// The month view with the dialogs that change the store: an added entry shows at once and is
// written only by the exit command; a deletion under an open schedule panel closes the panel.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

constexpr int kDec8 = 13;   // December 2007 starts on a Saturday: day d lies in cell d + 5

std::string TwoRecords() {
  return Record(2007, 12, 24, 18, 0, kHoliday, u"성탄 전야", u"", 42) + Record(2007, 11, 1, 9, 30, kLunar, u"생신");
}

// Opens the Add dialog, types a title and confirms; the date picker starts on today.
std::vector<std::string> AddEntryTitled(const std::string& title) {
  return {"command 32794", "wait 100", "set 1011 " + title, "command 1", "wait 100", "answer", "wait 100"};
}

std::vector<std::string> Then(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(StoreDialogsE2E, AnAddedEntryShowsAtOnceButQuitLeavesTheFileAsItWas) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, TwoRecords());
  k.Run("2007-12-08T10:00:00", Then(Then({"wait 100"}, AddEntryTitled("장보기")), {"wait 100", "quit"}));
  EXPECT_EQ(LabelOf(k.lines, kDec8).text, "장보..");
  EXPECT_EQ(TopCountOf(k.lines, kDec8).text, "(1)");
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), TwoRecords());
}

TEST(StoreDialogsE2E, ClosingFromOutsideAfterAddingLeavesTheFileAsItWas) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, TwoRecords());
  k.Run("2007-12-08T10:00:00", Then(Then({"wait 100"}, AddEntryTitled("장보기")), {"command 2", "wait 2000"}));
  EXPECT_EQ(k.result.exitCode, 0);
  EXPECT_EQ(e2e::ReadBytes(k.dataFile), TwoRecords());
}

TEST(StoreDialogsE2E, ExitAfterAddingAppendsTheEntryToTheFile) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, TwoRecords());
  k.Run("2007-12-08T10:00:00", Then(Then({"wait 100"}, AddEntryTitled("장보기")), {"command 1", "wait 2000"}));
  EXPECT_EQ(k.result.exitCode, 0);
  const std::string bytes = e2e::ReadBytes(k.dataFile);
  ASSERT_EQ(bytes.size(), 3u * 98u);
  EXPECT_EQ(bytes.substr(0, 196), TwoRecords());
  EXPECT_EQ(bytes.substr(196, 6), Record(2007, 12, 8, 0, 0, 0, u"").substr(0, 6));   // dated today
  EXPECT_EQ(bytes.substr(196 + 14, 6), Record(0, 0, 0, 0, 0, 0, u"장보기").substr(14, 6));
}

TEST(StoreDialogsE2E, DeletingTheSelectedDaysEntriesInTheListClosesItsPanel) {
  Kalmeno k;
  e2e::WriteBytes(k.dataFile, Record(1945, 8, 15, 0, 0, kYearly | kHoliday, u"광복절") +
                                  Record(2006, 8, 15, 13, 5, 0, u"약속") +
                                  Record(2000, 7, 22, 12, 30, kLunar | kYearly, u"제사"));
  const std::string day15 = Tap(CellX(16), CellY(16));
  k.Run("2006-08-10T10:00:00",
        {"wait 100", day15, "wait 50", day15, "wait 50", day15, "wait 50", day15, "wait 50",   // panel at 3/3
         "command 32795", "wait 100", "set 1012 0:1", "set 1012 1:1", "command 1013",
         "wait 100", "command 1", "wait 200", "shot " + k.Shot("after.png"), day15, "wait 100", "quit"});
  const std::vector<std::string> texts = e2e::Texts(ViewTexts(k.lines));
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "3/3"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "메모"), 4) << "three pages, then 1/1 after the list";
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "1/1"), 1);
  for (const std::string& box : MessageBoxTexts(k.lines)) EXPECT_EQ(box.find("Invalid"), std::string::npos);
  EXPECT_EQ(LabelOf(k.lines, 16).text, "제사..");
}

TEST(StoreDialogsE2E, TheCommandsOpenTheirDialogsOverTheMonthView) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 32784", "wait 100", "command 1", "wait 100", "command 32794",
                                "wait 100", "command 2", "wait 100", "command 32795", "wait 100", "command 1",
                                "wait 100", "quit"});
  std::vector<std::string> opened;
  for (const auto& w : e2e::Select(k.lines, "window"))
    if (opened.empty() || opened.back() != w.fields[0]) opened.push_back(w.fields[0]);
  for (const char* id : {"133", "135", "136"})
    EXPECT_NE(std::find(opened.begin(), opened.end(), id), opened.end()) << "dialog " << id;
  // Each dialog closed again: the month view was painted after the last of them.
  const auto paints = e2e::Select(k.lines, "paint", "102");
  ASSERT_FALSE(paints.empty());
  EXPECT_EQ(e2e::ReadBytes(k.dataFile).size(), 0u);
}

}  // namespace
