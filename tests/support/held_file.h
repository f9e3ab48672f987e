#pragma once
// Another process holding a file as Kalmeno holds it while it saves or the Today item while it
// reads (an exclusive flock), until the test releases it.
#include <string>
#include <sys/types.h>

class HeldByAnotherProcess {
 public:
  // Returns once the file is held.
  explicit HeldByAnotherProcess(const std::string& path);
  ~HeldByAnotherProcess() { Release(); }
  HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
  HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;
  void Release();

 private:
  pid_t m_group = -1;
};
