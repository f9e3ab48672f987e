#include "schedule/schedule_file.h"

#include <string>

namespace {

// Reads whole records from an open file until its end. False on a read failure.
bool ReadRecords(HANDLE file, std::vector<ScheduleEntry>& out) {
  unsigned char buffer[SCHEDULE_RECORD_SIZE];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) return false;
    // A short read only happens at the end of the file: a fragment no writer of ours makes.
    if (read < sizeof buffer) return true;
    out.push_back(ScheduleEntryFromBytes(buffer));
  }
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  bool Close() {
    if (!IsOpen()) return true;
    BOOL closed = CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE m_handle;
};

HANDLE OpenExclusive(LPCWSTR path, DWORD access, DWORD disposition) {
  return CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes the records to the new file; false when any write or the flush failed.
bool WriteRecords(HANDLE file, const std::vector<ScheduleEntry>& first, const std::vector<ScheduleEntry>& second) {
  bool allWritten = true;
  unsigned char bytes[SCHEDULE_RECORD_SIZE];
  for (const std::vector<ScheduleEntry>* part : {&first, &second}) {
    for (const ScheduleEntry& entry : *part) {
      ScheduleEntryToBytes(entry, bytes);
      DWORD written = 0;
      if (!WriteFile(file, bytes, sizeof bytes, &written, nullptr)) allWritten = false;
    }
  }
  return FlushFileBuffers(file) && allWritten;
}

}  // namespace

int ReadScheduleFile(LPCWSTR path, std::vector<ScheduleEntry>& out, bool createMissing) {
  FileHandle file(OpenExclusive(path, GENERIC_READ, createMissing ? OPEN_ALWAYS : OPEN_EXISTING));
  if (!file.IsOpen()) return -1;
  std::vector<ScheduleEntry> records;
  if (!ReadRecords(file.Get(), records)) return -1;
  out.insert(out.end(), records.begin(), records.end());
  return 0;
}

ScheduleWriteOutcome WriteScheduleFile(LPCWSTR path, const std::vector<ScheduleEntry>& entries,
                                       std::vector<ScheduleEntry>* keptFromFile) {
  // Held to the end, so the other side cannot read a file that is about to be replaced, and a
  // save while the other side reads fails and can be tried again.
  FileHandle held(OpenExclusive(path, GENERIC_READ, OPEN_ALWAYS));
  if (!held.IsOpen()) return ScheduleWriteOutcome::CouldNotCreate;
  std::vector<ScheduleEntry> kept;
  if (keptFromFile && !ReadRecords(held.Get(), kept)) return ScheduleWriteOutcome::CouldNotCreate;

  std::u16string newPath = std::u16string(path) + u".new";
  FileHandle fresh(OpenExclusive(newPath.c_str(), GENERIC_WRITE, CREATE_ALWAYS));
  if (!fresh.IsOpen()) return ScheduleWriteOutcome::CouldNotCreate;
  bool written = WriteRecords(fresh.Get(), kept, entries);
  written = fresh.Close() && written;
  if (!written || !MoveFileExW(newPath.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(newPath.c_str());
    return ScheduleWriteOutcome::WriteFailed;
  }
  if (keptFromFile) keptFromFile->swap(kept);
  return ScheduleWriteOutcome::Written;
}
