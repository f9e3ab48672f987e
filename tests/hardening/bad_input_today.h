#pragma once
// Runs the Today screen kalmeno-today with the Kalmeno item, its registry written by the test,
// and reads back what the item drew and said.
#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace bad_input {

// The registry file with the item's key holding exactly `values` (lines "NAME"="value").
void WriteItemRegistry(const e2e::TempDir& dir, const std::string& values);
// A registry string literal for a path (backslashes and quotes escaped).
std::string Quoted(const std::string& path);
// DATA, EXE and DLL lines for the given data file and program.
std::string ItemValues(const std::string& dataFile, const std::string& exe);

struct TodayRun {
  e2e::RunResult result;
  std::vector<e2e::TraceLine> trace;
  std::vector<std::string> itemTexts;   // the texts the item drew, in order
  std::vector<e2e::TraceLine> boxes;    // message boxes: caption, text
};
// Runs the Today screen with the clock at `now` and the script; extraEnv optional.
TodayRun RunToday(const e2e::TempDir& dir, const std::string& now, const std::vector<std::string>& script);

bool Contains(const std::vector<std::string>& texts, const std::string& text);

}  // namespace bad_input
