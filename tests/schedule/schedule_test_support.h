#pragma once
// Helpers for the schedule tests: records built field by field, a scratch folder, raw file bytes.
#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "tests/support/temp_dir.h"

ScheduleEntry MakeEntry(int year, int month, int day, WORD flags, const std::u16string& title,
                        const std::u16string& memo = u"", int hour = 9, int minute = 30, int second = 0);
std::string RecordBytes(const std::vector<ScheduleEntry>& entries);

class ScratchFolder : public TempDir {
 public:
  ScratchFolder() : TempDir("kp-schedule") {}
  // The folder and the data file in the handheld's form, as the program passes them.
  std::u16string handheld() const;
  std::u16string dataFile() const;
  std::string ReadData() const;
  void WriteData(const std::string& bytes) const;
  bool Exists(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;
};

// A child process that holds a file open exclusively until it is released (or for `holdMs`).
class FileHolder {
 public:
  FileHolder(const std::u16string& path, int holdMs);
  ~FileHolder();
  void Release();

 private:
  int m_pid = -1;
};
