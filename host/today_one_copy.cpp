#include "host/today_one_copy.h"

#include <filesystem>
#include <string>

#include "kp_platform.h"

namespace {

// "KalmenoToday.<what>.<hash of the registry file's full path>": a short name whatever the path.
void FormName(LPCWSTR what, WCHAR (&name)[64]) {
  std::error_code error;
  std::filesystem::path registry = std::filesystem::weakly_canonical(std::filesystem::absolute(KpRegistryPath()), error);
  const std::string path = error ? KpRegistryPath() : registry.string();
  // FNV-1a over the path's bytes.
  unsigned hash = 2166136261u;
  for (unsigned char c : path) hash = (hash ^ c) * 16777619u;
  wsprintfW(name, u"KalmenoToday.%s.%08x", what, hash);
}

}  // namespace

HANDLE ClaimOnlyTodayScreen() {
  WCHAR name[64];
  FormName(u"running", name);
  HANDLE claim = CreateMutexW(nullptr, TRUE, name);
  if (!claim || GetLastError() != ERROR_ALREADY_EXISTS) return claim;
  CloseHandle(claim);
  FormName(u"forward", name);
  if (HANDLE forward = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
    SetEvent(forward);
    CloseHandle(forward);
  }
  SetLastError(ERROR_ALREADY_EXISTS);
  return nullptr;
}

HANDLE CreateTodayComeForwardEvent() {
  WCHAR name[64];
  FormName(u"forward", name);
  return CreateEventW(nullptr, FALSE, FALSE, name);
}
