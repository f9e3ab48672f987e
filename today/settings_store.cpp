#include "today/settings_store.h"

#include "schedule/item_key.h"
#include "today/today_settings.h"
#include "winreg.h"

namespace {

// One registry value per field, with the range the options dialog can give it. The D-day entry
// may be -1 (no entries when it was chosen); the reminder's number is whatever the user typed.
struct Field {
  const WCHAR* name;
  INT TodaySettings::*member;
  INT lowest;
  INT highest;
};

constexpr INT kAnyInt = 0x7FFFFFFF;
const Field kFields[] = {
    {u"LunarLine", &TodaySettings::nLunarLine, 0, 1},
    {u"ListCount", &TodaySettings::nListCount, 0, 4},
    {u"ReminderValue", &TodaySettings::nReminderValue, -kAnyInt - 1, kAnyInt},
    {u"ReminderUnit", &TodaySettings::nReminderUnit, 0, 3},
    {u"DdayLine", &TodaySettings::nDdayLine, 0, 1},
    {u"DdayEntry", &TodaySettings::nDdayEntry, -1, kAnyInt},
};

bool ReadField(HKEY key, const Field& field, INT* value) {
  DWORD type = 0;
  DWORD number = 0;
  DWORD size = sizeof(number);
  if (RegQueryValueExW(key, field.name, nullptr, &type, (LPBYTE)&number, &size) != ERROR_SUCCESS) return false;
  if (type != REG_DWORD || size != sizeof(number)) return false;
  INT signedNumber = (INT)number;
  if (signedNumber < field.lowest || signedNumber > field.highest) return false;
  *value = signedNumber;
  return true;
}

}  // namespace

void LoadSettings() {
  g_settings = TodaySettings{};
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, 0, &key) != ERROR_SUCCESS) return;
  TodaySettings read{};
  read.bConfirmed = 1;
  ApplyDefaults(read);
  bool anyRead = false;
  for (const Field& field : kFields) anyRead = ReadField(key, field, &(read.*field.member)) || anyRead;
  RegCloseKey(key);
  if (anyRead) g_settings = read;
}

bool SaveSettings() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                      &disposition) != ERROR_SUCCESS)
    return false;
  bool written = true;
  for (const Field& field : kFields) {
    DWORD number = (DWORD)(g_settings.*field.member);
    written = RegSetValueExW(key, field.name, 0, REG_DWORD, (const BYTE*)&number, sizeof(number)) == ERROR_SUCCESS &&
              written;
  }
  RegCloseKey(key);
  return written;
}
