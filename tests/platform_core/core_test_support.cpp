#include "tests/platform_core/core_test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "kp_platform.h"

std::u16string ScratchFolder::handheld(const std::string& name) const { return KpHandheldPath(file(name)); }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Utf8(const std::u16string& text) { return KpToUtf8(text.c_str()); }

int RunInChild(int (*body)(void*), void* context) {
  pid_t child = fork();
  if (child == 0) _exit(body(context));
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
