#pragma once
// The command line of kalmeno-sync, parsed without side effects (the caller passes this year).
#include <string>

namespace sync_tool {

enum class SyncMode { Sync, Help, Version, UsageError };

struct SyncOptions {
  SyncMode mode = SyncMode::Sync;
  std::string folder;    // the vdir folder
  std::string dataPath;  // empty: the installed data file
  int fromYear = 0, toYear = 0;
  bool dryRun = false;
  std::string error;     // UsageError: one line, without the program name
};

SyncOptions ParseSyncArguments(int argc, const char* const* argv, int thisYear);

}  // namespace sync_tool
