#pragma once
// The data file qmrv.dat: nothing but 98-byte records one after another, no header.
// Neither side shares the open file: while one holds it, the other's open fails.
#include <vector>

#include "schedule/schedule_entry.h"
#include "winbase.h"

constexpr const WCHAR* SCHEDULE_FILE_NAME = u"qmrv.dat";

// Appends every whole record of the file, in file order, to `out`. A missing file is created
// empty. Returns 0, or -1 when the file cannot be opened or read; on -1 `out` is unchanged and
// GetLastError() tells why (ERROR_SHARING_VIOLATION while another holds the file). A trailing
// fragment shorter than a record is ignored. Records are taken as they are, unchecked.
int ReadScheduleFile(LPCWSTR path, std::vector<ScheduleEntry>& out);

enum class ScheduleWriteOutcome { Written, CouldNotCreate, WriteFailed };

// Replaces the file with `entries`, in order, so that at every moment the file is either the old
// one or the new one, whole:
//   1. the file is opened exclusively (created when missing) and held until the end: failing
//      that, CouldNotCreate;
//   2. the records are written to "<path>.new" beside it (CouldNotCreate when it cannot be
//      created; a failed write does not stop the loop, and is remembered), flushed to disk,
//   3. and renamed over the file, with the folder flushed.
// Any failure in 2 or 3 gives WriteFailed. On either failure the old file is untouched and
// "<path>.new" removed.
//
// When `keptFromFile` is given, the records the file holds at step 1 are read under the same
// hold and written ahead of `entries`; they are stored in *keptFromFile only when the outcome is
// Written. A failure to read them gives CouldNotCreate.
ScheduleWriteOutcome WriteScheduleFile(LPCWSTR path, const std::vector<ScheduleEntry>& entries,
                                       std::vector<ScheduleEntry>* keptFromFile = nullptr);
