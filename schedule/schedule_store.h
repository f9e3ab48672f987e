#pragma once
// The program's one in-memory copy of all schedule entries, in file order followed by the
// entries added since. Read from qmrv.dat beside the program when constructed; written back
// only by Save. Used by the user-interface thread only.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "schedule/entry_key_index.h"
#include "schedule/schedule_entry.h"
#include "schedule/schedule_file.h"
#include "winbase.h"

// What one day of the month view shows.
struct DaySummary {
  int nSolarCount;   // solar entries falling on the day
  int nLunarCount;   // lunar entries falling on the day
  int bHoliday;      // 1 when any entry falling on the day is a holiday
  WCHAR szLabel[6];  // the last match's first one or two title units, whole characters, and "..", or empty
};

class ScheduleStore {
 public:
  // The data file beside the program file; reads it at once (creating it empty when missing).
  ScheduleStore();
  // The data file in `folder` (no trailing backslash), for tools and tests.
  explicit ScheduleStore(LPCWSTR folder);

  // Appends the file's records and recounts. 0 when read, -1 when the file could not be opened
  // or read. A file held by another process is tried again for a few seconds (HeldFile::WaitBriefly);
  // if it still cannot be read, the next Save first reads it and keeps its records (see Save).
  int Load();
  // Replaces the file by the entries, never leaving a partial file (see WriteScheduleFile). A file
  // held by another process is waited for as Load waits, before CouldNotCreate is given.
  // When the file could not be read at start, the records it holds now are kept ahead of this
  // run's entries (and become part of the store once written), so a save never wipes entries
  // that were never loaded; if it can still not be read, the outcome is CouldNotCreate.
  ScheduleWriteOutcome Save();
  // Appends a copy; nothing is validated or sorted, duplicates are allowed.
  void Add(const ScheduleEntry& entry);
  // Index must be >= 0 and < GetCount(); later entries move down by one. Stops the program
  // with a message on stderr for an index outside that range.
  void RemoveAt(int index);
  // Replaces the entry at index (>= 0 and < GetCount()) by a copy of `entry`, in its place: the
  // file keeps its order. Stops the program like RemoveAt for an index outside the range.
  void SetAt(int index, const ScheduleEntry& entry);
  int GetCount() const;
  // Index must be >= 0 and < GetCount(); stops the program otherwise.
  ScheduleEntry GetAt(int index) const;
  // Which entries fall on the day given by both its solar and its lunar date, by EntryFallsOn
  // with LeapMonths::AlsoMatched (in a leap month lunar entries match by month and day; a yearly
  // 30th falls on the 29th of a regular month that has 29 days only). Fills `summary`; when `indices` is given, it is
  // emptied and receives the positions of the matches, solar ones first. Returns 0.
  int QueryDay(int solarYear, int solarMonth, int solarDay, int lunarYear, int lunarMonth, int lunarDay,
               DaySummary* summary, std::vector<unsigned long>* indices) const;
  // The data file's full path (empty when the folder was too long to form one).
  LPCWSTR GetPath() const { return m_szPath; }

 private:
  // The entries changed: what QueryDay derived from them is stale.
  void Changed();
  struct DayAnswer {
    DaySummary summary;
    std::vector<unsigned long> indices;
  };
  DayAnswer Answer(int solarYear, int solarMonth, int solarDay, int lunarYear, int lunarMonth, int lunarDay) const;

  std::vector<ScheduleEntry> m_entries;
  WCHAR m_szPath[MAX_PATH];
  // What QueryDay derives from m_entries, on the one user-interface thread: the entries grouped by
  // month and day (rebuilt at the first query after a change), and the answers given since the
  // entries changed, for the few months last shown (the month view asks each of its 42 days at
  // every paint, so a paint after the first asks nothing anew).
  mutable EntryKeyIndex m_index;
  mutable bool m_bIndexStale;
  mutable std::unordered_map<std::uint64_t, DayAnswer> m_answers;
  // The file could not be read at start: its records are still only on disk.
  bool m_bFileUnread;
};
