#include "tests/support/held_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool IsHeld(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
  close(fd);
  return held;
}

}  // namespace

HeldByAnotherProcess::HeldByAnotherProcess(const std::string& path) {
  m_group = fork();
  if (m_group == 0) {
    // A group of its own: flock(1) and the command it runs share the open file and go together.
    setpgid(0, 0);
    execl("/usr/bin/flock", "flock", "-x", path.c_str(), "sleep", "600", static_cast<char*>(nullptr));
    _exit(127);
  }
  setpgid(m_group, m_group);
  for (int i = 0; i < 10000 && !IsHeld(path); ++i) usleep(1000);
  if (!IsHeld(path)) {
    std::fprintf(stderr, "flock never took %s\n", path.c_str());
    std::abort();
  }
}

void HeldByAnotherProcess::Release() {
  if (m_group <= 0) return;
  kill(-m_group, SIGKILL);
  waitpid(m_group, nullptr, 0);
  m_group = -1;
}
