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
  Month,        // --month: a month grid (first.year, first.month)
  Help,         // --help
  UsageError,   // anything else; `error` says what is wrong and what is accepted
};

struct Arguments {
  Mode mode = Mode::Today;
  bool tsv = false;
  bool leap = false;  // --leap: the lunar date is in the leap month of its number
  Date first, last;
  std::string error;  // one line, without the program name
};

// argv[0] is the program and is ignored. Solar dates must be real Gregorian dates (year
// 1..9999); a lunar date needs month 1..12 and day 1..30 (whether that lunar month is long
// enough is the conversion's to say).
Arguments ParseArguments(int argc, const char* const* argv);

}  // namespace lunar_tool
