#include "schedule/schedule_file.h"

#include <random>
#include <string>

namespace {

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

// What GetFileSize returns when it fails.
constexpr DWORD kNoFileSize = 0xFFFFFFFFu;

// Reads the whole records of an open file, from its current position to the size it has now, in
// as few system calls as the system allows. False on a read failure or a file of 4 GB or more
// (some forty million records: no data file of ours).
bool ReadRecordBytes(HANDLE file, std::vector<unsigned char>& bytes) {
  DWORD sizeHigh = 0;
  DWORD size = GetFileSize(file, &sizeHigh);
  if (size == kNoFileSize || sizeHigh != 0) return false;
  // Resizing to an unchanged size neither allocates nor clears.
  bytes.resize(size);
  size_t held = 0;
  while (held < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + held, static_cast<DWORD>(bytes.size() - held), &read, nullptr)) return false;
    if (read == 0) break;  // cut short meanwhile
    held += read;
  }
  // A trailing fragment shorter than a record is no record: no writer of ours makes one.
  bytes.resize(held - held % SCHEDULE_RECORD_SIZE);
  return true;
}

// Writes the records from the file's current position; false when any write failed (the loop
// goes on, so that a failure is not mistaken for the end of the records).
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
  return allWritten;
}

// Creates "<target>.new-XXXXXXXX" with a name no file has yet (never an existing file, never
// through a link), private until it replaces the target. The name is stored in `name`.
HANDLE CreateFreshBeside(const std::u16string& target, std::u16string& name) {
  static const char16_t kHex[] = u"0123456789abcdef";
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    unsigned value = random();
    name = target + u".new-";
    for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(value >> shift) & 0xF];
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ALREADY_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// The records over the file's own, from its start, cut where they end, flushed.
bool RewriteInPlace(HANDLE file, const std::vector<ScheduleEntry>& first, const std::vector<ScheduleEntry>& second) {
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  bool written = WriteRecords(file, first, second);
  return SetEndOfFile(file) && FlushFileBuffers(file) && written;
}

}  // namespace

int ReadScheduleFile(LPCWSTR path, std::vector<ScheduleEntry>& out, bool createMissing) {
  std::vector<unsigned char> bytes;
  if (ReadScheduleFileBytes(path, bytes, createMissing) != 0) return -1;
  std::vector<ScheduleEntry> records;
  ScheduleEntriesFromBytes(bytes, records);
  out.insert(out.end(), records.begin(), records.end());
  return 0;
}

int ReadScheduleFileBytes(LPCWSTR path, std::vector<unsigned char>& bytes, bool createMissing) {
  FileHandle file(OpenExclusive(path, GENERIC_READ, createMissing ? OPEN_ALWAYS : OPEN_EXISTING));
  if (!file.IsOpen() || !ReadRecordBytes(file.Get(), bytes)) {
    bytes.clear();
    return -1;
  }
  return 0;
}

ScheduleWriteOutcome WriteScheduleFile(LPCWSTR path, const std::vector<ScheduleEntry>& entries,
                                       std::vector<ScheduleEntry>* keptFromFile) {
  // Held to the end, so the other side cannot read a file that is about to be replaced, and a
  // save while the other side reads fails and can be tried again.
  FileHandle held(OpenExclusive(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS));
  if (!held.IsOpen()) return ScheduleWriteOutcome::CouldNotCreate;
  std::vector<ScheduleEntry> kept;
  if (keptFromFile) {
    std::vector<unsigned char> bytes;
    if (!ReadRecordBytes(held.Get(), bytes)) return ScheduleWriteOutcome::CouldNotCreate;
    ScheduleEntriesFromBytes(bytes, kept);
  }

  // The file itself, wherever a link put it: its folder takes the new file.
  WCHAR target[1024];
  DWORD length = GetFinalPathNameByHandleW(held.Get(), target, 1024, 0);
  BY_HANDLE_FILE_INFORMATION info{};
  if (length == 0 || length >= 1024 || !GetFileInformationByHandle(held.Get(), &info))
    return ScheduleWriteOutcome::CouldNotCreate;

  bool inPlace = info.nNumberOfLinks > 1;
  std::u16string freshPath;
  FileHandle fresh(inPlace ? INVALID_HANDLE_VALUE : CreateFreshBeside(target, freshPath));
  if (!inPlace && !fresh.IsOpen()) {
    if (GetLastError() != ERROR_ACCESS_DENIED) return ScheduleWriteOutcome::CouldNotCreate;
    inPlace = true;
  }
  if (inPlace) {
    if (!RewriteInPlace(held.Get(), kept, entries)) return ScheduleWriteOutcome::WriteFailed;
  } else {
    bool written = WriteRecords(fresh.Get(), kept, entries) && FlushFileBuffers(fresh.Get());
    written = fresh.Close() && written;
    if (!written || !ReplaceFileW(target, freshPath.c_str(), nullptr, 0, nullptr, nullptr)) {
      DeleteFileW(freshPath.c_str());
      return ScheduleWriteOutcome::WriteFailed;
    }
  }
  if (keptFromFile) keptFromFile->swap(kept);
  return ScheduleWriteOutcome::Written;
}
