#pragma once
// The tools' command lines in the GNU convention, through glibc's getopt_long: long options also
// as --opt=value and by any unambiguous prefix, options and operands in any order, and "--"
// ending the options. getopt_long keeps global state and reorders the array it is given; the
// scanner works on its own copy and resets that state, so parsing stays free of side effects.
#include <getopt.h>

#include <string>
#include <vector>

namespace tool_options {

class OptionScanner {
 public:
  // longOptions ends with a zero entry, as getopt_long wants; shortOptions without the leading
  // ':' (added here, so that a missing value is told from an unknown option).
  OptionScanner(int argc, const char* const* argv, const option* longOptions, const char* shortOptions);

  // The next option's `val`; '?' for an unknown or ambiguous option (or a value given to an option
  // that takes none), ':' for a missing value; -1 when the options are over.
  int Next();
  // The value of the option just returned, or nullptr.
  const char* Value() const { return m_value; }
  // The argument just refused ('?' or ':'), as the user typed it.
  std::string Offending() const;
  // An option with an optional value written apart ("--month 2026-12") takes the next argument as
  // its value when it does not start with '-'. Returns that value, or nullptr.
  const char* TakeSeparateValue();
  // The operands (non-options) in their order, once Next() has returned -1.
  std::vector<std::string> Operands() const;

 private:
  std::vector<std::string> m_storage;
  std::vector<char*> m_argv;
  const option* m_longOptions;
  std::string m_shortOptions;
  const char* m_value = nullptr;
  int m_lastOption = 0;
};

}  // namespace tool_options
