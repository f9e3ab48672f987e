// Files. Paths come in either form (\home\a\x or /home/a/x). Sharing is made real with flock():
// every open takes a lock on its own open file description, exclusive for share mode 0 and
// shared otherwise, so an exclusive holder is seen by every other open, in this process or another.
// Only regular files open: a FIFO, a device or a socket is refused without waiting on it (the
// open itself never blocks), a link is followed only to a file that exists (a new file is never
// created through one), and reading stops at the size the file had when it was opened.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <csignal>
#include <mutex>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileObject : KpHandleObject {
  FileObject(int descriptor, off_t limit) : KpHandleObject(File), fd(descriptor), readLimit(limit) {}
  ~FileObject() override { close(fd); }  // closing drops the lock too
  int fd;
  // Reads end here: the size at open, grown only by this handle's own writes, so that a file
  // another process keeps appending to cannot keep a reader reading.
  off_t readLimit;
};

FileObject* FileObjectOf(HANDLE file) { return static_cast<FileObject*>(KpLookupHandle(file, KpHandleObject::File)); }

void SetErrorForMissing(const std::string& host) {
  // The platform tells a missing folder from a missing file.
  std::string::size_type slash = host.rfind('/');
  std::string folder = slash == std::string::npos ? "." : host.substr(0, slash == 0 ? 1 : slash);
  KpSetLastErrorFromErrno(::access(folder.c_str(), F_OK) == 0 ? ENOENT : ENOTDIR);
}

// Opens without ever waiting (O_NONBLOCK: a FIFO with no writer, a device). `create`: a new file
// only, made here (never through a link, never an existing one); otherwise an existing one only.
// A failed open leaves errno set and returns -1.
int OpenNoWait(const std::string& host, int accessFlags, bool create, mode_t mode) {
  int flags = accessFlags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  if (create) flags |= O_CREAT | O_EXCL | O_NOFOLLOW;
  return open(host.c_str(), flags, mode);
}

int AccessFlags(DWORD access) {
  bool read = access & GENERIC_READ, write = access & GENERIC_WRITE;
  if (read && write) return O_RDWR;
  if (write) return O_WRONLY;
  return O_RDONLY;
}

int FileDescriptor(HANDLE file) {
  FileObject* object = FileObjectOf(file);
  return object ? object->fd : -1;
}

}  // namespace

int KpFileDescriptor(HANDLE file) { return FileDescriptor(file); }

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
  if (!path || !*path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::string host = KpHostPath(path);
  const int accessFlags = AccessFlags(access);
  // A private temporary file: nobody else may read it until it replaces another (ReplaceFileW).
  const mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_TEMPORARY) ? 0600 : 0644;
  bool created = false;
  int fd = -1;
  switch (disposition) {
    case CREATE_NEW:
      fd = OpenNoWait(host, accessFlags, true, mode);
      created = fd >= 0;
      break;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING: fd = OpenNoWait(host, accessFlags, false, mode); break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS:
      // An existing file (through a link to one), else a new one made here. A link to nowhere is
      // neither: EEXIST on the second try leaves it refused rather than creating its target.
      for (int attempt = 0; attempt < 2 && fd < 0; ++attempt) {
        fd = OpenNoWait(host, accessFlags, false, mode);
        if (fd >= 0 || errno != ENOENT) break;
        fd = OpenNoWait(host, accessFlags, true, mode);
        created = fd >= 0;
        if (fd < 0 && errno != EEXIST) break;
      }
      if (fd < 0 && errno == EEXIST) errno = EACCES;
      break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
  }
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) SetErrorForMissing(host);
    else KpSetLastErrorFromErrno(err == ENXIO || err == ELOOP ? EACCES : err);
    return INVALID_HANDLE_VALUE;
  }
  struct stat info;
  // Anything but a regular file is refused; so is writing to a file nobody may write (the
  // read-only attribute), which binds even a user whom the permissions would let through.
  bool refused = fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
                 (accessFlags != O_RDONLY && !created && (info.st_mode & 0222) == 0);
  if (refused || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
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
  if ((disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) && !created && ftruncate(fd, 0) != 0) {
    int err = errno;
    close(fd);
    KpSetLastErrorFromErrno(err);
    return INVALID_HANDLE_VALUE;
  }
  const bool truncated = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  SetLastError((disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) && !created ? ERROR_ALREADY_EXISTS
                                                                                       : ERROR_SUCCESS);
  return KpRegisterHandle(new FileObject(fd, truncated ? 0 : info.st_size));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
  if (read) *read = 0;
  FileObject* object = FileObjectOf(file);
  if (!object) return FALSE;
  const int fd = object->fd;
  const off_t position = lseek(fd, 0, SEEK_CUR);
  if (position < 0) {
    SetLastError(ERROR_READ_FAULT);
    return FALSE;
  }
  if (position >= object->readLimit) toRead = 0;
  else if (object->readLimit - position < static_cast<off_t>(toRead)) toRead = static_cast<DWORD>(object->readLimit - position);
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
  FileObject* object = FileObjectOf(file);
  if (!object) return FALSE;
  KpReportOversizeWritesAsErrors();
  const int fd = object->fd;
  DWORD total = 0;
  while (total < toWrite) {
    ssize_t n = ::write(fd, static_cast<const char*>(buffer) + total, toWrite - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (written) *written = total;
      SetLastError(errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  if (written) *written = total;
  const off_t end = lseek(fd, 0, SEEK_CUR);
  if (end > object->readLimit) object->readLimit = end;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  int fd = FileDescriptor(file);
  const int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : SEEK_END;
  off_t offset = distanceHigh ? static_cast<off_t>((static_cast<unsigned long long>(*distanceHigh) << 32) |
                                                   static_cast<DWORD>(distance))
                              : distance;
  off_t result = fd < 0 ? -1 : lseek(fd, offset, whence);
  if (result < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<unsigned long long>(result) >> 32);
  return static_cast<DWORD>(result);
}

BOOL SetEndOfFile(HANDLE file) {
  FileObject* object = FileObjectOf(file);
  if (!object) return FALSE;
  const off_t position = lseek(object->fd, 0, SEEK_CUR);
  struct stat info;
  if (position < 0 || fstat(object->fd, &info) != 0) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  KpReportOversizeWritesAsErrors();
  if (ftruncate(object->fd, position) != 0) {
    SetLastError(errno == EFBIG ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
    return FALSE;
  }
  // Growing the file reserves its blocks now, as the handheld's file system does, so that a full
  // disk is found here rather than by a later write.
  if (position > info.st_size) {
    const int err = posix_fallocate(object->fd, info.st_size, position - info.st_size);
    if (err != 0 && err != EOPNOTSUPP && err != EINVAL) {
      (void)!ftruncate(object->fd, info.st_size);
      SetLastError(err == ENOSPC || err == EDQUOT || err == EFBIG ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
      return FALSE;
    }
  }
  object->readLimit = position;
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
  if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return (info.st_mode & 0222) == 0 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}

void KpReportOversizeWritesAsErrors() {
  // A write past the file-size limit (ulimit -f) would otherwise end the process with SIGXFSZ;
  // ignored, the write fails with EFBIG and the caller reports it like a full disk.
  // A process that handles the signal itself keeps its handler.
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGXFSZ, SIG_IGN);
  });
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
