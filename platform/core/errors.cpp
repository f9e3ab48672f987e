// The per-thread last error, and how the C library's errors map onto the platform's codes.
#include "platform/core/kp_core_internal.h"

#include <cerrno>

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }

void KpSetLastErrorFromErrno(int err) {
  switch (err) {
    case 0: SetLastError(ERROR_SUCCESS); break;
    case ENOENT: SetLastError(ERROR_FILE_NOT_FOUND); break;
    case ENOTDIR: SetLastError(ERROR_PATH_NOT_FOUND); break;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: SetLastError(ERROR_ACCESS_DENIED); break;
    case EEXIST: SetLastError(ERROR_ALREADY_EXISTS); break;
    case EWOULDBLOCK: SetLastError(ERROR_SHARING_VIOLATION); break;
    case ENOSPC:
    case EDQUOT: SetLastError(ERROR_DISK_FULL); break;
    case EBADF: SetLastError(ERROR_INVALID_HANDLE); break;
    case EINVAL: SetLastError(ERROR_INVALID_PARAMETER); break;
    default: SetLastError(ERROR_WRITE_FAULT); break;
  }
}
