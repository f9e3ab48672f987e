#include "today/reminders.h"

#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

#include "aygshell.h"
#include "today/item_cache.h"
#include "today/item_window.h"
#include "today/occurrences.h"

namespace {

constexpr long long kMinutesPerDay = 1440;
const WCHAR kSummary[] = u"Kalmeno 미리 알림";

long long StartMinute(const Occurrence& occurrence) {
  const ScheduleEntry& entry = g_entries[occurrence.nEntry];
  return (long long)occurrence.nDay * kMinutesPerDay + entry.wHour * 60LL + entry.wMinute;
}

OccurrenceKey KeyOf(const Occurrence& occurrence) {
  const ScheduleEntry& entry = g_entries[occurrence.nEntry];
  OccurrenceKey key;
  std::memset(&key, 0, sizeof(key));
  key.day = occurrence.nDay;
  key.hour = entry.wHour;
  key.minute = entry.wMinute;
  key.flags = entry.wFlags;
  for (int i = 0; i < 10 && entry.szTitle[i] != 0; ++i) key.title[i] = entry.szTitle[i];
  return key;
}

// Text shown by HTML as it stands.
void AppendEscaped(std::u16string& html, const WCHAR* text) {
  for (; *text; ++text) {
    if (*text == u'&') html += u"&amp;";
    else if (*text == u'<') html += u"&lt;";
    else if (*text == u'>') html += u"&gt;";
    else html += *text;
  }
}

// The item's own line for the occurrence; a lunar entry adds the lunar date it falls on.
std::u16string BodyOf(const Occurrence& occurrence) {
  WCHAR line[100];
  FormatOccurrenceLine(occurrence, line);
  std::u16string html;
  AppendEscaped(html, line);
  if (!(g_entries[occurrence.nEntry].wFlags & SCHEDULE_LUNAR)) return html;
  ULONGLONG units = (ULONGLONG)occurrence.nDay * 864000000000ull;
  FILETIME fileTime = {(DWORD)(units & 0xFFFFFFFFu), (DWORD)(units >> 32)};
  SYSTEMTIME solar;
  LunarDate lunar;
  std::memset(&lunar, 0, sizeof(lunar));
  if (!FileTimeToSystemTime(&fileTime, &solar) || !SolarToLunar(solar.wYear, solar.wMonth, solar.wDay, &lunar))
    return html;
  WCHAR date[40];
  wsprintfW(date, u" (음력 %s%d월 %d일)", lunar.byLeap ? u"윤" : u"", lunar.byMonth, lunar.byDay);
  AppendEscaped(html, date);
  return html;
}

// Reminders that come due together: shown as one notification, at most this many of their lines
// in it, and how many there are.
constexpr size_t kLinesInOneNotification = 3;

// One notification for every reminder that came due at this walk: a single one says its line;
// more say how many, then the first few lines, so that a day of many entries (or a return after
// a long time away) is one notification to read, not a pile of them.
void Announce(const std::vector<const Occurrence*>& due) {
  std::u16string body;
  if (due.size() == 1) {
    body = BodyOf(*due.front());
  } else {
    WCHAR count[48];
    wsprintfW(count, u"다가오는 일정 %d개", (int)due.size());
    body = count;
    for (size_t i = 0; i < due.size() && i < kLinesInOneNotification; ++i) body += u"<br>" + BodyOf(*due[i]);
    if (due.size() > kLinesInOneNotification) {
      wsprintfW(count, u"<br>외 %d개", (int)(due.size() - kLinesInOneNotification));
      body += count;
    }
  }
  SHNOTIFICATIONDATA data;
  std::memset(&data, 0, sizeof(data));
  data.cbStruct = sizeof(data);
  data.dwID = (DWORD)g_item.reminders.announced.size();
  data.npPriority = SHNP_INFORM;
  data.hicon = g_hItemIcon;
  data.pszTitle = kSummary;
  data.pszHTML = body.c_str();
  SHNotificationAdd(&data);
}

// Walks a list sorted by day from `first`, up to the last day the interval can reach.
void AnnounceFrom(const std::vector<Occurrence>& list, size_t first, long long now, long long interval) {
  ReminderState& r = g_item.reminders;
  std::vector<const Occurrence*> due;
  for (size_t k = first; k < list.size(); ++k) {
    const Occurrence& occurrence = list[k];
    if ((long long)occurrence.nDay * kMinutesPerDay > now + interval) break;
    long long start = StartMinute(occurrence);
    if (now >= start || now < start - interval || r.inAnnounced[k]) continue;
    r.inAnnounced[k] = 1;
    if (r.announced.insert(KeyOf(occurrence)).second) due.push_back(&occurrence);
  }
  if (!due.empty()) Announce(due);
}

}  // namespace

long long ReminderMinutes(const TodaySettings& settings) {
  static const long long kUnitMinutes[] = {0, 1, 60, kMinutesPerDay};
  if (settings.nReminderValue <= 0 || settings.nReminderUnit < 1 || settings.nReminderUnit > 3) return 0;
  return settings.nReminderValue * kUnitMinutes[settings.nReminderUnit];
}

void AnnounceDueReminders() {
  ReminderState& r = g_item.reminders;
  long long interval = ReminderMinutes(g_settings);
  if (interval <= 0) return;
  // Rebuilt occurrences are walked again at once, and what stood at an index before may not now.
  if (!r.flagged || r.flaggedBuild != ItemCacheBuilds() || r.inAnnounced.size() != g_occurrences.size()) {
    r.flagged = true;
    r.flaggedBuild = ItemCacheBuilds();
    r.inAnnounced.assign(g_occurrences.size(), 0);
    r.lastMinute = -1;
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  DWORD today = 0;
  if (!DaysSince1601(now.wYear, now.wMonth, now.wDay, &today)) return;
  long long minute = (long long)today * kMinutesPerDay + now.wHour * 60LL + now.wMinute;
  if (minute == r.lastMinute && interval == r.lastInterval) return;
  r.lastMinute = minute;
  r.lastInterval = interval;
  // From g_nFirst on, the occurrences are the coming ones in date order, a yearly entry whose date
  // this year is past already at its date of next year.
  if (g_nFirst >= 0) AnnounceFrom(g_occurrences, (size_t)g_nFirst, minute, interval);
}
