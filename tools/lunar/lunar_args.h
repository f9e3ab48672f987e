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
  Holidays,     // --holidays: the public holidays of first.year (this year when thisYear)
  Terms,        // --terms: the solar terms of first.year (this year when thisYear)
  Help,         // --help
  Version,      // --version
  UsageError,   // anything else; `error` says what is wrong and what is accepted
};

struct Arguments {
  Mode mode = Mode::Today;
  bool tsv = false;
  bool leap = false;  // --leap: the lunar date is in the leap month of its number
  bool thisMonth = false;  // --month without a value: the month of today, which the caller knows
  bool thisYear = false;   // --holidays or --terms without a value: this year
  bool markHolidays = false, markTerms = false;  // --month with --holidays / --terms
  Date first, last;
  int count = 10;      // --next: how many dates
  Date from;           // --next: from this solar date on; year 0 when not given (today)
  std::string error;  // one line, without the program name
};

// argv[0] is the program and is ignored. Options follow the GNU convention (--opt=value, "--"
// ends the options, unambiguous prefixes). Solar dates must be real Gregorian dates (year
// 1..9999); a lunar date needs month 1..12 and day 1..30 (whether that lunar month is long
// enough is the conversion's to say); --next takes MM-DD under the same limits and --count 1..999.
// --holidays and --terms take an optional year (1..9999); beside --month they take none and mark
// the grid instead.
Arguments ParseArguments(int argc, const char* const* argv);

}  // namespace lunar_tool
