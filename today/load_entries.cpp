#include "today/load_entries.h"

#include <cstring>

#include "schedule/schedule_file.h"
#include "today/item_key.h"
#include "today/today_state.h"
#include "winreg.h"


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
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, 0, &key) != ERROR_SUCCESS) return -1;
  DWORD type = 0;
  DWORD size = sizeof(buffer);
  std::memset(buffer, 0, sizeof(buffer));
  LONG status = RegQueryValueExW(key, valueName, nullptr, &type, (LPBYTE)buffer, &size);
  RegCloseKey(key);
  // Termination is ours to make sure of: a value that fills the buffer without its terminator
  // would otherwise run off it.
  // An empty value names no file either; opening "" would only produce a message about a file
  // without a name.
  if (status != ERROR_SUCCESS || type != REG_SZ || buffer[MAX_PATH - 1] != 0 || buffer[0] == 0) {
    buffer[0] = 0;
    return -2;
  }
  return 0;
}

int LoadEntryBytes(std::vector<unsigned char>& bytes) {
  WCHAR szPath[MAX_PATH];
  int status = ReadItemValue(u"DATA", szPath);
  if (status == -1) {
    bytes.clear();
    ReportFailure(LOAD_NO_KEY, nullptr, u"레지스트리 오픈 에러", u"Kalmeno");
    return -1;
  }
  if (status == -2) {
    bytes.clear();
    ReportFailure(LOAD_NO_DATA_VALUE, nullptr, u"Data 파일의 경로정보가 존재하지 않습니다.", u"");
    return -1;
  }
  if (ReadScheduleFileBytes(szPath, bytes) != 0) {
    WCHAR szText[MAX_PATH + 50];
    wsprintfW(szText, u"%s에 일정 파일이 존재하지 않거나 읽을 수 없습니다.", szPath);
    ReportFailure(LOAD_NO_FILE, szPath, szText, u"Kalmeno");
    return -1;
  }
  g_lastFailure = LOAD_OK;
  return 0;
}

int LoadEntries(std::vector<ScheduleEntry>& entries) {
  std::vector<unsigned char> bytes;
  int status = LoadEntryBytes(bytes);
  ScheduleEntriesFromBytes(bytes, entries);
  return status;
}
