#pragma once
// Korean lunar calendar for the lunar years 1841..2043, from a table of lunar month lengths
// (no astronomy), and the proleptic Gregorian day count it rests on.
#include <cstdint>

#pragma pack(push, 1)
// The result of SolarToLunar, 41 bytes. Callers clear it before a call and may compare two
// records byte for byte. The sz fields hold NUL-terminated CP949 text (two bytes a syllable).
struct LunarDate {
  uint16_t wLunarYear;         // 1841..2043
  uint16_t wDangunYear;        // the solar input year + 2333
  uint8_t byMonth, byDay;      // lunar month 1..12, day 1..30
  uint8_t byWeekday;           // 0 = Sunday .. 6 = Saturday
  uint8_t byLeap;              // 1 in a leap month
  char szYearGanji[5];         // stem and branch of the lunar year, Hangul
  char szWeekday[3];           // one-syllable weekday, Hangul
  char szDayGanji[5];          // stem and branch of the day, Hangul
  char szZodiac[7];            // animal of the lunar year, up to three syllables
  char szYearGanjiHanja[5];
  char szWeekdayHanja[3];
  char szDayGanjiHanja[5];
};
static_assert(sizeof(LunarDate) == 41, "LunarDate is a 41-byte record");

// The result of LunarToSolar, 5 bytes.
struct SolarDate {
  uint16_t wYear;              // 1841..2044
  uint8_t byMonth, byDay;
  uint8_t byWeekday;           // 0 = Sunday .. 6 = Saturday
};
static_assert(sizeof(SolarDate) == 5, "SolarDate is a 5-byte record");
#pragma pack(pop)

// Converts a Gregorian date to its Korean lunar date. Accepts 1841-01-23 (lunar 1841-01-01)
// to 2043-12-31; returns 1 and fills *out, or returns 0 and leaves *out untouched for any other
// input (including 1841-01-01..22, which belong to lunar 1840, outside the table).
int SolarToLunar(int year, int month, int day, LunarDate* out);

// Converts a lunar date to its Gregorian date. leap == 1 asks for the leap month of that
// number; a month without a leap month then means the regular month. Returns 1 and fills *out,
// or 0 (out untouched) for a year outside 1841..2043, a month outside 1..12 or a day outside the
// month. Lunar 2043-12-30 gives 2044-01-29.
int LunarToSolar(int lunarYear, int lunarMonth, int lunarDay, int leap, SolarDate* out);

// Length of a lunar month in days: 29 or 30. leap == 1 asks for the leap month after
// lunarMonth, which is 0 days long where the year has none. 0 for a year outside 1841..2043 or a
// month outside 1..12.
int LunarMonthLength(int lunarYear, int lunarMonth, int leap);

// Days since the start of the proleptic Gregorian calendar, 1 = 0001-01-01. Year >= 1, month
// 1..12, day 1..31 (not checked). This is the one day count every other count derives from.
long DayNumber(int year, int month, int day);
// The weekday of a day number, 0 = Sunday .. 6 = Saturday (day 1, 0001-01-01, was a Monday).
// dayNumber must be >= 0.
int WeekdayOfDayNumber(long dayNumber);
// The weekday of a Gregorian date, 0 = Sunday; the same preconditions as DayNumber.
int SolarWeekday(int year, int month, int day);

bool IsGregorianLeapYear(int year);
// Month must be 1..12.
int DaysInSolarMonth(int year, int month);
// True when the date exists in the proleptic Gregorian calendar: year >= 1, month 1..12 and the
// day within the month.
bool IsSolarDate(int year, int month, int day);

// DayNumber(1841, 1, 22), the day before lunar 1841-01-01.
constexpr long LUNAR_EPOCH_DAY = 672068;

// Month-length codes, one row per lunar year from 1841 (row 0) to 2043 (row 202). Codes:
// 1 = 29 days, 2 = 30 days; 3..6 = a month followed by its leap month, of 29+29, 29+30,
// 30+29 and 30+30 days. At most one leap code per row.
extern const unsigned char LunarMonthTable[203][12];
