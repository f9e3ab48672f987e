// Files. Paths come in either form (\home\a\x or /home/a/x). Sharing is made real with flock():
// every open takes a lock on its own open file description, exclusive for share mode 0 and
// shared otherwise, so an exclusive holder is seen by every other open, in this process or another.
#include "kp_core_internal.h"
#include "kp_platform.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileObject : KpHandleObject {
  explicit FileObject(int descriptor) : KpHandleObject(File), fd(descriptor) {}
  ~FileObject() override { close(fd); }  // closing drops the lock too
  int fd;
};

int AccessFlags(DWORD access) {
  bool read = access & GENERIC_READ, write = access & GENERIC_WRITE;
  if (read && write) return O_RDWR;
  if (write) return O_WRONLY;
  return O_RDONLY;
}

int FileDescriptor(HANDLE file) {
  auto* object = static_cast<FileObject*>(KpLookupHandle(file, KpHandleObject::File));
  return object ? object->fd : -1;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD, HANDLE) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::string host = KpHostPath(path);
  int flags = AccessFlags(access) | O_CLOEXEC;
  switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING: break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
  }
  bool existed = ::access(host.c_str(), F_OK) == 0;
  int fd = open(host.c_str(), flags, 0644);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) {
      // The platform tells a missing folder from a missing file.
      std::string::size_type slash = host.rfind('/');
      std::string folder = slash == std::string::npos ? "." : host.substr(0, slash == 0 ? 1 : slash);
      KpSetLastErrorFromErrno(::access(folder.c_str(), F_OK) == 0 ? ENOENT : ENOTDIR);
    } else {
      KpSetLastErrorFromErrno(err);
    }
    return INVALID_HANDLE_VALUE;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int lockKind = (shareMode & (FILE_SHARE_READ | FILE_SHARE_WRITE)) == 0 ? LOCK_EX : LOCK_SH;
  if (flock(fd, lockKind | LOCK_NB) != 0) {
    int err = errno;
    close(fd);
    KpSetLastErrorFromErrno(err == EWOULDBLOCK ? EWOULDBLOCK : err);
    return INVALID_HANDLE_VALUE;
  }
  // Truncate only once the lock is ours, so a refused open never damages the holder's file.
  if ((disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) && ftruncate(fd, 0) != 0) {
    int err = errno;
    close(fd);
    KpSetLastErrorFromErrno(err);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError((disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) && existed ? ERROR_ALREADY_EXISTS
                                                                                      : ERROR_SUCCESS);
  return KpRegisterHandle(new FileObject(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
  if (read) *read = 0;
  int fd = FileDescriptor(file);
  if (fd < 0) return FALSE;
  DWORD total = 0;
  while (total < toRead) {
    ssize_t n = ::read(fd, static_cast<char*>(buffer) + total, toRead - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (read) *read = total;
      SetLastError(ERROR_READ_FAULT);
      return FALSE;
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (read) *read = total;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED) {
  if (written) *written = 0;
  int fd = FileDescriptor(file);
  if (fd < 0) return FALSE;
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t n = ::write(fd, static_cast<const char*>(buffer) + total, toWrite - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (written) *written = total;
      SetLastError(errno == ENOSPC || errno == EDQUOT ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  if (written) *written = total;
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  int fd = FileDescriptor(file);
  if (fd < 0) return FALSE;
  if (fsync(fd) != 0) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  int fd = FileDescriptor(file);
  struct stat info;
  if (fd < 0 || fstat(fd, &info) != 0) {
    if (sizeHigh) *sizeHigh = 0;
    return 0xFFFFFFFFu;
  }
  unsigned long long size = static_cast<unsigned long long>(info.st_size);
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
  return static_cast<DWORD>(size);
}

BOOL DeleteFileW(LPCWSTR path) {
  if (!path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (unlink(KpHostPath(path).c_str()) != 0) {
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (!from || !to) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string source = KpHostPath(from), target = KpHostPath(to);
  if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
    // Without the replace flag an existing target is never touched: renameat2 refuses atomically.
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
      KpSetLastErrorFromErrno(errno);
      return FALSE;
    }
  } else if (rename(source.c_str(), target.c_str()) != 0) {
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  if ((flags & MOVEFILE_WRITE_THROUGH) && !KpSyncParentFolder(target)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR path) {
  struct stat info;
  if (!path || stat(KpHostPath(path).c_str(), &info) != 0) {
    KpSetLastErrorFromErrno(path ? errno : ENOENT);
    return INVALID_FILE_ATTRIBUTES;
  }
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

bool KpWriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool KpSyncParentFolder(const std::string& hostPath) {
  std::string::size_type slash = hostPath.rfind('/');
  std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash == 0 ? 1 : slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}
