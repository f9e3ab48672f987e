// What a path names, asked without opening it, and the names in a folder that match a pattern.
#include "kp_platform.h"
#include "fileapi.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr long long kUnixEpochInFileTime = 116444736000000000LL;

long long FileTimeOf(const struct timespec& time) {
  return kUnixEpochInFileTime + static_cast<long long>(time.tv_sec) * 10000000LL + time.tv_nsec / 100;
}

FILETIME SplitFileTime(long long value) {
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(static_cast<unsigned long long>(value) >> 32)};
}

// '*' stands for any run of characters; everything else for itself.
bool Matches(const char* pattern, const char* name) {
  if (*pattern == 0) return *name == 0;
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
  return *pattern == *name && Matches(pattern + 1, name + 1);
}

struct SearchObject : KpHandleObject {
  SearchObject(DIR* d, std::string f, std::string p) : KpHandleObject(Search), dir(d), folder(f), pattern(p) {}
  ~SearchObject() override { closedir(dir); }
  DIR* dir;
  std::string folder, pattern;
};

// The next entry of the search that matches, described in `found`; false at the end.
bool NextMatch(SearchObject& search, LPWIN32_FIND_DATAW found) {
  while (dirent* entry = readdir(search.dir)) {
    if (!Matches(search.pattern.c_str(), entry->d_name)) continue;
    struct stat info;
    if (fstatat(dirfd(search.dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    const std::u16string name = KpFromUtf8(entry->d_name);
    if (name.size() >= MAX_PATH) continue;
    *found = WIN32_FIND_DATAW{};
    if (S_ISLNK(info.st_mode)) found->dwFileAttributes = FILE_ATTRIBUTE_REPARSE_POINT;
    else if (S_ISDIR(info.st_mode)) found->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    else if (!S_ISREG(info.st_mode)) found->dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    else if (info.st_uid == geteuid() && (info.st_mode & 07777) == 0600) found->dwFileAttributes = FILE_ATTRIBUTE_TEMPORARY;
    else found->dwFileAttributes = (info.st_mode & 0222) == 0 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    found->ftLastWriteTime = SplitFileTime(FileTimeOf(info.st_mtim));
    found->ftLastAccessTime = SplitFileTime(FileTimeOf(info.st_atim));
    const unsigned long long size = static_cast<unsigned long long>(info.st_size);
    found->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    found->nFileSizeLow = static_cast<DWORD>(size);
    name.copy(found->cFileName, name.size());
    return true;
  }
  return false;
}

}  // namespace

BOOL GetFileInformationByName(LPCWSTR path, FILE_INFO_BY_NAME_CLASS infoClass, LPVOID buffer, ULONG bufferSize) {
  if (!path || !buffer || infoClass != FileStatBasicByNameInfo || bufferSize < sizeof(FILE_STAT_BASIC_INFORMATION)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct stat st;
  if (stat(KpHostPath(path).c_str(), &st) != 0) {
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  auto* info = static_cast<FILE_STAT_BASIC_INFORMATION*>(buffer);
  *info = FILE_STAT_BASIC_INFORMATION{};
  info->FileId.QuadPart = static_cast<LONGLONG>(st.st_ino);
  info->LastAccessTime.QuadPart = FileTimeOf(st.st_atim);
  info->LastWriteTime.QuadPart = FileTimeOf(st.st_mtim);
  info->ChangeTime.QuadPart = FileTimeOf(st.st_ctim);
  info->AllocationSize.QuadPart = static_cast<LONGLONG>(st.st_blocks) * 512;
  info->EndOfFile.QuadPart = static_cast<LONGLONG>(st.st_size);
  info->FileAttributes = S_ISDIR(st.st_mode)        ? FILE_ATTRIBUTE_DIRECTORY
                         : !S_ISREG(st.st_mode)      ? FILE_ATTRIBUTE_DEVICE
                         : (st.st_mode & 0222) == 0 ? FILE_ATTRIBUTE_READONLY
                                                    : FILE_ATTRIBUTE_NORMAL;
  info->NumberOfLinks = static_cast<ULONG>(st.st_nlink);
  info->VolumeSerialNumber.QuadPart = static_cast<LONGLONG>(st.st_dev);
  return TRUE;
}

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found) {
  if (!pattern || !found) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string host = KpHostPath(pattern);
  const std::string::size_type slash = host.rfind('/');
  std::string folder = slash == std::string::npos ? "." : host.substr(0, slash == 0 ? 1 : slash);
  std::string names = slash == std::string::npos ? host : host.substr(slash + 1);
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    KpSetLastErrorFromErrno(errno);
    return INVALID_HANDLE_VALUE;
  }
  auto* search = new SearchObject(dir, folder, names);
  if (!NextMatch(*search, found)) {
    delete search;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  return KpRegisterHandle(search);
}

BOOL FindNextFileW(HANDLE handle, LPWIN32_FIND_DATAW found) {
  auto* search = static_cast<SearchObject*>(KpLookupHandle(handle, KpHandleObject::Search));
  if (!search || !found) return FALSE;
  if (NextMatch(*search, found)) return TRUE;
  SetLastError(ERROR_NO_MORE_FILES);
  return FALSE;
}

BOOL FindClose(HANDLE handle) {
  if (!KpLookupHandle(handle, KpHandleObject::Search)) return FALSE;
  return CloseHandle(handle);
}
