// Replacing a file by another in its folder, and what an open file handle says of itself.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information) {
  int fd = KpFileDescriptor(file);
  struct stat st;
  if (fd < 0 || !information || fstat(fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *information = BY_HANDLE_FILE_INFORMATION{};
  information->dwFileAttributes = (st.st_mode & 0222) == 0 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
  const unsigned long long size = static_cast<unsigned long long>(st.st_size);
  information->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  information->nFileSizeLow = static_cast<DWORD>(size);
  information->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
  information->nFileIndexHigh = static_cast<DWORD>(static_cast<unsigned long long>(st.st_ino) >> 32);
  information->nFileIndexLow = static_cast<DWORD>(st.st_ino);
  information->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
  return TRUE;
}

DWORD GetFinalPathNameByHandleW(HANDLE file, LPWSTR buffer, DWORD size, DWORD) {
  int fd = KpFileDescriptor(file);
  if (fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  char target[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
  if (n <= 0 || target[0] != '/') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  const std::string host(target, static_cast<size_t>(n));
  // The handheld's form cannot say a backslash inside a name: it would name another file.
  if (host.find('\\') != std::string::npos) {
    SetLastError(ERROR_BAD_PATHNAME);
    return 0;
  }
  const std::u16string path = KpHandheldPath(host);
  if (!buffer || path.size() + 1 > size) return static_cast<DWORD>(path.size() + 1);
  path.copy(buffer, path.size());
  buffer[path.size()] = 0;
  return static_cast<DWORD>(path.size());
}

BOOL ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD, LPVOID, LPVOID) {
  if (!replaced || !replacement || backup) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string target = KpHostPath(replaced), source = KpHostPath(replacement);
  struct stat old;
  if (lstat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  int fd = open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  struct stat fresh;
  if (fd < 0 || fstat(fd, &fresh) != 0 || !S_ISREG(fresh.st_mode)) {
    if (fd >= 0) close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // Owner and group first (a change of owner may clear the set-id bits), each only where this
  // process may give them; then the permission bits, which must hold.
  if (fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && fresh.st_gid != old.st_gid) (void)!fchown(fd, -1, old.st_gid);
  }
  const bool modeKept = fchmod(fd, old.st_mode & 07777) == 0;
  close(fd);
  if (!modeKept || rename(source.c_str(), target.c_str()) != 0) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  if (!KpSyncParentFolder(target)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}
