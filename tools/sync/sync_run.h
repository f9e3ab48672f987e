#pragma once
// One two-way sync between the entries of a data file and a vdir folder, by a three-way comparison
// with the state the last sync left (sync_state.h). For each object the state knows:
//   - changed on one side only: the other side takes the change; removed on one side only (and
//     unchanged on the other): removed on the other side too;
//   - changed on both sides, differently: neither version is lost. The object keeps the folder's
//     version and the entry becomes that version too; Kalmeno's version is kept as an entry of its
//     own and gets a new object;
//   - removed on one side and changed on the other: the changed one is kept and comes back;
//   - a file that cannot be read is named and left as it is, and so is its entry.
// Entries the state does not know get new objects; objects it does not know become entries, but an
// entry and an object that say the same (or an object with the UID the entry would get) are taken
// as one another: a first sync, or one after the state was lost, makes no duplicates.
#include <ctime>
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "tools/sync/sync_state.h"

namespace sync_tool {

struct SyncOutcome {
  std::vector<ScheduleEntry> entries;  // the data file's entries after the sync
  bool entriesChanged = false;
  SyncState state;                     // the state to keep
  std::vector<std::string> changes;    // one line per change, for standard output
  std::vector<std::string> warnings;   // one line each, for standard error
  bool refused = false;                // nothing was done (warnings say why)
  bool failed = false;                 // a file of the folder could not be written or removed
};

// Compares and, unless `dryRun`, writes and removes the folder's files (each written whole). The
// data file and the state are left to the caller, from the outcome.
SyncOutcome Synchronise(const std::vector<ScheduleEntry>& entries, const SyncState& state, const std::string& folder,
                        const YearRange& range, std::time_t now, bool dryRun);

}  // namespace sync_tool
