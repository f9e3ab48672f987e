#include "today/coming_marks.h"

#include <algorithm>

#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"
#include "kp_platform.h"
#include "today/occurrences.h"

namespace {

const WCHAR kSettingsKey[] = u"Software\\Kalmeno";
const WCHAR kValue[] = u"TodayHolidayMarks";

BOOL LoadShowHolidayMarks() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
  DWORD value = 0, type = 0, size = sizeof value;
  const LONG status = RegQueryValueExW(key, kValue, nullptr, &type, (LPBYTE)&value, &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD && value != 0;
}

}  // namespace

void BuildComingMarks(DWORD today, int year) {
  g_bShowHolidayMarks = LoadShowHolidayMarks();
  g_comingMarks.clear();
  for (int y = year; y <= year + 1; ++y) {
    DWORD day = 0;
    for (const calendar::PublicHoliday& h : calendar::PublicHolidaysOfYear(y))
      if (DaysSince1601(h.year, h.month, h.day, &day) && day >= today)
        g_comingMarks.push_back({day, -1, KpFromUtf8(h.name)});
    for (const calendar::SolarTerm& t : calendar::SolarTermsOfYear(y))
      if (DaysSince1601(t.year, t.month, t.day, &day) && day >= today)
        g_comingMarks.push_back({day, t.hour * 60 + t.minute, KpFromUtf8(calendar::SolarTermName(t.index))});
  }
  std::stable_sort(g_comingMarks.begin(), g_comingMarks.end(), [](const ComingMark& a, const ComingMark& b) {
    return a.nDay != b.nDay ? a.nDay < b.nDay : a.nMinute < b.nMinute;
  });
}

void SaveShowHolidayMarks(BOOL show) {
  g_bShowHolidayMarks = show;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  const DWORD value = show ? 1 : 0;
  RegSetValueExW(key, kValue, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
  RegCloseKey(key);
}
