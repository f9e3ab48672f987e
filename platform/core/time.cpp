// Local time with a settable clock, and the file-time conversions.
//
// The clock is kept as an offset from the real local clock: KALMENO_NOW (at start) and KpSetClock
// move it, and it keeps running from there, so waits and timers still see time pass. A stepped
// clock (KALMENO_CLOCK=stepped, for tests) replaces the real clocks underneath, monotonic and local,
// by the moment stepping began plus the time the process has let pass since.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <time.h>

namespace {

constexpr long long kMicrosPerDay = 86400LL * 1000000;
// Days from 0001-01-01 (day 1) to 1601-01-01, and to 1970-01-01.
constexpr long long kDayOf1601 = 584389;
constexpr long long kDayOf1970 = 719163;
constexpr unsigned long long kTicksPerDay = 864000000000ULL;

bool IsLeapYear(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(long long y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Proleptic Gregorian day number, 1 = 0001-01-01.
long long DayNumber(long long y, int m, int d) {
  static const int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  long long p = y - 1;
  long long days = p * 365 + p / 4 - p / 100 + p / 400 + kBefore[m - 1] + d;
  if (m > 2 && IsLeapYear(y)) ++days;
  return days;
}

void DateOfDayNumber(long long day, long long& y, int& m, int& d) {
  // Civil-from-days on days since 1970-01-01 (Howard Hinnant's algorithm).
  long long z = day - kDayOf1970 + 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

// The real monotonic clock, in microseconds.
long long RealMonotonicMicros() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000;
}

// The real local time, in microseconds since 0001-01-01 00:00 local.
long long RealLocalMicros() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm local;
  localtime_r(&now.tv_sec, &local);
  long long seconds = static_cast<long long>(now.tv_sec) + local.tm_gmtoff;
  return (kDayOf1970 - 1) * kMicrosPerDay + seconds * 1000000LL + now.tv_nsec / 1000;
}

long long MicrosOf(const SYSTEMTIME& t) {
  return (DayNumber(t.wYear, t.wMonth, t.wDay) - 1) * kMicrosPerDay +
         ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000000LL + t.wMilliseconds * 1000LL;
}

bool IsValid(const SYSTEMTIME& t) {
  return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 &&
         t.wMilliseconds < 1000;
}

std::atomic<long long> g_clockOffset{0};

// The stepped clock: both real clocks as they were when stepping began, and how far it has moved.
std::atomic<bool> g_stepped{false};
long long g_steppedMonotonicStart = 0;
long long g_steppedLocalStart = 0;
std::atomic<long long> g_steppedMicros{0};

// Local time before KpSetClock's offset: real, or stepped.
long long UnderlyingLocalMicros() {
  return g_stepped ? g_steppedLocalStart + g_steppedMicros.load() : RealLocalMicros();
}

// Reads KALMENO_NOW when the process starts, so the clock runs from that moment.
struct ClockFromEnvironment {
  ClockFromEnvironment() {
    if (const char* clock = std::getenv("KALMENO_CLOCK")) {
      if (std::string(clock) == "stepped") KpUseSteppedClock();
      else if (std::string(clock) != "real")
        std::fprintf(stderr, "KALMENO_CLOCK=%s is neither \"stepped\" nor \"real\"; using the real clock\n", clock);
    }
    const char* now = std::getenv("KALMENO_NOW");
    if (!now) return;
    unsigned y, mo, d, h, mi, s;
    char tail;
    SYSTEMTIME t{};
    if (std::sscanf(now, "%u-%u-%uT%u:%u:%u%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6) {
      std::fprintf(stderr, "KALMENO_NOW=%s is not YYYY-MM-DDTHH:MM:SS; using the real clock\n", now);
      return;
    }
    t.wYear = static_cast<WORD>(y), t.wMonth = static_cast<WORD>(mo), t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h), t.wMinute = static_cast<WORD>(mi), t.wSecond = static_cast<WORD>(s);
    if (y > 30827 || !IsValid(t)) {
      std::fprintf(stderr, "KALMENO_NOW=%s is not a valid time; using the real clock\n", now);
      return;
    }
    KpSetClock(&t);
  }
} g_clockFromEnvironment;

}  // namespace

void KpSetClock(const SYSTEMTIME* time) {
  if (!time || !IsValid(*time)) return;
  g_clockOffset = MicrosOf(*time) - UnderlyingLocalMicros();
}

void KpUseSteppedClock() {
  if (g_stepped) return;
  // The local time shown stays what it was; from now on it moves only with the stepped clock.
  g_steppedMonotonicStart = RealMonotonicMicros();
  g_steppedLocalStart = RealLocalMicros();
  g_steppedMicros = 0;
  g_stepped = true;
}

BOOL KpClockIsStepped() { return g_stepped ? TRUE : FALSE; }

void KpAdvanceClock(DWORD milliseconds) {
  if (g_stepped) g_steppedMicros += static_cast<long long>(milliseconds) * 1000;
}

long long KpMonotonicMicros() {
  return g_stepped ? g_steppedMonotonicStart + g_steppedMicros.load() : RealMonotonicMicros();
}

void GetLocalTime(LPSYSTEMTIME time) {
  long long micros = UnderlyingLocalMicros() + g_clockOffset.load();
  long long day = micros / kMicrosPerDay + 1;
  long long inDay = micros % kMicrosPerDay;
  long long y;
  int m, d;
  DateOfDayNumber(day, y, m, d);
  time->wYear = static_cast<WORD>(y);
  time->wMonth = static_cast<WORD>(m);
  time->wDay = static_cast<WORD>(d);
  time->wDayOfWeek = static_cast<WORD>(day % 7);  // day 1 (0001-01-01) was a Monday
  time->wHour = static_cast<WORD>(inDay / 3600000000LL);
  time->wMinute = static_cast<WORD>(inDay / 60000000LL % 60);
  time->wSecond = static_cast<WORD>(inDay / 1000000LL % 60);
  time->wMilliseconds = static_cast<WORD>(inDay / 1000 % 1000);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* time, LPFILETIME fileTime) {
  if (!time || !fileTime || !IsValid(*time)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  unsigned long long days = static_cast<unsigned long long>(DayNumber(time->wYear, time->wMonth, time->wDay) - kDayOf1601);
  unsigned long long ticks = days * kTicksPerDay +
                             ((time->wHour * 60ULL + time->wMinute) * 60 + time->wSecond) * 10000000ULL +
                             time->wMilliseconds * 10000ULL;
  fileTime->dwLowDateTime = static_cast<DWORD>(ticks);
  fileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME time) {
  if (!fileTime || !time) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  unsigned long long ticks = (static_cast<unsigned long long>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
  // The platform refuses values with the top bit set (beyond the year 30827).
  if (ticks >> 63) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  long long day = static_cast<long long>(ticks / kTicksPerDay) + kDayOf1601;
  unsigned long long inDay = ticks % kTicksPerDay;
  long long y;
  int m, d;
  DateOfDayNumber(day, y, m, d);
  time->wYear = static_cast<WORD>(y);
  time->wMonth = static_cast<WORD>(m);
  time->wDay = static_cast<WORD>(d);
  time->wDayOfWeek = static_cast<WORD>(day % 7);
  time->wHour = static_cast<WORD>(inDay / 36000000000ULL);
  time->wMinute = static_cast<WORD>(inDay / 600000000ULL % 60);
  time->wSecond = static_cast<WORD>(inDay / 10000000ULL % 60);
  time->wMilliseconds = static_cast<WORD>(inDay / 10000ULL % 1000);
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(KpMonotonicMicros() / 1000); }

// Really sleeps (other processes may be what the caller waits for) and moves a stepped clock on.
void Sleep(DWORD milliseconds) {
  struct timespec wait = {static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0) {
  }
  KpAdvanceClock(milliseconds);
}

LANGID GetUserDefaultLangID() { return 0x0412; }
LANGID GetSystemDefaultLangID() { return 0x0412; }
