#pragma once
// What the last sync left on both sides, kept beside the data file (one state per folder):
// for each object, its UID, its file, the file's tag then, and the entry both sides agreed on.
// Text, one line each:
//   kalmeno-sync 1
//   folder <TAB> /absolute/folder
//   range <TAB> from <TAB> to
//   object <TAB> uid <TAB> file <TAB> tag <TAB> the entry's 98 bytes in hex
//   skip <TAB> file <TAB> tag          (a file that was not an event, not read again until changed)
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "tools/sync/sync_object.h"

namespace sync_tool {

struct SyncedObject {
  std::string uid, file, tag;
  ScheduleEntry entry{};
};

struct SkippedFile {
  std::string file, tag;
};

struct SyncState {
  std::string folder;
  YearRange range;
  std::vector<SyncedObject> objects;
  std::vector<SkippedFile> skipped;
  bool operator==(const SyncState& other) const;
};

// The state file of `folder` (absolute) for the data file at `dataPath`.
std::string StatePath(const std::string& dataPath, const std::string& folder);

// Reads the state; a missing file is an empty state. A damaged one (or one for another folder)
// is an empty state too, with `problem` saying so: the sync then starts afresh without duplicates.
SyncState ReadState(const std::string& path, const std::string& folder, std::string& problem);

// The state's text.
std::string StateText(const SyncState& state);

}  // namespace sync_tool
