#include "schedule/user_choices.h"

#include "kp_platform.h"

namespace {

constexpr WCHAR kChoicesKey[] = u"Software\\Kalmeno";

}  // namespace

bool LoadUserChoice(LPCWSTR value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kChoicesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD on = 0, type = 0, size = sizeof on;
  const LONG status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<LPBYTE>(&on), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD && on != 0;
}

void SaveUserChoice(LPCWSTR value, bool on) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kChoicesKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  const DWORD stored = on ? 1 : 0;
  RegSetValueExW(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored);
  RegCloseKey(key);
}
