#include "today/coming_marks.h"

#include <algorithm>

#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"
#include "kp_platform.h"
#include "schedule/user_choices.h"
#include "today/occurrences.h"

namespace {

constexpr WCHAR kShowHolidayMarks[] = u"TodayHolidayMarks";

}  // namespace

void BuildComingMarks(DWORD today, int year) {
  g_bShowHolidayMarks = LoadUserChoice(kShowHolidayMarks);
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
  SaveUserChoice(kShowHolidayMarks, show);
}
