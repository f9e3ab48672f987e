#include "schedule/schedule_store.h"

#include <cstdio>
#include <cstdlib>

#include "calendar/lunar_calendar.h"

namespace {

// How long a file held by the Today plug-in (for one read pass) is waited for at start.
constexpr int kLoadAttempts = 20;
constexpr DWORD kLoadRetryMs = 50;

[[noreturn]] void StopOnBadIndex(const char* operation, int index, int count) {
  std::fprintf(stderr, "ScheduleStore::%s: index %d is outside 0..%d; stopping\n", operation, index, count - 1);
  std::abort();
}

bool IsMonth(int month) { return month >= 1 && month <= 12; }

bool FallsOn(const ScheduleEntry& entry, int year, int month, int day) {
  return entry.wMonth == month && entry.wDay == day && ((entry.wFlags & SCHEDULE_YEARLY) || entry.wYear == year);
}

// A yearly lunar 30th also falls on the 29th of a regular month that has no 30th. In a leap month
// entries fall by their day number only, as they always have.
bool FallsOnLunar(const ScheduleEntry& entry, int year, int month, int day, bool regularMonth) {
  if (FallsOn(entry, year, month, day)) return true;
  return regularMonth && (entry.wFlags & SCHEDULE_YEARLY) && entry.wMonth == month &&
         LunarAnniversaryDay(year, month, entry.wDay) == day;
}

// Whether the lunar date is that of a regular month, not of the leap month of the same number:
// the regular month's day of that number is the given solar day.
bool IsRegularMonthDay(int solarYear, int solarMonth, int solarDay, int lunarYear, int lunarMonth, int lunarDay) {
  SolarDate solar{};
  if (!LunarToSolar(lunarYear, lunarMonth, lunarDay, 0, &solar)) return false;
  return solar.wYear == solarYear && solar.byMonth == solarMonth && solar.byDay == solarDay;
}

// A surrogate without its partner is no character: it shows as the replacement character, as a
// text viewer shows a broken byte, rather than as half of one.
WCHAR Shown(WCHAR unit) { return IS_HIGH_SURROGATE(unit) || IS_LOW_SURROGATE(unit) ? WCHAR(0xFFFD) : unit; }

// The label: the first title character, the second one if there is room, then "..". A character
// outside the basic plane (two UTF-16 units) is taken whole or not at all.
void SetLabel(const ScheduleEntry& entry, WCHAR label[6]) {
  int n = 0;
  const WCHAR* title = entry.szTitle;
  if (title[0]) {
    if (IS_HIGH_SURROGATE(title[0]) && IS_LOW_SURROGATE(title[1])) {
      label[n++] = title[0];
      label[n++] = title[1];
    } else {
      label[n++] = Shown(title[0]);
      if (title[1] && !IS_HIGH_SURROGATE(title[1])) label[n++] = Shown(title[1]);
    }
  }
  label[n++] = u'.';
  label[n++] = u'.';
  label[n] = 0;
}

}  // namespace

ScheduleStore::ScheduleStore() : m_szFolder{}, m_szPath{}, m_solarCount{}, m_lunarCount{}, m_bFileUnread(false) {
  WCHAR program[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  // A path cut short by the buffer would name another folder: then no path at all.
  if (length == 0 || length >= MAX_PATH) {
    m_bFileUnread = true;
    return;
  }
  int cut = 0;
  for (int i = 0; program[i]; ++i)
    if (program[i] == u'\\') cut = i;
  program[cut] = 0;  // no backslash, or only one in front: the folder is empty
  FormPath(program);
  Load();
}

ScheduleStore::ScheduleStore(LPCWSTR folder)
    : m_szFolder{}, m_szPath{}, m_solarCount{}, m_lunarCount{}, m_bFileUnread(false) {
  FormPath(folder);
  Load();
}

void ScheduleStore::FormPath(LPCWSTR folder) {
  // Folder, backslash and name must fit the 260-unit buffers whole; a longer folder leaves the
  // path empty, so nothing is read and every save fails instead of touching a wrong file.
  if (lstrlenW(folder) + 1 + lstrlenW(SCHEDULE_FILE_NAME) >= MAX_PATH) {
    m_bFileUnread = true;
    return;
  }
  lstrcpyW(m_szFolder, folder);
  wsprintfW(m_szPath, u"%s\\%s", m_szFolder, SCHEDULE_FILE_NAME);
}

int ScheduleStore::Load() {
  if (!m_szPath[0]) return -1;
  int result = -1;
  for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
    result = ReadScheduleFile(m_szPath, m_entries);
    if (result == 0 || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(kLoadRetryMs);
  }
  m_bFileUnread = result != 0;
  Recount();
  return result;
}

ScheduleWriteOutcome ScheduleStore::Save() {
  if (!m_szPath[0]) return ScheduleWriteOutcome::CouldNotCreate;
  if (!m_bFileUnread) return WriteScheduleFile(m_szPath, m_entries);
  std::vector<ScheduleEntry> kept;
  ScheduleWriteOutcome outcome = WriteScheduleFile(m_szPath, m_entries, &kept);
  if (outcome == ScheduleWriteOutcome::Written) {
    // The store now matches the file: a later save must neither lose nor repeat these records.
    m_entries.insert(m_entries.begin(), kept.begin(), kept.end());
    m_bFileUnread = false;
    Recount();
  }
  return outcome;
}

void ScheduleStore::Add(const ScheduleEntry& entry) {
  m_entries.push_back(entry);
  Count(entry);
}

void ScheduleStore::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("RemoveAt", index, GetCount());
  m_entries.erase(m_entries.begin() + index);
}

void ScheduleStore::SetAt(int index, const ScheduleEntry& entry) {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("SetAt", index, GetCount());
  m_entries[static_cast<size_t>(index)] = entry;
  // The counters are only ever raised: the replaced entry's month may keep a count too many.
  Count(entry);
}

int ScheduleStore::GetCount() const { return static_cast<int>(m_entries.size()); }

ScheduleEntry ScheduleStore::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("GetAt", index, GetCount());
  return m_entries[static_cast<size_t>(index)];
}

void ScheduleStore::Recount() {
  for (int month = 0; month < 13; ++month) m_solarCount[month] = m_lunarCount[month] = 0;
  for (const ScheduleEntry& entry : m_entries) Count(entry);
}

void ScheduleStore::Count(const ScheduleEntry& entry) {
  // A month outside 1..12 (only from a damaged file) has no counter and matches no day.
  if (!IsMonth(entry.wMonth)) return;
  WORD& counter = (entry.wFlags & SCHEDULE_LUNAR) ? m_lunarCount[entry.wMonth] : m_solarCount[entry.wMonth];
  // Saturates instead of wrapping to 0, which would wrongly skip the month's pass.
  if (counter < 0xFFFF) ++counter;
}

int ScheduleStore::QueryDay(int solarYear, int solarMonth, int solarDay, int lunarYear, int lunarMonth, int lunarDay,
                            DaySummary* summary, std::vector<unsigned long>* indices) const {
  if (indices) std::vector<unsigned long>().swap(*indices);
  *summary = DaySummary{};
  struct Pass {
    bool lunar;
    int year, month, day;
    int* counter;
  };
  const Pass passes[] = {{false, solarYear, solarMonth, solarDay, &summary->nSolarCount},
                         {true, lunarYear, lunarMonth, lunarDay, &summary->nLunarCount}};
  // Only a 29th can be where a 30th is kept.
  const bool regularMonth =
      lunarDay == 29 && IsRegularMonthDay(solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay);
  for (const Pass& pass : passes) {
    if (!IsMonth(pass.month)) continue;
    if ((pass.lunar ? m_lunarCount : m_solarCount)[pass.month] == 0) continue;
    for (size_t i = 0; i < m_entries.size(); ++i) {
      const ScheduleEntry& entry = m_entries[i];
      if (((entry.wFlags & SCHEDULE_LUNAR) != 0) != pass.lunar) continue;
      if (pass.lunar ? !FallsOnLunar(entry, pass.year, pass.month, pass.day, regularMonth)
                     : !FallsOn(entry, pass.year, pass.month, pass.day))
        continue;
      if (entry.wFlags & SCHEDULE_HOLIDAY) summary->bHoliday = 1;
      ++*pass.counter;
      SetLabel(entry, summary->szLabel);
      if (indices) indices->push_back(static_cast<unsigned long>(i));
    }
  }
  return 0;
}
