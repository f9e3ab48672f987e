#include "tests/fuzz/schedule_file_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "calendar/lunar_calendar.h"
#include "kp_platform.h"
#include "schedule/entry_occurrences.h"
#include "schedule/schedule_store.h"
#include "tests/support/temp_dir.h"

namespace {

[[noreturn]] void Fail(const char* what, int y, int m, int d) {
  std::fprintf(stderr, "schedule file check failed: %s on %04d-%02d-%02d\n", what, y, m, d);
  std::abort();
}

// One folder per process, reused by every input and removed at exit.
const std::string& ScratchFolder() {
  static TempDir* folder = [] {
    auto* made = new TempDir("kp-fuzz-schedule");
    std::atexit([] { delete folder; });
    return made;
  }();
  return folder->path();
}

void WriteDataFile(const std::uint8_t* data, std::size_t size) {
  std::string path = ScratchFolder() + "/qmrv.dat";
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) std::abort();
  for (std::size_t done = 0; done < size;) {
    ssize_t n = write(fd, data + done, size - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  close(fd);
}

// The lunar dates of every day of a year, worked out once per year: the conversion is not what
// is being checked, and doing it per input would slow the fuzzer down tenfold.
const std::vector<LunarDate>& LunarDatesOf(int year) {
  static std::map<int, std::vector<LunarDate>>* cache = new std::map<int, std::vector<LunarDate>>();
  std::vector<LunarDate>& dates = (*cache)[year];
  if (dates.empty()) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInSolarMonth(year, month); ++day) {
        LunarDate lunar{};
        if (!SolarToLunar(year, month, day, &lunar)) Fail("lunar conversion", year, month, day);
        dates.push_back(lunar);
      }
    }
  }
  return dates;
}

}  // namespace

void CheckScheduleFileBytes(const std::uint8_t* data, std::size_t size) {
  WriteDataFile(data, size);
  ScheduleStore store(KpHandheldPath(ScratchFolder()).c_str());

  // Whole records load, in order and unchanged; a trailing fragment is dropped.
  if (store.GetCount() != static_cast<int>(size / SCHEDULE_RECORD_SIZE)) Fail("record count", 0, 0, 0);
  for (int i = 0; i < store.GetCount(); ++i) {
    unsigned char bytes[SCHEDULE_RECORD_SIZE];
    ScheduleEntryToBytes(store.GetAt(i), bytes);
    if (std::memcmp(bytes, data + i * SCHEDULE_RECORD_SIZE, SCHEDULE_RECORD_SIZE) != 0) Fail("record bytes", 0, 0, 0);
  }

  // Every day of a leap year chosen by the input, within the lunar table's range.
  int year = 1844 + (size > 0 ? data[0] : 0) % 50 * 4;
  if (!IsGregorianLeapYear(year)) year += 4;  // 1900
  std::vector<unsigned long> indices;
  const std::vector<LunarDate>& lunarDates = LunarDatesOf(year);
  size_t dayOfYear = 0;
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= DaysInSolarMonth(year, month); ++day) {
      const LunarDate& lunar = lunarDates[dayOfYear++];
      DaySummary summary;
      store.QueryDay(year, month, day, lunar.wLunarYear, lunar.byMonth, lunar.byDay, &summary, &indices);
      int matches = summary.nSolarCount + summary.nLunarCount;
      if (matches != static_cast<int>(indices.size())) Fail("count and positions disagree", year, month, day);
      if (summary.bHoliday != 0 && summary.bHoliday != 1) Fail("holiday flag", year, month, day);
      int labelLength = 0;
      while (labelLength < 6 && summary.szLabel[labelLength]) ++labelLength;
      if (labelLength == 6) Fail("unterminated label", year, month, day);
      for (int k = 0; k < labelLength; ++k) {
        bool paired = IS_HIGH_SURROGATE(summary.szLabel[k]) && IS_LOW_SURROGATE(summary.szLabel[k + 1]);
        if (paired) ++k;
        else if (IS_HIGH_SURROGATE(summary.szLabel[k]) || IS_LOW_SURROGATE(summary.szLabel[k]))
          Fail("half a character in the label", year, month, day);
      }
      if ((matches == 0) != (labelLength == 0)) Fail("label without a match", year, month, day);
      // The day as the month view gives it; the store's index must find exactly what the rule says.
      const CalendarDay gridDay{year, month, day, lunar.wLunarYear, lunar.byMonth, lunar.byDay, lunar.byLeap == 1};
      int falling = 0;
      for (int i = 0; i < store.GetCount(); ++i) falling += EntryFallsOn(store.GetAt(i), gridDay, LeapMonths::AlsoMatched);
      if (falling != matches) Fail("an entry that falls on the day is missing", year, month, day);
      bool holiday = false;
      for (size_t k = 0; k < indices.size(); ++k) {
        if (indices[k] >= static_cast<unsigned long>(store.GetCount())) Fail("position outside", year, month, day);
        ScheduleEntry entry = store.GetAt(static_cast<int>(indices[k]));
        bool lunarEntry = entry.wFlags & SCHEDULE_LUNAR;
        if (!EntryFallsOn(entry, gridDay, LeapMonths::AlsoMatched)) Fail("a position that does not fall on the day", year, month, day);
        if (k > 0 && !lunarEntry && (store.GetAt(static_cast<int>(indices[k - 1])).wFlags & SCHEDULE_LUNAR))
          Fail("solar after lunar", year, month, day);
        holiday |= (entry.wFlags & SCHEDULE_HOLIDAY) != 0;
      }
      if (holiday != (summary.bHoliday == 1)) Fail("holiday does not follow the matches", year, month, day);
    }
  }
}
