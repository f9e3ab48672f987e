// A data file the application did not write must not bring the Today screen down.
#include "tests/today/today_fixture.h"

#include <random>

namespace {

TEST_F(TodayItemTest, TrailingFragmentIsIgnored) {
  std::string bytes = EntryBytes({MakeEntry(2007, 12, 9, 9, 0, u"하나")});
  bytes += std::string(50, '\x07');
  e2e::WriteBytes(m_dataPath, bytes);
  CreateItem();
  ChooseOptions(1, 1, 1, 0);
  QueryRefresh();
  EXPECT_THAT(PaintedLines(), testing::ElementsAre("내일(일) 09:00 하나", "더 이상 표시할 일정이 없습니다."));
}

TEST_F(TodayItemTest, TitleWithoutTerminatorIsCutToTenCharacters) {
  ScheduleEntry entry = MakeEntry(2007, 12, 9, 9, 0, u"");
  for (WCHAR& unit : entry.szTitle) unit = u'가';
  for (WCHAR& unit : entry.szMemo) unit = u'나';
  WriteEntries({entry});
  CreateItem();
  ChooseOptions(1, 0, 0, 0);
  QueryRefresh();
  // The D-day line is too wide for ten characters: its title is shortened instead of its count.
  EXPECT_THAT(PaintedLines(), testing::ElementsAre("내일(일) 09:00 가가가가가가가가가가",
                                                   "가가가가가가가…이(가) 1일 남았습니다."));
}

TEST_F(TodayItemTest, RandomRecordsNeverCrashTheItem) {
  std::mt19937 random(20071208);
  CreateItem();
  ChooseOptions(0, 4, 0, 3);
  for (int round = 0; round < 40; ++round) {
    std::string bytes((size_t)(random() % 3000), '\0');
    for (char& byte : bytes) byte = (char)random();
    // Some records with plausible dates, so that lines and the D-day are drawn from them too.
    for (size_t at = 0; at + 98 <= bytes.size(); at += 98 * 3) {
      bytes[at] = (char)0xD7;
      bytes[at + 1] = 0x07;
      bytes[at + 2] = (char)(1 + random() % 12);
      bytes[at + 3] = 0;
    }
    e2e::WriteBytes(m_dataPath, bytes);
    QueryRefresh();
    std::vector<std::string> lines = PaintedLines();
    ASSERT_GE(lines.size(), 1u);
  }
}

}  // namespace
