#include "tools/sync/sync_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

#include "tools/common/utf8_text.h"
#include "tools/common/whole_file_writer.h"
#include "tools/ics/entry_uid.h"
#include "tools/sync/vdir_folder.h"

namespace sync_tool {
namespace {

bool SameBytes(const ScheduleEntry& a, const ScheduleEntry& b) {
  unsigned char x[SCHEDULE_RECORD_SIZE], y[SCHEDULE_RECORD_SIZE];
  ScheduleEntryToBytes(a, x);
  ScheduleEntryToBytes(b, y);
  return std::memcmp(x, y, sizeof x) == 0;
}

std::string BytesKey(const ScheduleEntry& entry) {
  unsigned char bytes[SCHEDULE_RECORD_SIZE];
  ScheduleEntryToBytes(entry, bytes);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

bool IsLunarYearly(const ScheduleEntry& entry) {
  return (entry.wFlags & (SCHEDULE_LUNAR | SCHEDULE_YEARLY)) == (SCHEDULE_LUNAR | SCHEDULE_YEARLY);
}

// "추석 (음력 매년 08-15 00:00)": how a change names its entry.
std::string Describe(const ScheduleEntry& entry) {
  char when[64];
  std::snprintf(when, sizeof when, "%s%s%04d-%02d-%02d %02d:%02d", entry.wFlags & SCHEDULE_LUNAR ? "음력 " : "",
                entry.wFlags & SCHEDULE_YEARLY ? "매년 " : "", entry.wYear, entry.wMonth, entry.wDay, entry.wHour,
                entry.wMinute);
  const std::u16string title = ScheduleTitleText(entry);
  return "'" + tool_text::Utf8(title) + "' (" + when + ")";
}

class Sync {
 public:
  Sync(const std::string& folder, const YearRange& range, std::time_t now, bool dryRun, SyncOutcome& out)
      : m_folder(folder), m_range(range), m_now(now), m_dryRun(dryRun), m_out(out) {}

  void Run(const std::vector<ScheduleEntry>& entries, const SyncState& state);

 private:
  enum class Side { Same, Changed, Gone, Unreadable };
  struct FolderObject {
    std::string file, tag, uid;
    ReadObjectResult read;
  };

  void PairEntriesWithState(const std::vector<ScheduleEntry>& entries, const SyncState& state);
  Side FolderSide(const SyncedObject& known, ReadObjectResult& read);
  void Settle(const SyncedObject& known, int entry, bool stateRangeDiffers);
  void ReadNewObjects(const SyncState& state);
  void PairNewEntriesWithNewObjects();
  void WriteNewObject(const ScheduleEntry& entry);
  void TakeObject(const FolderObject& object);

  // Writes `text` to a temporary that becomes the file `name` when the pending writes are placed,
  // all at once, and keeps the object in the state (its previous record `before`, if any, comes
  // back should the file not take its place).
  bool WriteAndKeep(const std::string& name, const std::string& text, bool mustBeNew, const std::string& uid,
                    const ScheduleEntry& entry, const SyncedObject* before);
  void PlacePendingWrites();
  bool RemoveFile(const std::string& name);
  void Keep(const std::string& uid, const std::string& file, const std::string& tag, const ScheduleEntry& entry) {
    m_out.state.objects.push_back({uid, file, tag, entry});
    m_usedUids.insert(uid);
  }
  void Change(const std::string& line) { m_out.changes.push_back(line); }
  void NoteNotKept(const std::string& file, const ReadObjectResult& read);
  bool SameAsObject(const ScheduleEntry& entry, const ScheduleEntry& read) {
    return SameBytes(entry, read) || SameBytes(AsObjectReads(entry, m_range), read);
  }

  const std::string m_folder;
  const YearRange m_range;
  const std::time_t m_now;
  const bool m_dryRun;
  SyncOutcome& m_out;

  std::vector<ScheduleEntry> m_entries;      // the data file's, changed in place
  std::vector<bool> m_removed;               // entries removed by the sync
  std::vector<int> m_stateOfEntry;           // the state object an entry was paired with, or -1
  std::vector<int> m_entryOfState;
  std::map<std::string, std::string> m_files;  // the folder's object files: name -> tag
  std::set<std::string> m_knownFiles;          // files the state speaks of
  std::set<std::string> m_usedUids;
  std::vector<ScheduleEntry> m_newEntries;     // entries without an object yet, in order
  std::vector<FolderObject> m_newObjects;      // objects without an entry yet
  struct PendingWrite {
    std::unique_ptr<tool_files::WholeFileWriter> writer;
    std::string name;
    bool mustBeNew;
    std::size_t record;                    // its object in m_out.state.objects
    std::optional<SyncedObject> before;
  };
  std::vector<PendingWrite> m_pending;
};

bool Sync::WriteAndKeep(const std::string& name, const std::string& text, bool mustBeNew, const std::string& uid,
                        const ScheduleEntry& entry, const SyncedObject* before) {
  if (!m_dryRun) {
    auto writer = std::make_unique<tool_files::WholeFileWriter>();
    std::string error = writer->Begin(m_folder + "/" + name);
    if (error.empty() && !writer->Write(text)) error = writer->error();
    if (error.empty()) error = writer->Finish(false);
    if (!error.empty()) {
      m_out.warnings.push_back(m_folder + "/" + name + ": 쓰지 못했습니다: " + error);
      m_out.failed = true;
      if (before) {
        m_out.state.objects.push_back(*before);
        m_usedUids.insert(before->uid);
      }
      return false;
    }
    m_pending.push_back({std::move(writer), name, mustBeNew, m_out.state.objects.size(),
                         before ? std::optional<SyncedObject>(*before) : std::nullopt});
  }
  Keep(uid, name, "", entry);
  return true;
}

void Sync::PlacePendingWrites() {
  if (m_pending.empty()) return;
  // One flush for every object written, before any takes its name: none is ever seen half written.
  tool_files::FlushFileSystem(m_folder);
  std::vector<bool> dropped(m_out.state.objects.size(), false);
  for (PendingWrite& write : m_pending) {
    SyncedObject& record = m_out.state.objects[write.record];
    if (const std::string error = write.writer->Place(write.mustBeNew); !error.empty()) {
      m_out.warnings.push_back(m_folder + "/" + write.name + ": 쓰지 못했습니다: " + error);
      m_out.failed = true;
      if (write.before) record = *write.before;
      else dropped[write.record] = true;
      continue;
    }
    record.tag = FileTag(m_folder, write.name);
  }
  tool_files::FlushFolder(m_folder);
  std::vector<SyncedObject> kept;
  for (std::size_t i = 0; i < m_out.state.objects.size(); ++i)
    if (!dropped[i]) kept.push_back(std::move(m_out.state.objects[i]));
  m_out.state.objects = std::move(kept);
}

bool Sync::RemoveFile(const std::string& name) {
  if (m_dryRun || unlink((m_folder + "/" + name).c_str()) == 0 || errno == ENOENT) return true;
  m_out.warnings.push_back(m_folder + "/" + name + ": 지우지 못했습니다: " + std::strerror(errno));
  m_out.failed = true;
  return false;
}

void Sync::NoteNotKept(const std::string& file, const ReadObjectResult& read) {
  if (read.notKept.empty()) return;
  std::string list;
  for (const std::string& item : read.notKept) list += (list.empty() ? "" : ", ") + item;
  m_out.warnings.push_back(file + ": Kalmeno의 일정에 담을 수 없어 가져오지 않은 것: " + list +
                           " (폴더의 객체에는 그대로 남습니다)");
}

void Sync::PairEntriesWithState(const std::vector<ScheduleEntry>& entries, const SyncState& state) {
  m_stateOfEntry.assign(entries.size(), -1);
  m_entryOfState.assign(state.objects.size(), -1);
  // Unchanged entries first, by their bytes; then entries changed in time or memo, by their key.
  std::unordered_map<std::string, std::vector<int>> byBytes;
  for (int i = static_cast<int>(state.objects.size()) - 1; i >= 0; --i)
    byBytes[BytesKey(state.objects[i].entry)].push_back(i);
  for (std::size_t e = 0; e < entries.size(); ++e) {
    auto found = byBytes.find(BytesKey(entries[e]));
    if (found == byBytes.end() || found->second.empty()) continue;
    const int s = found->second.back();
    found->second.pop_back();
    m_stateOfEntry[e] = s;
    m_entryOfState[s] = static_cast<int>(e);
  }
  for (std::size_t e = 0; e < entries.size(); ++e) {
    if (m_stateOfEntry[e] >= 0) continue;
    for (std::size_t s = 0; s < state.objects.size(); ++s)
      if (m_entryOfState[s] < 0 && ics_tool::SameEntryKey(entries[e], state.objects[s].entry)) {
        m_stateOfEntry[e] = static_cast<int>(s);
        m_entryOfState[s] = static_cast<int>(e);
        break;
      }
  }
}

Sync::Side Sync::FolderSide(const SyncedObject& known, ReadObjectResult& read) {
  const auto file = m_files.find(known.file);
  if (file == m_files.end()) return Side::Gone;
  if (file->second == known.tag) return Side::Same;
  std::string text;
  if (const std::string error = ReadObjectFile(m_folder, known.file, text); !error.empty()) {
    m_out.warnings.push_back(m_folder + "/" + known.file + ": 읽지 못해 건너뜁니다: " + error);
    return Side::Unreadable;
  }
  read = ReadObject(text);
  if (read.kind != ReadObjectResult::Event || read.uid != known.uid) {
    m_out.warnings.push_back(m_folder + "/" + known.file + ": 건너뜁니다: " +
                             (read.kind == ReadObjectResult::Event ? "UID가 바뀌었습니다" : read.error));
    return Side::Unreadable;
  }
  return SameAsObject(known.entry, read.entry) ? Side::Same : Side::Changed;
}

void Sync::Settle(const SyncedObject& known, int e, bool stateRangeDiffers) {
  ReadObjectResult read;
  const Side folder = FolderSide(known, read);
  const std::string tag = m_files.count(known.file) ? m_files[known.file] : "";
  if (folder == Side::Unreadable) {
    m_out.state.objects.push_back(known);  // tried again once the file changes
    m_usedUids.insert(known.uid);
    return;
  }
  if (e < 0) {  // removed in Kalmeno
    if (folder == Side::Same) {
      if (RemoveFile(known.file)) Change("폴더에서 지움: " + Describe(known.entry) + " " + known.file);
      else m_out.state.objects.push_back(known);
    } else if (folder == Side::Changed) {
      m_entries.push_back(read.entry);
      m_removed.push_back(false);
      m_out.entriesChanged = true;
      Keep(known.uid, known.file, tag, read.entry);
      Change("Kalmeno에 다시 추가 (Kalmeno에서 지웠지만 폴더에서 고쳐짐): " + Describe(read.entry));
    }
    return;
  }
  const ScheduleEntry mine = m_entries[e];  // a copy: m_entries may grow below
  const bool kalmenoChanged = !SameBytes(mine, known.entry) || (IsLunarYearly(mine) && stateRangeDiffers);
  if (folder == Side::Gone) {
    if (!kalmenoChanged) {
      m_removed[e] = true;
      m_out.entriesChanged = true;
      Change("Kalmeno에서 지움 (폴더에서 지워짐): " + Describe(mine));
    } else if (WriteAndKeep(known.file, NewObject(mine, known.uid, m_range, m_now), true, known.uid, mine, nullptr)) {
      Change("폴더에 다시 씀 (폴더에서 지웠지만 Kalmeno에서 고쳐짐): " + Describe(mine));
    }
    return;
  }
  if (folder == Side::Same && !kalmenoChanged) {
    Keep(known.uid, known.file, tag, mine);
    return;
  }
  if (folder == Side::Same) {
    std::string text;
    std::string error = ReadObjectFile(m_folder, known.file, text);
    const std::string rewritten = error.empty() ? RewriteObject(text, mine, m_range, m_now) : "";
    if (rewritten.empty()) {
      m_out.warnings.push_back(m_folder + "/" + known.file + ": 고치지 못해 건너뜁니다" + (error.empty() ? "" : ": " + error));
      m_out.state.objects.push_back(known);
      m_usedUids.insert(known.uid);
    } else if (WriteAndKeep(known.file, rewritten, false, known.uid, mine, &known)) {
      Change("폴더에서 고침: " + Describe(mine));
    }
    return;
  }
  // Changed in the folder.
  NoteNotKept(m_folder + "/" + known.file, read);
  if (kalmenoChanged && !SameAsObject(mine, read.entry)) {
    m_entries.push_back(mine);
    m_removed.push_back(false);
    m_newEntries.push_back(mine);
    Change("양쪽에서 고쳐져 둘 다 남김: 폴더의 " + Describe(read.entry) + ", Kalmeno의 " + Describe(mine));
  } else if (!kalmenoChanged) {
    Change("Kalmeno에서 고침: " + Describe(read.entry));
  }
  if (!SameBytes(mine, read.entry)) m_out.entriesChanged = true;
  m_entries[e] = read.entry;
  Keep(known.uid, known.file, tag, read.entry);
}

void Sync::ReadNewObjects(const SyncState& state) {
  std::map<std::string, std::string> skippedTags;
  for (const SkippedFile& skipped : state.skipped) skippedTags[skipped.file] = skipped.tag;
  std::set<std::string> uids = m_usedUids;
  for (const auto& [name, tag] : m_files) {
    if (m_knownFiles.count(name)) continue;
    if (auto skipped = skippedTags.find(name); skipped != skippedTags.end() && skipped->second == tag) {
      m_out.state.skipped.push_back({name, tag});
      continue;
    }
    FolderObject object{name, tag, "", {}};
    std::string text;
    if (std::string error = ReadObjectFile(m_folder, name, text); !error.empty()) {
      m_out.warnings.push_back(m_folder + "/" + name + ": 읽지 못해 건너뜁니다: " + error);
      continue;
    }
    object.read = ReadObject(text);
    std::string problem = object.read.kind == ReadObjectResult::Event ? "" : object.read.error;
    if (problem.empty() && object.read.uid.find_first_of("\t\r\n") != std::string::npos)
      problem = "UID에 탭이나 줄바꿈이 있습니다";
    if (problem.empty() && !uids.insert(object.read.uid).second) problem = "같은 UID의 객체가 이미 있습니다";
    if (!problem.empty()) {
      m_out.warnings.push_back(m_folder + "/" + name + ": 건너뜁니다 (그대로 둡니다): " + problem);
      m_out.state.skipped.push_back({name, tag});
      continue;
    }
    object.uid = object.read.uid;
    m_usedUids.insert(object.uid);
    m_newObjects.push_back(std::move(object));
  }
}

void Sync::TakeObject(const FolderObject& object) {
  NoteNotKept(m_folder + "/" + object.file, object.read);
  m_entries.push_back(object.read.entry);
  m_removed.push_back(false);
  m_out.entriesChanged = true;
  Keep(object.uid, object.file, object.tag, object.read.entry);
  Change("Kalmeno에 추가: " + Describe(object.read.entry) + " " + object.file);
}

void Sync::WriteNewObject(const ScheduleEntry& entry) {
  for (int copy = 1;; ++copy) {
    const std::string uid = ics_tool::EntryUidBase(entry, copy) + "@kalmeno";
    const std::string file = ObjectFileName(uid);
    if (m_usedUids.count(uid) || m_files.count(file) || !FileTag(m_folder, file).empty()) continue;
    if (WriteAndKeep(file, NewObject(entry, uid, m_range, m_now), true, uid, entry, nullptr)) {
      m_files[file] = "";
      Change("폴더에 새로 씀: " + Describe(entry) + " " + file);
    }
    return;
  }
}

void Sync::PairNewEntriesWithNewObjects() {
  std::unordered_map<std::string, std::size_t> objectOfUid;
  for (std::size_t o = 0; o < m_newObjects.size(); ++o) objectOfUid[m_newObjects[o].uid] = o;
  std::vector<bool> taken(m_newObjects.size(), false);
  std::unordered_map<std::string, int> copies;
  std::vector<ScheduleEntry> conflicts;
  for (const ScheduleEntry& entry : m_newEntries) {
    const std::string uid = ics_tool::EntryUidBase(entry, ++copies[ics_tool::EntryKeyHash(entry)]) + "@kalmeno";
    std::size_t match = m_newObjects.size();
    if (auto found = objectOfUid.find(uid); found != objectOfUid.end() && !taken[found->second]) match = found->second;
    const ScheduleEntry reads = AsObjectReads(entry, m_range);
    for (std::size_t o = 0; match == m_newObjects.size() && o < m_newObjects.size(); ++o)
      if (!taken[o] && SameBytes(reads, m_newObjects[o].read.entry)) match = o;
    if (match == m_newObjects.size()) {
      WriteNewObject(entry);
      continue;
    }
    taken[match] = true;
    const FolderObject& object = m_newObjects[match];
    if (SameBytes(reads, object.read.entry)) {
      Keep(object.uid, object.file, object.tag, entry);
      continue;
    }
    // The same UID with another content and nothing to say which side changed: both are kept.
    TakeObject(object);
    m_out.changes.back() += " (같은 UID의 Kalmeno 일정과 달라 둘 다 남김)";
    conflicts.push_back(entry);
  }
  for (std::size_t o = 0; o < m_newObjects.size(); ++o)
    if (!taken[o]) TakeObject(m_newObjects[o]);
  for (const ScheduleEntry& entry : conflicts) WriteNewObject(entry);
}

void Sync::Run(const std::vector<ScheduleEntry>& entries, const SyncState& state) {
  std::string error;
  for (const FolderFile& file : ListObjectFiles(m_folder, error)) m_files[file.name] = file.tag;
  if (!error.empty()) {
    m_out.warnings.push_back(m_folder + ": 폴더를 읽지 못했습니다: " + error);
    m_out.refused = true;
    return;
  }
  // A folder emptied, or a data file emptied, would otherwise empty the other side too.
  if (!state.objects.empty() && m_files.empty()) {
    m_out.warnings.push_back(m_folder + ": 지난번에 동기화한 객체가 폴더에 하나도 없어 아무것도 하지 않습니다 "
                             "(잘못된 폴더이거나 비워진 폴더). 그래도 이 폴더와 다시 맞추려면 동기화 상태 파일을 지우세요");
    m_out.refused = true;
    return;
  }
  if (!state.objects.empty() && entries.empty()) {
    m_out.warnings.push_back("일정 파일에 일정이 하나도 없어 폴더의 객체를 모두 지우게 되므로 아무것도 하지 않습니다. "
                             "그래도 폴더와 다시 맞추려면 동기화 상태 파일을 지우세요");
    m_out.refused = true;
    return;
  }
  m_entries = entries;
  m_removed.assign(entries.size(), false);
  for (const SyncedObject& known : state.objects) m_knownFiles.insert(known.file);
  PairEntriesWithState(entries, state);

  for (std::size_t s = 0; s < state.objects.size(); ++s) Settle(state.objects[s], m_entryOfState[s], !(state.range == m_range));
  int withoutDay = 0;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    if (m_stateOfEntry[e] >= 0) continue;
    if (EntryHasObject(entries[e], m_range)) m_newEntries.push_back(entries[e]);
    else ++withoutDay;
  }
  ReadNewObjects(state);
  PairNewEntriesWithNewObjects();
  PlacePendingWrites();
  if (withoutDay)
    m_out.warnings.push_back("어느 날에도 해당하지 않는 기록 " + std::to_string(withoutDay) +
                             "개는 폴더에 쓰지 않았습니다 (13월, 0일 등; 일정 파일에는 그대로 있습니다)");

  for (std::size_t e = 0; e < m_entries.size(); ++e)
    if (!m_removed[e]) m_out.entries.push_back(m_entries[e]);
  m_out.state.folder = m_folder;
  m_out.state.range = m_range;
}

}  // namespace

SyncOutcome Synchronise(const std::vector<ScheduleEntry>& entries, const SyncState& state, const std::string& folder,
                        const YearRange& range, std::time_t now, bool dryRun) {
  SyncOutcome outcome;
  Sync(folder, range, now, dryRun, outcome).Run(entries, state);
  if (outcome.refused) {
    outcome.entries = entries;
    outcome.entriesChanged = false;
    outcome.state = state;
  }
  return outcome;
}

}  // namespace sync_tool
