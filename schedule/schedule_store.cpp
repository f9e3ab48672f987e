#include "schedule/schedule_store.h"

#include <cstdio>
#include <cstdlib>

#include "calendar/lunar_calendar.h"
#include "schedule/data_file.h"
#include "schedule/entry_occurrences.h"

namespace {

// How many days' answers QueryDay keeps: three months of the month view's 42 days.
constexpr size_t kAnswersKept = 3 * 42;

[[noreturn]] void StopOnBadIndex(const char* operation, int index, int count) {
  std::fprintf(stderr, "ScheduleStore::%s: index %d is outside 0..%d; stopping\n", operation, index, count - 1);
  std::abort();
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

// The label: the title's first two characters where they fit its three units before "..", else
// the first one, then "..". A character outside the basic plane (two UTF-16 units) is taken whole
// or not at all.
void SetLabel(const ScheduleEntry& entry, WCHAR label[6]) {
  constexpr int kTextUnits = 3;
  int n = 0;
  const WCHAR* title = entry.szTitle;
  for (int i = 0, taken = 0; taken < 2 && i < SCHEDULE_TITLE_UNITS && title[i]; ++taken) {
    const bool pair = i + 1 < SCHEDULE_TITLE_UNITS && IS_HIGH_SURROGATE(title[i]) && IS_LOW_SURROGATE(title[i + 1]);
    if (n + (pair ? 2 : 1) > kTextUnits) break;
    if (pair) {
      label[n++] = title[i++];
      label[n++] = title[i++];
    } else {
      label[n++] = Shown(title[i++]);
    }
  }
  label[n++] = u'.';
  label[n++] = u'.';
  label[n] = 0;
}

}  // namespace

ScheduleStore::ScheduleStore() : m_szPath{}, m_bIndexStale(true), m_bFileUnread(true) {
  WCHAR folder[MAX_PATH];
  if (ProgramFolder(folder) && DataFileInFolder(folder, m_szPath)) Load();
}

// A folder too long to form the path leaves it empty, so nothing is read and every save fails
// instead of touching a wrong file.
ScheduleStore::ScheduleStore(LPCWSTR folder) : m_szPath{}, m_bIndexStale(true), m_bFileUnread(true) {
  if (DataFileInFolder(folder, m_szPath)) Load();
}

int ScheduleStore::Load() {
  if (!m_szPath[0]) return -1;
  m_bFileUnread = ReadDataFile(m_szPath, m_entries, HeldFile::WaitBriefly, true) != DataFileRead::Read;
  Changed();
  return m_bFileUnread ? -1 : 0;
}

ScheduleWriteOutcome ScheduleStore::Save() {
  if (!m_szPath[0]) return ScheduleWriteOutcome::CouldNotCreate;
  std::vector<ScheduleEntry> kept;
  ScheduleWriteOutcome outcome = ScheduleWriteOutcome::CouldNotCreate;
  // A file the Today item holds for its read is waited for, as the load waits.
  RetryWhileHeld(HeldFile::WaitBriefly, [&] {
    outcome = WriteScheduleFile(m_szPath, m_entries, m_bFileUnread ? &kept : nullptr);
    return outcome != ScheduleWriteOutcome::CouldNotCreate;
  });
  if (!m_bFileUnread) return outcome;
  if (outcome == ScheduleWriteOutcome::Written) {
    // The store now matches the file: a later save must neither lose nor repeat these records.
    m_entries.insert(m_entries.begin(), kept.begin(), kept.end());
    m_bFileUnread = false;
    Changed();
  }
  return outcome;
}

void ScheduleStore::Add(const ScheduleEntry& entry) {
  m_entries.push_back(entry);
  Changed();
}

void ScheduleStore::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("RemoveAt", index, GetCount());
  m_entries.erase(m_entries.begin() + index);
  Changed();
}

void ScheduleStore::SetAt(int index, const ScheduleEntry& entry) {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("SetAt", index, GetCount());
  m_entries[static_cast<size_t>(index)] = entry;
  Changed();
}

int ScheduleStore::GetCount() const { return static_cast<int>(m_entries.size()); }

ScheduleEntry ScheduleStore::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) StopOnBadIndex("GetAt", index, GetCount());
  return m_entries[static_cast<size_t>(index)];
}

void ScheduleStore::Changed() {
  m_bIndexStale = true;
  m_answers.clear();
}

ScheduleStore::DayAnswer ScheduleStore::Answer(int solarYear, int solarMonth, int solarDay, int lunarYear,
                                               int lunarMonth, int lunarDay) const {
  if (m_bIndexStale) {
    m_index.Rebuild(m_entries);
    m_bIndexStale = false;
  }
  DayAnswer answer{};
  // The cells carry no leap mark; a day is of the leap month when the regular month's day of that
  // number is another solar day.
  const CalendarDay day{solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay,
                        !IsRegularMonthDay(solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay)};
  auto take = [&](std::uint32_t i, int* counter) {
    const ScheduleEntry& entry = m_entries[i];
    if (!EntryFallsOn(entry, day, LeapMonths::AlsoMatched)) return;
    if (entry.wFlags & SCHEDULE_HOLIDAY) answer.summary.bHoliday = 1;
    ++*counter;
    SetLabel(entry, answer.summary.szLabel);
    answer.indices.push_back(i);
  };
  // Solar matches first, then lunar ones, each in file order.
  const EntryKeyIndex::Group solar = m_index.Find(false, solarMonth, solarDay);
  for (const std::uint32_t* i = solar.begin; i != solar.end; ++i) take(*i, &answer.summary.nSolarCount);
  // Only a 29th can be where a 30th is kept: both groups are merged in file order.
  EntryKeyIndex::Group lunar = m_index.Find(true, lunarMonth, lunarDay);
  EntryKeyIndex::Group thirtieth = lunarDay == 29 ? m_index.Find(true, lunarMonth, 30) : EntryKeyIndex::Group{};
  while (!lunar.empty() || !thirtieth.empty()) {
    EntryKeyIndex::Group& first = thirtieth.empty() || (!lunar.empty() && *lunar.begin < *thirtieth.begin) ? lunar : thirtieth;
    take(*first.begin++, &answer.summary.nLunarCount);
  }
  return answer;
}

int ScheduleStore::QueryDay(int solarYear, int solarMonth, int solarDay, int lunarYear, int lunarMonth, int lunarDay,
                            DaySummary* summary, std::vector<unsigned long>* indices) const {
  // The answer is kept under the day's six numbers as given; numbers no day has are not kept.
  const bool keep = solarYear >= 0 && solarYear <= 0xFFFF && lunarYear >= 0 && lunarYear <= 0xFFFF &&
                    solarMonth >= 0 && solarMonth <= 0xFF && solarDay >= 0 && solarDay <= 0xFF && lunarMonth >= 0 &&
                    lunarMonth <= 0xFF && lunarDay >= 0 && lunarDay <= 0xFF;
  const std::uint64_t key = std::uint64_t(solarYear) << 48 | std::uint64_t(solarMonth) << 40 |
                            std::uint64_t(solarDay) << 32 | std::uint64_t(lunarYear) << 16 |
                            std::uint64_t(lunarMonth) << 8 | std::uint64_t(lunarDay);
  auto found = keep ? m_answers.find(key) : m_answers.end();
  if (found == m_answers.end()) {
    DayAnswer answer = Answer(solarYear, solarMonth, solarDay, lunarYear, lunarMonth, lunarDay);
    if (!keep) {
      *summary = answer.summary;
      if (indices) indices->swap(answer.indices);
      return 0;
    }
    // Three months of 42 days; past that the months shown earlier are dropped.
    if (m_answers.size() >= kAnswersKept) m_answers.clear();
    found = m_answers.emplace(key, std::move(answer)).first;
  }
  *summary = found->second.summary;
  if (indices) indices->assign(found->second.indices.begin(), found->second.indices.end());
  return 0;
}
