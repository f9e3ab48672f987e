// Day number to Gregorian date without loops: the year is counted in 400-year eras that start on
// 1 March, so that the leap day falls at the end of the counted year (H. Hinnant's
// "civil_from_days" method, shifted to day 1 = 0001-01-01).
#include "calendar/solar_from_day_number.h"

namespace lunar {

void SolarFromDayNumber(long dayNumber, int* year, int* month, int* day) {
  // Days since 0000-03-01: 0001-01-01 is 306 days after it.
  long z = dayNumber + 305;
  long era = z / 146097;
  long dayOfEra = z - era * 146097;                                                   // 0..146096
  long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
  long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);     // 0..365
  long shiftedMonth = (5 * dayOfYear + 2) / 153;                                       // 0 = March
  *day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  *month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  *year = static_cast<int>(yearOfEra + era * 400 + (*month <= 2 ? 1 : 0));
}

}  // namespace lunar
