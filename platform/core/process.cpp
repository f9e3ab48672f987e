// Starting programs. The child is started through an intermediate process that exits at once
// (a double fork), so it is adopted by init and reaped there: no zombies, and no change to this
// process's SIGCHLD handling, which other code (and tests) may rely on.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <fcntl.h>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// The child's environment: ours, with the script replaced by the child script (or dropped).
std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> env;
  const char* childScript = nullptr;
  for (char** p = environ; *p; ++p) {
    if (std::strncmp(*p, "KALMENO_SCRIPT=", 15) == 0) continue;
    if (std::strncmp(*p, "KALMENO_CHILD_SCRIPT=", 21) == 0) childScript = *p + 21;
    env.emplace_back(*p);
  }
  if (childScript && *childScript) env.push_back(std::string("KALMENO_SCRIPT=") + childScript);
  return env;
}

}  // namespace

BOOL CreateProcessW(LPCWSTR application, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                    LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION processInformation) {
  if (processInformation) *processInformation = PROCESS_INFORMATION{};
  if (!application || !*application) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::string path = KpHostPath(application);
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (!S_ISREG(info.st_mode) || access(path.c_str(), X_OK) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }

  // Everything the children need is prepared before fork: after it, only async-signal-safe calls.
  std::vector<std::string> env = ChildEnvironment();
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  char* argv[] = {path.data(), nullptr};

  int pidPipe[2];
  if (pipe2(pidPipe, O_CLOEXEC) != 0) {
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  pid_t middle = fork();
  if (middle < 0) {
    close(pidPipe[0]);
    close(pidPipe[1]);
    KpSetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (middle == 0) {
    pid_t child = fork();
    if (child == 0) {
      // A session of its own: a Ctrl+C or a hang-up meant for the starter's terminal does not
      // reach the started program, which ends only as its own user or the desktop ends it.
      setsid();
      execve(argv[0], argv, envp.data());
      _exit(127);
    }
    ssize_t n = write(pidPipe[1], &child, sizeof child);
    (void)n;
    _exit(child < 0 ? 1 : 0);
  }
  close(pidPipe[1]);
  pid_t child = -1;
  ssize_t got;
  do {
    got = read(pidPipe[0], &child, sizeof child);
  } while (got < 0 && errno == EINTR);
  close(pidPipe[0]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  if (got != sizeof child || child <= 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  KpTrace("spawn", KpToUtf8(application).c_str());
  if (processInformation) processInformation->dwProcessId = static_cast<DWORD>(child);
  return TRUE;
}
