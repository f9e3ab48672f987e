#pragma once
// The command line of kalmeno-lunar, parsed without side effects so that it can be tested and
// fuzzed on its own: same arguments, same result, nothing printed.
#include <string>

namespace lunar_tool {

struct Date {
  int year = 0, month = 0, day = 0;
};

enum class Mode {
  Today,        // no date: today's solar date and its lunar date
  Solar,        // one solar date or an inclusive range first..last
  Lunar,        // --lunar: one lunar date to its solar date
  Month,        // --month: a month grid (first.year, first.month; this month when thisMonth)
  Next,         // --next: the coming solar dates of the yearly lunar date first.month-first.day
  Help,         // --help
  Version,      // --version
  UsageError,   // anything else; `error` says what is wrong and what is accepted
};

struct Arguments {
  Mode mode = Mode::Today;
  bool tsv = false;
  bool leap = false;  // --leap: the lunar date is in the leap month of its number
  bool thisMonth = false;  // --month without a value: the month of today, which the caller knows
  Date first, last;
  int count = 10;      // --next: how many dates
  Date from;           // --next: from this solar date on; year 0 when not given (today)
  std::string error;  // one line, without the program name
};

// argv[0] is the program and is ignored. Options follow the GNU convention (--opt=value, "--"
// ends the options, unambiguous prefixes). Solar dates must be real Gregorian dates (year
// 1..9999); a lunar date needs month 1..12 and day 1..30 (whether that lunar month is long
// enough is the conversion's to say); --next takes MM-DD under the same limits and --count 1..999.
Arguments ParseArguments(int argc, const char* const* argv);

}  // namespace lunar_tool
