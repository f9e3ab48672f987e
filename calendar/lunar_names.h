#pragma once
// Korean names of stems, branches, animals and weekdays as CP949 bytes (lunar_names.cpp), so
// that the conversion fills its text fields without any code-page conversion at run time.

namespace lunar {

extern const char kStemHangul[10][3];    // 갑 을 병 정 무 기 경 신 임 계
extern const char kStemHanja[10][3];     // 甲 乙 丙 丁 戊 己 庚 辛 壬 癸
extern const char kBranchHangul[12][3];  // 자 축 인 묘 진 사 오 미 신 유 술 해
extern const char kBranchHanja[12][3];   // 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥
extern const char kAnimal[12][7];        // 쥐 소 범 토끼 용 뱀 말 양 원숭이 닭 개 돼지
extern const char kWeekdayHangul[7][3];  // WeekdayName's syllables in CP949, 0 = Sunday
extern const char kWeekdayHanja[7][3];   // 日 月 火 水 木 金 土

}  // namespace lunar
