// Named mutexes: an exclusive flock() on "<name>.mutex" in the user's runtime folder (without one,
// ERROR_PATH_NOT_FOUND). The system drops the lock when its holder ends however it ends, so a
// crashed owner never blocks the next.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

struct MutexObject : KpHandleObject {
  explicit MutexObject(int descriptor) : KpHandleObject(Mutex), fd(descriptor) {}
  ~MutexObject() override { close(fd); }
  int fd;
};

}  // namespace

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCWSTR name) {
  if (!initialOwner || !name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string object = KpNamedObjectFile(name);
  if (object.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  int fd = KpOpenStateFile(object + ".mutex");
  if (fd < 0) {
    KpSetLastErrorFromErrno(errno);
    return nullptr;
  }
  const bool owned = flock(fd, LOCK_EX | LOCK_NB) == 0;
  HANDLE handle = KpRegisterHandle(new MutexObject(fd));
  SetLastError(owned ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}
