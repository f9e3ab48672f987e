#include "schedule/data_file.h"

#include <cstring>

#include "fileapi.h"
#include "schedule/item_key.h"
#include "schedule/schedule_file.h"
#include "winreg.h"

namespace {

// Why the last open or read failed, told apart where the user can do something about it.
DataFileRead ReasonOfFailure(LPCWSTR path) {
  switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION: return DataFileRead::Held;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return DataFileRead::Missing;
    case ERROR_ACCESS_DENIED: break;
    default: return DataFileRead::Failed;
  }
  FILE_STAT_BASIC_INFORMATION info;
  if (!GetFileInformationByName(path, FileStatBasicByNameInfo, &info, sizeof info)) return DataFileRead::Denied;
  if (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return DataFileRead::Folder;
  if (info.FileAttributes & FILE_ATTRIBUTE_DEVICE) return DataFileRead::NotAFile;
  return DataFileRead::Denied;
}

}  // namespace

bool DataFileInFolder(LPCWSTR folder, WCHAR (&path)[MAX_PATH]) {
  path[0] = 0;
  if (lstrlenW(folder) + 1 + lstrlenW(SCHEDULE_FILE_NAME) >= MAX_PATH) return false;
  wsprintfW(path, u"%s\\%s", folder, SCHEDULE_FILE_NAME);
  return true;
}

bool ProgramFolder(WCHAR (&folder)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    folder[0] = 0;
    return false;
  }
  int cut = 0;
  for (int i = 0; folder[i]; ++i)
    if (folder[i] == u'\\') cut = i;
  folder[cut] = 0;  // no backslash, or only one in front: the folder is empty
  return true;
}

ItemValue ReadItemKeyValue(LPCWSTR name, WCHAR* buffer, DWORD units) {
  std::memset(buffer, 0, units * sizeof(WCHAR));
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return ItemValue::NoKey;
  DWORD type = 0;
  DWORD size = units * sizeof(WCHAR);
  LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
  RegCloseKey(key);
  // Termination is ours to make sure of: a value that fills the buffer without its terminator
  // would otherwise run off it. An empty value names no file either.
  if (status != ERROR_SUCCESS || type != REG_SZ || buffer[units - 1] != 0 || buffer[0] == 0) {
    buffer[0] = 0;
    return ItemValue::Missing;
  }
  return ItemValue::Found;
}

DataFileRead ReadDataFile(LPCWSTR path, std::vector<ScheduleEntry>& out, HeldFile held, bool createMissing,
                          unsigned long* fragmentBytes) {
  if (RetryWhileHeld(held, [&] { return ReadScheduleFile(path, out, createMissing, fragmentBytes) == 0; }))
    return DataFileRead::Read;
  return ReasonOfFailure(path);
}

DataFileRead ReadDataFileBytes(LPCWSTR path, std::vector<unsigned char>& bytes, HeldFile held, bool createMissing) {
  if (RetryWhileHeld(held, [&] { return ReadScheduleFileBytes(path, bytes, createMissing) == 0; }))
    return DataFileRead::Read;
  return ReasonOfFailure(path);
}

DataFileRead CompareDataFileBytes(LPCWSTR path, const std::vector<unsigned char>& bytes, bool& same, HeldFile held) {
  if (RetryWhileHeld(held, [&] { return CompareScheduleFileBytes(path, bytes, same) == 0; })) return DataFileRead::Read;
  return ReasonOfFailure(path);
}

DataFileStamp StampOfDataFile(LPCWSTR path) {
  FILE_STAT_BASIC_INFORMATION info;
  if (!GetFileInformationByName(path, FileStatBasicByNameInfo, &info, sizeof info)) return {};
  return {info.VolumeSerialNumber.QuadPart, info.FileId.QuadPart, info.EndOfFile.QuadPart,
          info.LastWriteTime.QuadPart, info.ChangeTime.QuadPart};
}
