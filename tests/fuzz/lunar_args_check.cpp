#include "tests/fuzz/lunar_args_check.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/lunar/lunar_args.h"
#include "tools/lunar/lunar_holidays.h"
#include "tools/lunar/lunar_lines.h"
#include "tools/lunar/lunar_month_grid.h"
#include "tools/lunar/lunar_next.h"

namespace {

using namespace lunar_tool;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "converter argument check failed: %s (%s)\n", what, detail.c_str());
  std::abort();
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsGregorianDate(const Date& date) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  return date.day <= kDays[date.month - 1] + (date.month == 2 && IsLeapYear(date.year) ? 1 : 0);
}

// The printed text goes to a terminal: whole lines, nothing after the last newline.
void CheckLines(const std::string& out, const std::string& args) {
  if (out.empty() || out.back() != '\n') Fail("output does not end in a newline", args);
}

}  // namespace

void CheckLunarArgumentBytes(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1, "kalmeno-lunar");
  std::string current;
  bool any = false;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0 || data[i] == '\n') {
      words.push_back(current);
      current.clear();
      any = false;
    } else {
      current += (char)data[i];
      any = true;
    }
  }
  if (any) words.push_back(current);
  std::vector<const char*> argv;
  std::string joined;
  for (const std::string& word : words) {
    argv.push_back(word.c_str());
    joined += word + " ";
  }
  argv.push_back(nullptr);

  const Arguments args = ParseArguments((int)words.size(), argv.data());
  const Arguments again = ParseArguments((int)words.size(), argv.data());
  if (again.mode != args.mode || again.error != args.error) Fail("the same arguments parsed twice differ", joined);
  if ((args.mode == Mode::UsageError) != !args.error.empty()) Fail("an error text without a usage error", joined);
  if (args.error.find('\n') != std::string::npos) Fail("the error is more than one line", joined);

  std::string out;
  switch (args.mode) {
    case Mode::Solar: {
      if (!IsGregorianDate(args.first) || !IsGregorianDate(args.last)) Fail("a solar date that does not exist", joined);
      // A range can span thousands of years; its first line stands for all of them here.
      AppendSolarLine(args.first, args.tsv, out);
      CheckLines(out, joined);
      break;
    }
    case Mode::Lunar:
      if (args.first.month < 1 || args.first.month > 12 || args.first.day < 1 || args.first.day > 30)
        Fail("a lunar month or day out of range", joined);
      AppendLunarLine(args.first, args.leap, args.tsv, out);
      CheckLines(out, joined);
      break;
    case Mode::Month:
      if (args.thisMonth) break;  // the month comes from the clock
      if (args.first.month < 1 || args.first.month > 12) Fail("a month out of range", joined);
      AppendMonthGrid(args.first.year, args.first.month, out, 0, {args.markHolidays, args.markTerms});
      CheckLines(out, joined);
      break;
    case Mode::Next: {
      if (args.first.month < 1 || args.first.month > 12 || args.first.day < 1 || args.first.day > 30)
        Fail("a lunar month or day out of range", joined);
      if (args.count < 1 || args.count > 999) Fail("a count out of range", joined);
      if (args.from.year && !IsGregorianDate(args.from)) Fail("a from date that does not exist", joined);
      const Date from = args.from.year ? args.from : Date{2026, 12, 7};
      const int found = AppendNextAnniversaries(args.first.month, args.first.day, args.leap, from, args.count, args.tsv, out);
      if (found > args.count) Fail("more dates than asked for", joined);
      if (found) CheckLines(out, joined);
      break;
    }
    case Mode::Holidays:
    case Mode::Terms:
      if (args.thisYear) break;  // the year comes from the clock
      if (args.first.year < 1) Fail("a year out of range", joined);
      // A year without a table is refused (false) with nothing printed; a year with one gives whole lines.
      if (args.mode == Mode::Holidays ? AppendHolidayLines(args.first.year, args.tsv, out)
                                      : AppendTermLines(args.first.year, args.tsv, out))
        CheckLines(out, joined);
      else if (!out.empty())
        Fail("a refused year printed lines", joined);
      break;
    case Mode::Today:
    case Mode::Version:
    case Mode::Help:
    case Mode::UsageError:
      break;
  }
}
