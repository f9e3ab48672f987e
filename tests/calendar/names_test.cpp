// The name fields hold CP949 bytes. Expected bytes were taken from the code page, e.g.
// python3 -c "print('갑자'.encode('cp949'))", and are compared byte for byte, terminator included.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/lunar_calendar.h"

namespace {

// The field as raw bytes up to and including its terminator (empty if there is none).
template <size_t N>
std::string Field(const char (&field)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (field[i] == '\0') return std::string(field, i + 1);
  return {};
}

std::string Bytes(const char* cp949) { return std::string(cp949) + '\0'; }

TEST(LunarNames, Year1984IsGapjaTheRat) {
  LunarDate out{};
  ASSERT_EQ(SolarToLunar(1984, 2, 2, &out), 1);
  EXPECT_EQ(Field(out.szYearGanji), Bytes("\xB0\xA9\xC0\xDA"));       // 갑자
  EXPECT_EQ(Field(out.szYearGanjiHanja), Bytes("\xCB\xA3\xED\xAD"));  // 甲子
  EXPECT_EQ(Field(out.szZodiac), Bytes("\xC1\xE3"));                  // 쥐
  EXPECT_EQ(Field(out.szWeekday), Bytes("\xB8\xF1"));                 // 목 (a Thursday)
  EXPECT_EQ(Field(out.szWeekdayHanja), Bytes("\xD9\xCA"));            // 木
}

TEST(LunarNames, TheYearChangesAtTheLunarNewYearNotOnFirstJanuary) {
  LunarDate eve{}, newYear{};
  ASSERT_EQ(SolarToLunar(2010, 2, 13, &eve), 1);
  ASSERT_EQ(SolarToLunar(2010, 2, 14, &newYear), 1);
  EXPECT_EQ(Field(eve.szYearGanji), Bytes("\xB1\xE2\xC3\xE0"));      // 기축
  EXPECT_EQ(Field(eve.szZodiac), Bytes("\xBC\xD2"));                 // 소
  EXPECT_EQ(Field(newYear.szYearGanji), Bytes("\xB0\xE6\xC0\xCE"));  // 경인
  EXPECT_EQ(Field(newYear.szZodiac), Bytes("\xB9\xFC"));             // 범
  EXPECT_EQ(Field(newYear.szWeekday), Bytes("\xC0\xCF"));            // 일
  EXPECT_EQ(Field(newYear.szWeekdayHanja), Bytes("\xEC\xED"));       // 日
}

TEST(LunarNames, DayStemAndBranchOfFirstMarch2000IsMuo) {
  LunarDate out{};
  ASSERT_EQ(SolarToLunar(2000, 3, 1, &out), 1);
  EXPECT_EQ(Field(out.szDayGanji), Bytes("\xB9\xAB\xBF\xC0"));       // 무오
  EXPECT_EQ(Field(out.szDayGanjiHanja), Bytes("\xD9\xE6\xE7\xED"));  // 戊午
  EXPECT_EQ(Field(out.szYearGanji), Bytes("\xB0\xE6\xC1\xF8"));      // 경진 (2000)
}

TEST(LunarNames, ThreeSyllableAnimalFillsItsWholeField) {
  LunarDate out{};
  ASSERT_EQ(SolarToLunar(2016, 2, 8, &out), 1);                                // Seollal 2016
  EXPECT_EQ(Field(out.szYearGanji), Bytes("\xBA\xB4\xBD\xC5"));               // 병신
  EXPECT_EQ(Field(out.szZodiac), Bytes("\xBF\xF8\xBC\xFE\xC0\xCC"));          // 원숭이
}

// The Today item compares whole records to notice a new day, so every byte must be written.
TEST(LunarNames, EveryByteOfTheRecordIsWrittenWhateverItHeldBefore) {
  LunarDate cleared, dirty;
  std::memset(&cleared, 0, sizeof cleared);
  std::memset(&dirty, 0xFF, sizeof dirty);
  ASSERT_EQ(SolarToLunar(2026, 12, 7, &cleared), 1);
  ASSERT_EQ(SolarToLunar(2026, 12, 7, &dirty), 1);
  EXPECT_EQ(std::memcmp(&cleared, &dirty, sizeof cleared), 0);
}

}  // namespace
