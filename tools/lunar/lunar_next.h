#pragma once
// The coming solar dates of a yearly lunar date (a lunar birthday, a memorial rite), by the rule
// the month view keeps: the regular month of that number, a 30th on the 29th of a short month.
#include <string>

#include "tools/lunar/lunar_args.h"

namespace lunar_tool {

// Appends one line (AppendLunarLine's form) for each of the first `count` solar dates on or after
// `from` on which lunar month-day falls, year after year. With `leap`, a year that has the leap
// month of that number uses it (its 30th, too, kept on its last day); other years use the regular
// month. Returns how many dates were found: fewer than `count` where the table (to 2043) ends.
int AppendNextAnniversaries(int month, int day, bool leap, const Date& from, int count, bool tsv, std::string& out);

}  // namespace lunar_tool
