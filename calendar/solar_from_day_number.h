#pragma once
// The inverse of DayNumber, for the lunar-to-solar direction. dayNumber must be >= 1.
namespace lunar {
void SolarFromDayNumber(long dayNumber, int* year, int* month, int* day);
}
