#pragma once
// Finding and reading the data file for kalmeno-ics, as every reader does (schedule/data_file.h).
// The file is only read, never created or written; a file the program holds is waited for
// briefly, and a file that is missing, a folder or not a regular file is refused, with nothing
// made and a FIFO never waited on.
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"

namespace ics_tool {

struct DataFile {
  std::string path;                     // the host path read (or that could not be read)
  std::vector<ScheduleEntry> entries;   // its whole records, in file order
  unsigned long fragmentBytes = 0;      // a trailing piece shorter than a record, ignored
  std::string error;                    // empty when read; else one Korean line
};

// `path` as given on the command line, or empty for the installed data file: the one the Today
// item's registry value DATA names.
DataFile ReadDataFile(const std::string& path);

}  // namespace ics_tool
