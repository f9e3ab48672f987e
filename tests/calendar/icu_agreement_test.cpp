// Cross-check against an independent implementation: ICU's Korean (dangi) calendar, which
// computes the months astronomically. The two agree on every day the table holds, 1841-01-23 ..
// 2043-12-31, except in the spans listed below; a new disagreement means the table or the
// conversion changed.
#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/lunar_calendar.h"

namespace {

struct IcuLunar {
  int year, month, day, leap;
};

class IcuDangi {
 public:
  IcuDangi() {
    UErrorCode status = U_ZERO_ERROR;
    m_calendar.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                   icu::Locale("ko_KR@calendar=dangi"), status));
    m_ok = U_SUCCESS(status);
  }
  bool ok() const { return m_ok; }
  // Noon UTC of the solar day, so that no time-zone edge can move it to another day.
  IcuLunar Convert(int year, int month, int day) {
    UErrorCode status = U_ZERO_ERROR;
    const double millis = (double(DayNumber(year, month, day)) - 719163.0) * 86400000.0 + 43200000.0;
    m_calendar->setTime(millis, status);
    // The dangi extended year counts from the Dangun era, 2333 years before the Gregorian one.
    return {m_calendar->get(UCAL_EXTENDED_YEAR, status) - 2333, m_calendar->get(UCAL_MONTH, status) + 1,
            m_calendar->get(UCAL_DATE, status), m_calendar->get(UCAL_IS_LEAP_MONTH, status)};
  }

 private:
  std::unique_ptr<icu::Calendar> m_calendar;
  bool m_ok = false;
};

std::string Iso(int y, int m, int d) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  return text;
}

// A run of consecutive solar days on which the two calendars disagree.
struct Span {
  std::string first, last;
  bool operator==(const Span&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Span& span) { return out << span.first << ".." << span.last; }

// Where ICU's computed months depart from the Korean national standard that the table follows:
// ICU works out new moons and solar terms with approximate astronomy for one fixed meridian, so a
// new moon close to midnight, or a 19th-century month that the standard takes from the calendar
// then in use, can start a day off or move a leap month. Each span is a stretch ICU gets wrong.
const std::vector<Span> kKnownDisagreements = {
    {"1842-01-11", "1842-02-09"},  // ICU starts lunar 1841-12 on 01-11, the standard on 01-12
    {"1890-01-21", "1890-04-18"},  // ICU adds a leap 12th month to lunar 1889; the standard a leap 2nd to 1890
    {"1896-02-13", "1896-03-13"},  // ICU starts lunar 1896-01 on 02-14, the standard on 02-13
    {"2017-02-26", "2017-03-27"},  // ICU starts lunar 2017-02 on 02-27; the standard on 02-26 (new moon 23:58 KST)
};

TEST(IcuAgreement, TableAgreesWithIcuDangiCalendarOnEveryDayButWhereIcuDepartsFromTheStandard) {
  IcuDangi icu;
  ASSERT_TRUE(icu.ok());
  std::vector<Span> spans;
  long previousDisagreement = -1;
  for (int year = 1841; year <= 2043; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= DaysInSolarMonth(year, month); ++day) {
        if (DayNumber(year, month, day) <= LUNAR_EPOCH_DAY) continue;  // lunar 1840, not in the table
        LunarDate ours{};
        ASSERT_EQ(SolarToLunar(year, month, day, &ours), 1);
        const IcuLunar theirs = icu.Convert(year, month, day);
        if (ours.wLunarYear == theirs.year && ours.byMonth == theirs.month && ours.byDay == theirs.day &&
            ours.byLeap == theirs.leap)
          continue;
        const long n = DayNumber(year, month, day);
        const bool continuesSpan = n == previousDisagreement + 1;
        previousDisagreement = n;
        if (continuesSpan) {
          spans.back().last = Iso(year, month, day);
          continue;
        }
        spans.push_back({Iso(year, month, day), Iso(year, month, day)});
        std::printf("disagreement from %s: table %s%s, ICU %s%s\n", Iso(year, month, day).c_str(),
                    Iso(ours.wLunarYear, ours.byMonth, ours.byDay).c_str(), ours.byLeap ? " leap" : "",
                    Iso(theirs.year, theirs.month, theirs.day).c_str(), theirs.leap ? " leap" : "");
      }
  EXPECT_EQ(spans, kKnownDisagreements);
}

}  // namespace
