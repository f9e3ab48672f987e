// Prints the local clock, waits two seconds and prints it again.
#include <cstdio>

#include "windows.h"

int main() {
  for (int i = 0; i < 2; ++i) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    std::printf("%04u-%02u-%02uT%02u:%02u:%02u %u\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                t.wDayOfWeek);
    if (i == 0) Sleep(2100);
  }
  return 0;
}
