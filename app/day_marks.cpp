#include "app/day_marks.h"

#include <vector>

#include "calendar/public_holidays.h"
#include "calendar/solar_terms.h"
#include "kp_platform.h"
#include "schedule/user_choices.h"
#include "windows.h"

namespace {


// A cell is about three syllables wide; the schedule panel shows the whole name.
std::u16string CellLabel(const std::u16string& name) {
  for (const char16_t* prefix : {u"대체", u"임시"})
    if (name.starts_with(prefix)) return prefix;
  if (name.ends_with(u"선거")) return u"선거";
  for (const char16_t* suffix : {u" 전날", u" 다음 날"})
    if (name.ends_with(suffix)) return name.substr(0, name.size() - std::char_traits<char16_t>::length(suffix));
  return name;
}

}  // namespace

void FillDayMarks(const DayCell (&cells)[kMonthCellCount], DayMarks (&marks)[kMonthCellCount]) {
  // The grid spans two years at most (December's last week and January's first).
  const int firstYear = cells[0].wYear, lastYear = cells[kMonthCellCount - 1].wYear;
  std::vector<calendar::PublicHoliday> holidays;
  for (int year = firstYear; year <= lastYear; ++year) {
    std::vector<calendar::PublicHoliday> ofYear = calendar::PublicHolidaysOfYear(year);
    holidays.insert(holidays.end(), ofYear.begin(), ofYear.end());
  }
  for (int i = 0; i < kMonthCellCount; ++i) {
    const DayCell& cell = cells[i];
    DayMarks& mark = marks[i];
    mark = DayMarks{};
    for (const calendar::PublicHoliday& h : holidays) {
      if (h.year != cell.wYear || h.month != cell.wMonth || h.day != cell.wDay) continue;
      mark.bHoliday = true;
      const std::u16string name = KpFromUtf8(h.name);
      if (mark.names.empty()) mark.label = CellLabel(name);
      else mark.names += u"·";
      mark.names += name;
    }
    const int term = calendar::SolarTermOn(cell.wYear, cell.wMonth, cell.wDay);
    if (term >= 0) mark.term = KpFromUtf8(calendar::SolarTermName(term));
  }
}

bool LoadHolidayView() { return LoadUserChoice(u"HolidayView"); }

void SaveHolidayView(bool on) { SaveUserChoice(u"HolidayView", on); }
