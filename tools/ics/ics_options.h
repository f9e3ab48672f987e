#pragma once
// The command line of kalmeno-ics, parsed without side effects (nothing printed, no clock read):
// the caller passes this year, for the default range.
#include <string>

namespace ics_tool {

// The lunar table covers these years; yearly lunar entries are expanded within them.
constexpr int kFirstTableYear = 1841;
constexpr int kLastTableYear = 2043;

enum class IcsMode { Export, Help, Version, UsageError };

struct IcsOptions {
  IcsMode mode = IcsMode::Export;
  std::string dataPath;    // empty: the installed data file named by the Today item's registry value
  std::string outputPath;  // empty: standard output
  int fromYear = 0, toYear = 0;  // solar years whose yearly lunar dates are written, inclusive
  bool rscale = false;     // one lunar-rule event (RSCALE=DANGI) per yearly lunar entry instead
  bool holidays = false;   // the public holidays of the years instead of the entries (no data file)
  std::string error;       // UsageError: one line, without the program name
};

// argv[0] is ignored. --from defaults to thisYear and --to to --from + 10, never past 2043; both
// must lie in 1841..2043 (2000..2043 with --holidays) and --from may not follow --to.
IcsOptions ParseIcsArguments(int argc, const char* const* argv, int thisYear);

}  // namespace ics_tool
