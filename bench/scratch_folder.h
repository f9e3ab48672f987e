#pragma once
// A benchmark's own folder under $TMPDIR (else /tmp), removed with everything in it when the
// object ends; one kept for the whole run is a static, removed at exit.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (name + ".XXXXXX")).string();
    std::vector<char> chars(pattern.begin(), pattern.end());
    chars.push_back('\0');
    if (mkdtemp(chars.data()) == nullptr) {
      std::perror(pattern.c_str());
      std::abort();
    }
    m_path = chars.data();
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};
