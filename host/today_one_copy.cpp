#include "host/today_one_copy.h"

#include <filesystem>
#include <string>

#include "kp_one_copy.h"
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
  WCHAR claim[64], forward[64];
  FormName(u"running", claim);
  FormName(u"forward", forward);
  return KpClaimOnlyCopy(claim, forward);
}

HANDLE CreateTodayComeForwardEvent() {
  WCHAR name[64];
  FormName(u"forward", name);
  return CreateEventW(nullptr, FALSE, FALSE, name);
}
