// Reminders in this process: with no session bus, each one shows as the screen's bubble, which
// the trace records. What is announced when, and how often.
#include "tests/today/today_fixture.h"

namespace {

std::vector<std::string> Bubbles(const std::vector<e2e::TraceLine>& trace) {
  std::vector<std::string> texts;
  for (const e2e::TraceLine& line : e2e::Select(trace, "bubble")) texts.push_back(line.fields.back());
  return texts;
}

TEST_F(TodayItemTest, ReminderSwitchedOffOrWithoutAPositiveValueAnnouncesNothing) {
  struct Row { int value, unit; const char* why; };
  const Row rows[] = {{30, 0, "사용안함"}, {0, 1, "a value of 0"}, {-30, 2, "a negative value"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    WriteEntries({MakeEntry(2007, 12, 8, 15, 10, u"회의")});
    CreateItem();
    ChooseReminder(row.value, row.unit);
    ClearTrace();
    QueryRefresh();
    EXPECT_THAT(Bubbles(Trace()), ::testing::IsEmpty());
    DestroyWindow(m_item);
    FreeLibrary(m_library);
    m_item = nullptr;
    m_library = nullptr;
  }
}

TEST_F(TodayItemTest, EntryAddedWhileTheItemRunsIsAnnouncedOnceWhenItsReminderTimeComes) {
  WriteEntries({MakeEntry(2007, 12, 20, 9, 0, u"송년회")});
  CreateItem();
  ChooseReminder(20, 1);
  QueryRefresh();
  WriteEntries({MakeEntry(2007, 12, 20, 9, 0, u"송년회"), MakeEntry(2007, 12, 8, 15, 30, u"치과 <&>")});
  QueryRefresh();
  EXPECT_THAT(Bubbles(Trace()), ::testing::IsEmpty()) << "15:30 less 20 minutes is still to come";
  SetNow("2007-12-08T15:10:00");
  QueryRefresh();
  SetNow("2007-12-08T15:29:00");
  QueryRefresh();
  // An entry added in front moves the others in the file: the occurrence is still the same one.
  WriteEntries({MakeEntry(2007, 12, 1, 9, 0, u"지난일"), MakeEntry(2007, 12, 20, 9, 0, u"송년회"),
                MakeEntry(2007, 12, 8, 15, 30, u"치과 <&>")});
  QueryRefresh();
  EXPECT_THAT(Bubbles(Trace()), ::testing::ElementsAre("오늘(토) 15:30 치과 <&>"));
}

TEST_F(TodayItemTest, DaysBeforeReachIntoNextYearsYearlyEntries) {
  SetNow("2007-12-30T10:00:00");
  WriteEntries({MakeEntry(2000, 1, 2, 10, 0, u"생일", SCHEDULE_YEARLY)});
  CreateItem();
  ChooseReminder(3, 3);
  QueryRefresh();
  EXPECT_THAT(Bubbles(Trace()), ::testing::ElementsAre("3일뒤(수) 10:00 생일"));
}

TEST_F(TodayItemTest, EntryThatTakesAnAnnouncedOnesPlaceInTheListWithinTheMinuteIsAnnouncedToo) {
  SetNow("2007-12-08T15:15:00");
  WriteEntries({MakeEntry(2007, 12, 8, 15, 30, u"회의"), MakeEntry(2007, 12, 20, 9, 0, u"송년회")});
  CreateItem();
  ChooseReminder(20, 1);
  QueryRefresh();
  // Written in front, the new entry stands first in a list as long as before, where the announced
  // one stood.
  WriteEntries({MakeEntry(2007, 12, 8, 15, 20, u"전화"), MakeEntry(2007, 12, 8, 15, 30, u"회의")});
  QueryRefresh();
  EXPECT_THAT(Bubbles(Trace()), ::testing::ElementsAre("오늘(토) 15:30 회의", "오늘(토) 15:20 전화"));
}

}  // namespace
