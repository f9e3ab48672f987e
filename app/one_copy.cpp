#include "app/one_copy.h"

#include "kp_one_copy.h"
#include "schedule/schedule_file.h"

namespace {

// The data file's identity as "<volume>-<file index>": the same for every path that reaches the
// file (a link, another install whose data file links to it, a hard-linked program). When there
// is no data file yet, the folder it will be made in stands for it (with a "d" after its identity).
WCHAR g_identity[40];

bool IdentityOf(LPCWSTR path, DWORD flags, LPCWSTR suffix) {
  HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL known = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  if (!known) return false;
  wsprintfW(g_identity, u"%08x-%08x%08x%s", info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow,
            suffix);
  return true;
}

// Finds the identity of the data file beside the program at `programPath` (a handheld path);
// false when not even its folder can be had (and then no claim is made).
bool FindIdentity(LPCWSTR programPath) {
  WCHAR path[MAX_PATH];
  if (lstrlenW(programPath) >= MAX_PATH) return false;
  lstrcpyW(path, programPath);
  int cut = 0;
  for (int i = 0; path[i]; ++i)
    if (path[i] == u'\\') cut = i;
  path[cut] = 0;
  WCHAR dataFile[MAX_PATH];
  if (lstrlenW(path) + 1 + lstrlenW(SCHEDULE_FILE_NAME) >= MAX_PATH) return false;
  wsprintfW(dataFile, u"%s\\%s", path, SCHEDULE_FILE_NAME);
  if (IdentityOf(dataFile, 0, u"")) return true;
  return IdentityOf(path[0] ? path : u"\\", FILE_FLAG_BACKUP_SEMANTICS, u"d");
}

void FormName(LPCWSTR what, WCHAR (&name)[64]) { wsprintfW(name, u"Kalmeno.%s.%s", what, g_identity); }

// This program's own path; empty when it does not fit.
void ProgramPath(WCHAR (&path)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) path[0] = 0;
}

}  // namespace

HANDLE ClaimOnlyCopy() {
  WCHAR program[MAX_PATH];
  ProgramPath(program);
  if (!program[0] || !FindIdentity(program)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  WCHAR claim[64], forward[64];
  FormName(u"running", claim);
  FormName(u"forward", forward);
  return KpClaimOnlyCopy(claim, forward);
}

HANDLE CreateComeForwardEvent() {
  WCHAR name[64];
  FormName(u"forward", name);
  return CreateEventW(nullptr, FALSE, FALSE, name);
}

HANDLE ClaimDataFileOfProgram(LPCWSTR programPath) {
  if (!FindIdentity(programPath)) return nullptr;
  WCHAR name[64];
  FormName(u"running", name);
  HANDLE claim = CreateMutexW(nullptr, TRUE, name);
  if (claim && GetLastError() != ERROR_ALREADY_EXISTS) return claim;
  if (claim) CloseHandle(claim);
  return nullptr;
}
