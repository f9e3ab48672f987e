#include "today/load_entries.h"

#include <cstring>

#include "schedule/data_file.h"
#include "today/today_state.h"


namespace {

// True when this failure is news: it differs from the one last shown.
bool IsNewFailure(LoadFailure failure, LPCWSTR path) {
  if (failure != g_item.load.lastFailure) return true;
  return failure == LOAD_NO_FILE && lstrcmpW(path, g_item.load.szFailurePath) != 0;
}

void ReportFailure(LoadFailure failure, LPCWSTR path, LPCWSTR text, LPCWSTR caption) {
  if (!IsNewFailure(failure, path)) return;
  // A query arriving while another message is open stays silent and does not mark the failure as
  // shown, so that it is reported once the open box is answered.
  if (g_item.load.bMessageOpen) return;
  g_item.load.lastFailure = failure;
  lstrcpynW(g_item.load.szFailurePath, path != nullptr ? path : u"", MAX_PATH);
  ShowItemMessage(text, caption);
}

}  // namespace

void ShowItemMessage(LPCWSTR text, LPCWSTR caption) {
  if (g_item.load.bMessageOpen) return;
  g_item.load.bMessageOpen = true;
  MessageBoxW(nullptr, text, caption, MB_OK);
  g_item.load.bMessageOpen = false;
}

void ForgetReportedLoadFailure() { g_item.load.lastFailure = LOAD_OK; }

int ReadItemValue(LPCWSTR valueName, WCHAR (&buffer)[MAX_PATH]) {
  switch (ReadItemKeyValue(valueName, buffer, MAX_PATH)) {
    case ItemValue::Found: return 0;
    case ItemValue::NoKey: return -1;
    case ItemValue::Missing: break;
  }
  return -2;
}

EntryBytes LoadEntryBytes(std::vector<unsigned char>& bytes, bool evenIfUnchanged, const std::vector<unsigned char>* known) {
  DataFileStamp& lastRead = g_item.load.lastRead;
  bool& settled = g_item.load.bSettled;
  WCHAR(&lastPath)[MAX_PATH] = g_item.load.szLastPath;
  WCHAR szPath[MAX_PATH];
  int status = ReadItemValue(u"DATA", szPath);
  if (status == -1) {
    bytes.clear();
    lastRead = DataFileStamp{};
    ReportFailure(LOAD_NO_KEY, nullptr, u"레지스트리 오픈 에러", u"Kalmeno");
    return EntryBytes::Failed;
  }
  if (status == -2) {
    bytes.clear();
    lastRead = DataFileStamp{};
    ReportFailure(LOAD_NO_DATA_VALUE, nullptr, u"Data 파일의 경로정보가 존재하지 않습니다.", u"");
    return EntryBytes::Failed;
  }
  const DataFileStamp stamp = StampOfDataFile(szPath);
  const bool same = stamp == lastRead && stamp != DataFileStamp{} && lstrcmpW(szPath, lastPath) == 0;
  if (!evenIfUnchanged && same && settled) return EntryBytes::Unchanged;
  if (same && settled && known != nullptr) {
    bool unchanged = false;
    const DataFileRead compared = CompareDataFileBytes(szPath, *known, unchanged, HeldFile::NotNow);
    if (compared == DataFileRead::Held) return EntryBytes::NotNow;
    if (compared == DataFileRead::Read && unchanged) return EntryBytes::SameAsKnown;
  }
  switch (ReadDataFileBytes(szPath, bytes, HeldFile::NotNow, true)) {
    case DataFileRead::Read:
      g_item.load.lastFailure = LOAD_OK;
      // Taken before the read: a change during it shows in the next stamp.
      settled = same;
      lastRead = stamp;
      lstrcpyW(lastPath, szPath);
      return EntryBytes::Read;
    case DataFileRead::Held:
      // Kalmeno saving, or reading at its start: not an error, and gone by the next refresh.
      return EntryBytes::NotNow;
    default: break;
  }
  lastRead = DataFileStamp{};
  WCHAR szText[MAX_PATH + 50];
  wsprintfW(szText, u"%s에 일정 파일이 존재하지 않거나 읽을 수 없습니다.", szPath);
  ReportFailure(LOAD_NO_FILE, szPath, szText, u"Kalmeno");
  return EntryBytes::Failed;
}

int LoadEntries(std::vector<ScheduleEntry>& entries) {
  std::vector<unsigned char> bytes;
  EntryBytes status = LoadEntryBytes(bytes, true);
  ScheduleEntriesFromBytes(bytes, entries);
  return status == EntryBytes::Read ? 0 : -1;
}
