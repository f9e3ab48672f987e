// Loads the store of a folder, appends entries and saves once: the program's exit path without
// its windows, so that a test can kill it at every system call of the save.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kp_platform.h"
#include "schedule/schedule_store.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_once FOLDER ENTRIES_TO_ADD\n");
    return 2;
  }
  std::u16string folder = KpFromUtf8(argv[1]);
  ScheduleStore store(folder.c_str());
  int toAdd = std::atoi(argv[2]);
  for (int i = 0; i < toAdd; ++i) {
    ScheduleEntry entry{};
    entry.wYear = 2026;
    entry.wMonth = 12;
    entry.wDay = static_cast<WORD>(1 + i % 28);
    entry.szTitle[0] = u'새';
    entry.szTitle[1] = static_cast<WCHAR>(u'0' + i % 10);
    store.Add(entry);
  }
  return store.Save() == ScheduleWriteOutcome::Written ? 0 : 1;
}
