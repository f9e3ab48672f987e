// CP949 (Korean code page) bytes of the calendar's names, two bytes a character, each list in
// index order. Computed once with Python's 'cp949' codec, e.g. '갑'.encode('cp949') == b'\xb0\xa9';
// the UTF-8 text is in the comment after each entry.
#include "calendar/lunar_names.h"

namespace lunar {

const char kStemHangul[10][3] = {
    "\xB0\xA9" /* 갑 */, "\xC0\xBB" /* 을 */, "\xBA\xB4" /* 병 */, "\xC1\xA4" /* 정 */, "\xB9\xAB" /* 무 */,
    "\xB1\xE2" /* 기 */, "\xB0\xE6" /* 경 */, "\xBD\xC5" /* 신 */, "\xC0\xD3" /* 임 */, "\xB0\xE8" /* 계 */};

const char kStemHanja[10][3] = {
    "\xCB\xA3" /* 甲 */, "\xEB\xE0" /* 乙 */, "\xDC\xB0" /* 丙 */, "\xEF\xCB" /* 丁 */, "\xD9\xE6" /* 戊 */,
    "\xD0\xF9" /* 己 */, "\xCC\xD2" /* 庚 */, "\xE3\xF4" /* 辛 */, "\xEC\xF3" /* 壬 */, "\xCD\xA4" /* 癸 */};

const char kBranchHangul[12][3] = {
    "\xC0\xDA" /* 자 */, "\xC3\xE0" /* 축 */, "\xC0\xCE" /* 인 */, "\xB9\xA6" /* 묘 */,
    "\xC1\xF8" /* 진 */, "\xBB\xE7" /* 사 */, "\xBF\xC0" /* 오 */, "\xB9\xCC" /* 미 */,
    "\xBD\xC5" /* 신 */, "\xC0\xAF" /* 유 */, "\xBC\xFA" /* 술 */, "\xC7\xD8" /* 해 */};

const char kBranchHanja[12][3] = {
    "\xED\xAD" /* 子 */, "\xF5\xE4" /* 丑 */, "\xEC\xD9" /* 寅 */, "\xD9\xD6" /* 卯 */,
    "\xF2\xE3" /* 辰 */, "\xDE\xD3" /* 巳 */, "\xE7\xED" /* 午 */, "\xDA\xB1" /* 未 */,
    "\xE3\xE9" /* 申 */, "\xEB\xB7" /* 酉 */, "\xE2\xF9" /* 戌 */, "\xFA\xA4" /* 亥 */};

const char kAnimal[12][7] = {
    "\xC1\xE3" /* 쥐 */, "\xBC\xD2" /* 소 */, "\xB9\xFC" /* 범 */, "\xC5\xE4\xB3\xA2" /* 토끼 */,
    "\xBF\xEB" /* 용 */, "\xB9\xEC" /* 뱀 */, "\xB8\xBB" /* 말 */, "\xBE\xE7" /* 양 */,
    "\xBF\xF8\xBC\xFE\xC0\xCC" /* 원숭이 */, "\xB4\xDF" /* 닭 */, "\xB0\xB3" /* 개 */,
    "\xB5\xC5\xC1\xF6" /* 돼지 */};

const char kWeekdayHangul[7][3] = {
    "\xC0\xCF" /* 일 */, "\xBF\xF9" /* 월 */, "\xC8\xAD" /* 화 */, "\xBC\xF6" /* 수 */,
    "\xB8\xF1" /* 목 */, "\xB1\xDD" /* 금 */, "\xC5\xE4" /* 토 */};

const char kWeekdayHanja[7][3] = {
    "\xEC\xED" /* 日 */, "\xEA\xC5" /* 月 */, "\xFB\xFD" /* 火 */, "\xE2\xA9" /* 水 */,
    "\xD9\xCA" /* 木 */, "\xD1\xD1" /* 金 */, "\xF7\xCF" /* 土 */};

}  // namespace lunar
