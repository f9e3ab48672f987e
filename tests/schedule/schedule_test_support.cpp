#include "tests/schedule/schedule_test_support.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "kp_platform.h"

ScheduleEntry MakeEntry(int year, int month, int day, WORD flags, const std::u16string& title,
                        const std::u16string& memo, int hour, int minute, int second) {
  ScheduleEntry entry{};
  entry.wYear = static_cast<WORD>(year);
  entry.wMonth = static_cast<WORD>(month);
  entry.wDay = static_cast<WORD>(day);
  entry.wHour = static_cast<WORD>(hour);
  entry.wMinute = static_cast<WORD>(minute);
  entry.wSecond = static_cast<WORD>(second);
  entry.wFlags = flags;
  for (size_t i = 0; i < title.size() && i < SCHEDULE_TITLE_UNITS; ++i) entry.szTitle[i] = title[i];
  for (size_t i = 0; i < memo.size() && i < SCHEDULE_MEMO_UNITS; ++i) entry.szMemo[i] = memo[i];
  return entry;
}

std::string RecordBytes(const std::vector<ScheduleEntry>& entries) {
  std::string bytes;
  for (const ScheduleEntry& entry : entries) {
    unsigned char record[SCHEDULE_RECORD_SIZE];
    ScheduleEntryToBytes(entry, record);
    bytes.append(reinterpret_cast<const char*>(record), sizeof record);
  }
  return bytes;
}

std::u16string ScratchFolder::handheld() const { return KpHandheldPath(path()); }
std::u16string ScratchFolder::dataFile() const { return KpHandheldPath(file("qmrv.dat")); }

std::string ScratchFolder::ReadData() const {
  std::ifstream in(file("qmrv.dat"), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ScratchFolder::WriteData(const std::string& bytes) const {
  std::ofstream(file("qmrv.dat"), std::ios::binary | std::ios::trunc) << bytes;
}

bool ScratchFolder::Exists(const std::string& name) const { return access(file(name).c_str(), F_OK) == 0; }

std::vector<std::string> ScratchFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

FileHolder::FileHolder(const std::u16string& path, int holdMs) {
  int ready[2];
  if (pipe(ready) != 0) return;
  m_pid = fork();
  if (m_pid == 0) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    char state = file == INVALID_HANDLE_VALUE ? 'n' : 'y';
    if (write(ready[1], &state, 1) != 1) _exit(1);
    Sleep(static_cast<DWORD>(holdMs));
    _exit(0);
  }
  char state = 0;
  close(ready[1]);
  if (read(ready[0], &state, 1) != 1 || state != 'y') std::abort();
  close(ready[0]);
}

FileHolder::~FileHolder() { Release(); }

void FileHolder::Release() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}
