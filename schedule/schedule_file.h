#pragma once
// The data file qmrv.dat: nothing but 98-byte records one after another, no header.
// Neither side shares the open file: while one holds it, the other's open fails.
#include <vector>

#include "schedule/schedule_entry.h"
#include "winbase.h"

constexpr const WCHAR* SCHEDULE_FILE_NAME = u"qmrv.dat";

// Appends every whole record of the file, in file order, to `out`. A missing file is created
// empty, unless createMissing is false (tools that only read: then the open fails). Returns 0, or
// -1 when the file cannot be opened or read; on -1 `out` is unchanged and GetLastError() tells why
// (ERROR_SHARING_VIOLATION while another holds the file). A trailing fragment shorter than a
// record is ignored. Records are taken as they are, unchecked.
// The records are read straight into `out`'s storage: no second copy of the file is held. The
// length of a trailing fragment goes to *fragmentBytes when given.
int ReadScheduleFile(LPCWSTR path, std::vector<ScheduleEntry>& out, bool createMissing = true,
                     unsigned long* fragmentBytes = nullptr);

// The same read, as the records' bytes, for a reader that asks every few seconds whether anything
// changed (the Today item): `bytes` ends holding every whole record of the file, in file order,
// and is emptied on failure. Reading stops at the size the file had when opened. Its storage is
// kept from call to call, so that reading a file of unchanged size allocates nothing.
int ReadScheduleFileBytes(LPCWSTR path, std::vector<unsigned char>& bytes, bool createMissing = true);

// Whether the file's whole records are exactly `bytes` (`same`), read through a small buffer: what
// a reader that keeps the bytes asks now and then. 0, or -1 as for ReadScheduleFile.
int CompareScheduleFileBytes(LPCWSTR path, const std::vector<unsigned char>& bytes, bool& same);

enum class ScheduleWriteOutcome { Written, CouldNotCreate, WriteFailed };

// Replaces the file's records with `entries`, in order, so that at every moment the file is either
// the old one or the new one, whole (the records go out in large blocks, not one by one):
//   1. the file is opened exclusively for reading and writing (created when missing) and held
//      until the end: failing that (held by the other side, read-only, not a regular file, a link
//      to nowhere), CouldNotCreate;
//   2. the records are written to a new file of a name no other file has, created here, beside the
//      file itself (a data file that is a symbolic link is saved through to the file it names; the
//      link stays), flushed to disk;
//   3. and the new file takes the old one's permissions (and owner and group where the process
//      may give them) and is renamed over it, with the folder flushed.
// A failure in 2 or 3 gives WriteFailed, with the old file untouched and the new one removed; a new
// file that cannot be created for any reason but a refusing folder gives CouldNotCreate. New files
// that saves killed in step 2 left beside the file (its name, ".new-" and eight hex digits, private
// to this user) are removed in step 2; nothing else there is touched.
// The file is rewritten in place instead when its folder refuses new files while the file itself is
// writable, and when the file has more than one name (hard links), so that every name sees the new
// records:
//   a. the old bytes are kept in memory;
//   b. a file growing is first given its new size (the disk space reserved): past the file-size
//      limit or on a full disk the save stops here, WriteFailed, with the file as it was;
//   c. the records are written from the start, the file cut at their end and flushed;
//   d. should c fail, the old bytes are written back and the file cut at their end: WriteFailed.
// Only a power loss during c can leave old and new records mixed.
//
// When `keptFromFile` is given, the records the file holds at step 1 are read under the same
// hold and written ahead of `entries`; they are stored in *keptFromFile only when the outcome is
// Written. A failure to read them gives CouldNotCreate.
ScheduleWriteOutcome WriteScheduleFile(LPCWSTR path, const std::vector<ScheduleEntry>& entries,
                                       std::vector<ScheduleEntry>* keptFromFile = nullptr);
