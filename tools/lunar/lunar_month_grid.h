#pragma once
// A month laid out like `cal`, with each day's lunar month and day under its solar day.
#include <string>

namespace lunar_tool {

// Appends the grid of one solar month (year >= 1, month 1..12). Returns false when some day of
// the month has no lunar date in the table (shown as "-"). markedDay (0: none) is shown in
// reverse video, for today on a terminal.
// holidays: public holidays carry "*" after their number and are listed under the grid.
// terms: a solar term's name takes the place of its day's lunar date; the terms and their
// moments are listed under the grid.
struct MonthMarks {
  bool holidays = false, terms = false;
};
bool AppendMonthGrid(int year, int month, std::string& out, int markedDay = 0, MonthMarks marks = {});

}  // namespace lunar_tool
