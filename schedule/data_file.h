#pragma once
// Where the data file is and how every reader reads it: the program (the file beside it), the
// Today item and the tools (the file the registry's DATA names, or one given). One read (whole
// records, stopping at the size the file had when opened) and one policy for a file that another
// process holds for a moment.
#include <vector>

#include "schedule/schedule_entry.h"
#include "winbase.h"

// What a reader does when another process holds the file (the program saving, the Today item
// reading: well under a second, even at a million entries).
enum class HeldFile {
  NotNow,       // gives up at once; the caller tries again at its next turn (the Today item's refresh)
  WaitBriefly,  // tries again for a few seconds (kHeldFileWaitMs) before it gives up
};
constexpr DWORD kHeldFileWaitMs = 3000;

// Runs `attempt` until it returns true or fails for a reason other than a held file
// (GetLastError() != ERROR_SHARING_VIOLATION), or, with WaitBriefly, until kHeldFileWaitMs have
// passed. Returns the last attempt's result; GetLastError() is that attempt's.
template <class Attempt>
bool RetryWhileHeld(HeldFile held, Attempt attempt) {
  constexpr DWORD kPauseMs = 50;
  for (DWORD waited = 0;; waited += kPauseMs) {
    if (attempt()) return true;
    if (GetLastError() != ERROR_SHARING_VIOLATION || held == HeldFile::NotNow || waited >= kHeldFileWaitMs)
      return false;
    Sleep(kPauseMs);
  }
}

// How a read ended.
enum class DataFileRead {
  Read,
  Held,        // another process holds the file (still, with WaitBriefly)
  Missing,     // no such file, or its folder is missing
  Folder,      // the path names a folder
  NotAFile,    // a FIFO, a device or a socket: refused without waiting on it
  Denied,      // its user may not read it
  Failed,      // anything else (a read error, a file of 4 GB or more)
};

// `folder` (no trailing backslash) and the data file's name in `path`. False, with `path` empty,
// when they do not fit whole: a path cut short would name another file.
bool DataFileInFolder(LPCWSTR folder, WCHAR (&path)[MAX_PATH]);
// The folder of the running program, where the program keeps its data file. False when the
// program's path cannot be had whole.
bool ProgramFolder(WCHAR (&folder)[MAX_PATH]);

// Reads a string value of the Today item's registry key (DATA, EXE) into `buffer` of `units`
// units, terminator included. A value that does not fit, or an empty one, counts as missing.
enum class ItemValue { Found, NoKey, Missing };
ItemValue ReadItemKeyValue(LPCWSTR name, WCHAR* buffer, DWORD units);

// Appends every whole record of the file to `out`, in file order (a trailing fragment shorter
// than a record is ignored; its length goes to *fragmentBytes when given). A missing file is
// created empty when `createMissing`. On anything but Read, `out` is unchanged.
DataFileRead ReadDataFile(LPCWSTR path, std::vector<ScheduleEntry>& out, HeldFile held, bool createMissing,
                          unsigned long* fragmentBytes = nullptr);
// The same read, as the records' bytes (`bytes` ends holding them; emptied on failure). Its storage
// is kept from call to call, so that reading a file of unchanged size allocates nothing.
DataFileRead ReadDataFileBytes(LPCWSTR path, std::vector<unsigned char>& bytes, HeldFile held, bool createMissing);

// Whether the file's whole records are exactly `bytes`; Read when that could be told.
DataFileRead CompareDataFileBytes(LPCWSTR path, const std::vector<unsigned char>& bytes, bool& same, HeldFile held);

// What tells, without reading it, that a file is the one read before: while its device, inode,
// size and modification and change times stay the same, its bytes have not been rewritten (but for
// a rewrite within the file system's clock step; a reader that must see every change also reads
// now and then whatever this says).
struct DataFileStamp {
  LONGLONG device = -1, inode = -1, size = -1, modified = -1, changed = -1;
  bool operator==(const DataFileStamp&) const = default;
};
// The stamp of what `path` names now; a stamp that matches nothing (the default) when it cannot be had.
DataFileStamp StampOfDataFile(LPCWSTR path);
