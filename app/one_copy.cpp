#include "app/one_copy.h"

namespace {

// "Kalmeno.<what>.<hash of the program's path>": a short name whatever the path's length.
void FormNameFor(LPCWSTR what, LPCWSTR program, DWORD length, WCHAR (&name)[64]) {
  // FNV-1a over the path's units.
  unsigned hash = 2166136261u;
  for (DWORD i = 0; i < length; ++i) hash = (hash ^ program[i]) * 16777619u;
  wsprintfW(name, u"Kalmeno.%s.%08x", what, hash);
}

void FormName(LPCWSTR what, WCHAR (&name)[64]) {
  WCHAR program[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length >= MAX_PATH) length = 0;
  FormNameFor(what, program, length, name);
}

}  // namespace

HANDLE ClaimOnlyCopy() {
  WCHAR name[64];
  FormName(u"running", name);
  HANDLE claim = CreateMutexW(nullptr, TRUE, name);
  if (claim && GetLastError() != ERROR_ALREADY_EXISTS) return claim;
  if (claim) CloseHandle(claim);
  // Another copy runs (or no claim could be made at all, and then no second copy is risked).
  FormName(u"forward", name);
  if (HANDLE forward = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
    SetEvent(forward);
    CloseHandle(forward);
  }
  return nullptr;
}

HANDLE CreateComeForwardEvent() {
  WCHAR name[64];
  FormName(u"forward", name);
  return CreateEventW(nullptr, FALSE, FALSE, name);
}

HANDLE ClaimDataFileOfProgram(LPCWSTR programPath) {
  WCHAR name[64];
  FormNameFor(u"running", programPath, static_cast<DWORD>(lstrlenW(programPath)), name);
  HANDLE claim = CreateMutexW(nullptr, TRUE, name);
  if (claim && GetLastError() != ERROR_ALREADY_EXISTS) return claim;
  if (claim) CloseHandle(claim);
  return nullptr;
}
