#include "schedule/schedule_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <random>
#include <string>

#include "fileapi.h"

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

bool MoveTo(HANDLE file, unsigned long long position) {
  LONG high = static_cast<LONG>(position >> 32);
  return SetFilePointer(file, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

// Writes the records from the file's current position, encoded into blocks of about a megabyte,
// one write each; false when a write failed.
bool WriteRecords(HANDLE file, const std::vector<ScheduleEntry>& first, const std::vector<ScheduleEntry>& second) {
  constexpr size_t kRecordsPerBlock = 10240;
  std::vector<unsigned char> block;
  block.reserve(kRecordsPerBlock * SCHEDULE_RECORD_SIZE);
  auto flush = [&] {
    DWORD written = 0;
    bool ok = block.empty() || (WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
                                written == block.size());
    block.clear();
    return ok;
  };
  for (const std::vector<ScheduleEntry>* part : {&first, &second}) {
    for (const ScheduleEntry& entry : *part) {
      block.resize(block.size() + SCHEDULE_RECORD_SIZE);
      ScheduleEntryToBytes(entry, block.data() + block.size() - SCHEDULE_RECORD_SIZE);
      if (block.size() == kRecordsPerBlock * SCHEDULE_RECORD_SIZE && !flush()) return false;
    }
  }
  return flush();
}

// Every byte of the open file, the trailing fragment too, from its start.
bool ReadWholeFile(HANDLE file, std::vector<unsigned char>& bytes) {
  DWORD sizeHigh = 0;
  DWORD size = GetFileSize(file, &sizeHigh);
  if (size == kNoFileSize || sizeHigh != 0 || !MoveTo(file, 0)) return false;
  bytes.resize(size);
  DWORD read = 0;
  return ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
}

// Removes what saves killed before their step 3 left beside `target`: its name, ".new-" and eight
// lowercase hex digits, a regular file private to this user (what CreateFreshBeside makes). A link,
// a folder, a FIFO or a file of another mode or owner under such a name is not ours and stays.
void RemoveLeftoverFreshFiles(const std::u16string& target) {
  const std::u16string::size_type slash = target.rfind(u'\\');
  const std::u16string folder = slash == std::u16string::npos ? u"" : target.substr(0, slash + 1);
  const std::u16string name = target.substr(folder.size()) + u".new-";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + name + u"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::u16string candidate = found.cFileName;
    if (candidate.size() != name.size() + 8 || found.dwFileAttributes != FILE_ATTRIBUTE_TEMPORARY) continue;
    if (candidate.find_first_not_of(u"0123456789abcdef", name.size()) != std::u16string::npos) continue;
    DeleteFileW((folder + candidate).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

// The records over the file's own, from its start, cut where they end, flushed; on a failure the
// old bytes are put back (the steps a..d where WriteScheduleFile is declared).
bool RewriteInPlace(HANDLE file, const std::vector<ScheduleEntry>& first, const std::vector<ScheduleEntry>& second) {
  std::vector<unsigned char> old;
  if (!ReadWholeFile(file, old)) return false;
  const unsigned long long newSize = (first.size() + second.size()) * SCHEDULE_RECORD_SIZE;
  if (newSize > old.size() && !(MoveTo(file, newSize) && SetEndOfFile(file))) return false;
  if (MoveTo(file, 0) && WriteRecords(file, first, second) && SetEndOfFile(file) && FlushFileBuffers(file)) return true;
  DWORD written = 0;
  if (MoveTo(file, 0)) WriteFile(file, old.data(), static_cast<DWORD>(old.size()), &written, nullptr);
  if (MoveTo(file, old.size())) SetEndOfFile(file);
  FlushFileBuffers(file);
  return false;
}

}  // namespace

int ReadScheduleFile(LPCWSTR path, std::vector<ScheduleEntry>& out, bool createMissing, unsigned long* fragmentBytes) {
  FileHandle file(OpenExclusive(path, GENERIC_READ, createMissing ? OPEN_ALWAYS : OPEN_EXISTING));
  if (!file.IsOpen()) return -1;
  DWORD sizeHigh = 0;
  const DWORD size = GetFileSize(file.Get(), &sizeHigh);
  if (size == kNoFileSize || sizeHigh != 0) {
    SetLastError(ERROR_READ_FAULT);
    return -1;
  }
  // The records' bytes go straight into the entries' storage and are decoded where they lie:
  // each entry is read whole from its own bytes before it is stored over them.
  const size_t first = out.size();
  out.resize(first + size / SCHEDULE_RECORD_SIZE);
  unsigned char* bytes = reinterpret_cast<unsigned char*>(out.data() + first);
  const DWORD wanted = static_cast<DWORD>((out.size() - first) * SCHEDULE_RECORD_SIZE);
  DWORD held = 0;
  while (held < wanted) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes + held, wanted - held, &read, nullptr)) {
      out.resize(first);
      return -1;
    }
    if (read == 0) break;  // cut short meanwhile
    held += read;
  }
  out.resize(first + held / SCHEDULE_RECORD_SIZE);
  // On a little-endian host the file's bytes already are the entries.
  if constexpr (std::endian::native != std::endian::little) {
    for (size_t i = first; i < out.size(); ++i)
      out[i] = ScheduleEntryFromBytes(bytes + (i - first) * SCHEDULE_RECORD_SIZE);
  }
  if (fragmentBytes) *fragmentBytes = held == wanted ? size % SCHEDULE_RECORD_SIZE : 0;
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

int CompareScheduleFileBytes(LPCWSTR path, const std::vector<unsigned char>& bytes, bool& same) {
  FileHandle file(OpenExclusive(path, GENERIC_READ, OPEN_EXISTING));
  DWORD sizeHigh = 0;
  const DWORD size = file.IsOpen() ? GetFileSize(file.Get(), &sizeHigh) : kNoFileSize;
  if (size == kNoFileSize || sizeHigh != 0) return -1;
  same = size - size % SCHEDULE_RECORD_SIZE == bytes.size();
  // Through a small buffer that stays in the processor's cache, rather than a second copy of the file.
  unsigned char block[1 << 16];
  for (size_t at = 0; same && at < bytes.size();) {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof block, bytes.size() - at));
    if (!ReadFile(file.Get(), block, wanted, &read, nullptr)) return -1;
    same = read == wanted && std::memcmp(block, bytes.data() + at, read) == 0;
    at += read;
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
  RemoveLeftoverFreshFiles(target);
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
