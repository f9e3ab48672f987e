#include "today/load_entries.h"

#include <cstring>

#include "schedule/data_file.h"
#include "today/today_state.h"


namespace {

bool g_bMessageOpen = false;

// The failure last shown, so that a refresh query every few seconds does not raise the same
// message again and again while nothing has changed.
enum LoadFailure { LOAD_OK = 0, LOAD_NO_KEY, LOAD_NO_DATA_VALUE, LOAD_NO_FILE };
LoadFailure g_lastFailure = LOAD_OK;
WCHAR g_szLastPath[MAX_PATH];

// True when this failure is news: it differs from the one last shown.
bool IsNewFailure(LoadFailure failure, LPCWSTR path) {
  if (failure != g_lastFailure) return true;
  return failure == LOAD_NO_FILE && lstrcmpW(path, g_szLastPath) != 0;
}

void ReportFailure(LoadFailure failure, LPCWSTR path, LPCWSTR text, LPCWSTR caption) {
  if (!IsNewFailure(failure, path)) return;
  // A query arriving while another message is open stays silent and does not mark the failure as
  // shown, so that it is reported once the open box is answered.
  if (g_bMessageOpen) return;
  g_lastFailure = failure;
  lstrcpynW(g_szLastPath, path != nullptr ? path : u"", MAX_PATH);
  ShowItemMessage(text, caption);
}

}  // namespace

void ShowItemMessage(LPCWSTR text, LPCWSTR caption) {
  if (g_bMessageOpen) return;
  g_bMessageOpen = true;
  MessageBoxW(nullptr, text, caption, MB_OK);
  g_bMessageOpen = false;
}

void ForgetReportedLoadFailure() { g_lastFailure = LOAD_OK; }

int ReadItemValue(LPCWSTR valueName, WCHAR (&buffer)[MAX_PATH]) {
  switch (ReadItemKeyValue(valueName, buffer, MAX_PATH)) {
    case ItemValue::Found: return 0;
    case ItemValue::NoKey: return -1;
    case ItemValue::Missing: break;
  }
  return -2;
}

EntryBytes LoadEntryBytes(std::vector<unsigned char>& bytes, bool evenIfUnchanged, const std::vector<unsigned char>* known) {
  // The file as last read: while it names the same, unchanged file, the read is skipped. A stamp
  // is trusted only once two reads, a refresh apart, found it: a file rewritten within the file
  // system's clock step of the first read keeps its times, and the second read sees it.
  static DataFileStamp lastRead;
  static bool settled = false;
  static WCHAR lastPath[MAX_PATH];
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
      g_lastFailure = LOAD_OK;
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
