#pragma once
// Helpers for the tests of kalmeno-ics: data files made of records, the real tool run on them,
// its stream read back by libical, and khal, a real calendar client, importing it.
#include <map>
#include <string>
#include <vector>

#include "tests/support/e2e.h"
#include "tests/support/records.h"

namespace ics_test {

struct IcsRun {
  int exitCode = -1;
  std::string out, err;
};

// Runs kalmeno-ics with `args` (stdout and stderr apart), the clock at 2026-12-07 unless env says.
IcsRun RunIcs(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {});

struct ParsedEvent {
  std::string uid, start, summary, description, categories, rrule;  // start: YYYY-MM-DD[ HH:MM:SS]
  bool floating = true;  // no time zone and not UTC
};
// Parses the stream with libical; `errors` receives every problem libical reports.
std::vector<ParsedEvent> ParseEvents(const std::string& ics, std::vector<std::string>& errors);

// Imports the stream into a fresh khal calendar in `dir` (each call imports again into the same
// calendar) and returns "YYYY-MM-DD title" for each day an event is listed on, 2000..2045.
std::vector<std::string> KhalDays(const e2e::TempDir& dir, const std::string& ics);

}  // namespace ics_test
