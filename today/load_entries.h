#pragma once
// Reading the application's data file by the path the installation put in the registry.
#include <vector>

#include "schedule/schedule_entry.h"
#include "windows.h"

// Empties `entries`, then appends every whole 98-byte record of the file named by the registry
// value DATA, in file order. Returns 0, or -1 when the key, the value or the file could not be
// had; the user is told in a message box, but for a file another process holds for a moment.
// A trailing fragment shorter than a record is ignored.
int LoadEntries(std::vector<ScheduleEntry>& entries);

// The same read, as the file's bytes, for the refresh every few seconds:
//   Read       `bytes` holds every whole record of the file, in file order;
//   Unchanged  the file is the one last read, unchanged (same path, device, inode, size and
//              modification and change times): not read unless `evenIfUnchanged`, `bytes` untouched;
//   SameAsKnown  the file was read whole (as asked) and holds exactly `known`: `bytes` untouched;
//   NotNow     another process holds the file for a moment: nothing said, `bytes` untouched;
//   Failed     `bytes` emptied, the user told as LoadEntries tells.
// `known` (optional): the bytes last read, for a whole read of an unchanged file to compare with
// instead of copying the file again.
// The storage of `bytes` is kept from one call to the next, so that reading a file of unchanged
// size allocates nothing.
enum class EntryBytes { Read, Unchanged, SameAsKnown, NotNow, Failed };
EntryBytes LoadEntryBytes(std::vector<unsigned char>& bytes, bool evenIfUnchanged,
                          const std::vector<unsigned char>* known = nullptr);

// Reads a string value of the item's registry key into a buffer of the platform's full path length
// (MAX_PATH units, terminator included). A value that does not fit, or an empty one, counts as
// missing. Returns 0, -1 when the key cannot be opened, -2 when the value is missing.
int ReadItemValue(LPCWSTR valueName, WCHAR (&buffer)[MAX_PATH]);

// Shows an OK-only message box without owner. While a message box of the item is open, further
// ones are not stacked on it: the refresh queries that arrive meanwhile stay silent.
void ShowItemMessage(LPCWSTR text, LPCWSTR caption);

// A failure of LoadEntries is shown once while it lasts; the next success, or a different
// failure, ends it. The options dialog calls this first so that opening it always explains an
// empty entry list.
void ForgetReportedLoadFailure();
