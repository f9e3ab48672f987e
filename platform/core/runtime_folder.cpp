// The user's runtime folder for named objects (events, mutexes). Every process of the user must
// find the same folder, and no other user may reach into it: a folder that another user made or
// can write lets that user block the objects or plant links where state files are written.
//
// Tried in order, the first usable one wins:
//   $XDG_RUNTIME_DIR/kalmeno-events            the session's own runtime folder
//   ${TMPDIR:-/tmp}/kalmeno-events-<uid>       shared space, so only a folder that is ours alone
//   ${XDG_CACHE_HOME:-~/.cache}/kalmeno/events  in the user's home, made when both others fail
// A folder is usable when it is a real folder (not a link), owned by this user, of mode 700.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : std::string();
}

// Makes the folder when it is missing; true when it is then ours alone. `why` gets the errno of
// the failure, EACCES for a folder that is not ours alone.
bool UsableFolder(const std::string& folder, int& why) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    why = errno;
    return false;
  }
  struct stat info;
  if (lstat(folder.c_str(), &info) != 0) {
    why = errno;
    return false;
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 0777) != 0700) {
    why = EACCES;
    return false;
  }
  return true;
}

// Makes the folders on the way to `folder` (each of mode 700 when made here).
void MakeParents(const std::string& folder) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
    mkdir(folder.substr(0, slash).c_str(), 0700);
}

}  // namespace

std::string KpRuntimeFolder(std::string* problem) {
  std::string runtime = FromEnvironment("XDG_RUNTIME_DIR"), temporary = FromEnvironment("TMPDIR");
  std::string cache = FromEnvironment("XDG_CACHE_HOME"), home = FromEnvironment("HOME");
  if (cache.empty() && !home.empty()) cache = home + "/.cache";
  std::string candidates[3];
  if (!runtime.empty()) candidates[0] = runtime + "/kalmeno-events";
  candidates[1] = (temporary.empty() ? std::string("/tmp") : temporary) + "/kalmeno-events-" + std::to_string(geteuid());
  if (!cache.empty()) candidates[2] = cache + "/kalmeno/events";
  std::string tried;
  for (int i = 0; i < 3; ++i) {
    if (candidates[i].empty()) continue;
    if (i == 2) MakeParents(candidates[i]);
    int why = 0;
    if (UsableFolder(candidates[i], why)) return candidates[i];
    tried += (tried.empty() ? "" : "; ") + candidates[i] + ": " +
             (why == EACCES && access(candidates[i].c_str(), F_OK) == 0 ? std::string("이 사용자만 쓰는 권한 700의 폴더가 아닙니다")
                                                                       : std::string(std::strerror(why)));
  }
  if (problem) *problem = tried;
  // Said once per process on the error stream, where a program that cannot go on without named
  // objects leaves its user a reason.
  static bool said = false;
  if (!said) {
    said = true;
    std::fprintf(stderr, "%s: 실행 상태를 둘 폴더가 없습니다: %s\n", KpProgramName(), tried.c_str());
  }
  return std::string();
}

int KpOpenStateFile(const std::string& path) {
  // An existing file first, else a fresh one; a link, a FIFO or a folder in its place is refused.
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;  // made meanwhile by another process: open that one
      return -1;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
      close(fd);
      errno = EACCES;
      return -1;
    }
    return fd;
  }
  return -1;
}
