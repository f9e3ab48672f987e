#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

bool ServedAFailure() {
  const testing::UnitTest* unit = testing::UnitTest::GetInstance();
  if (const testing::TestInfo* test = unit->current_test_info()) return test->result()->Failed();
  return unit->Failed();
}

// Tests make folders read-only to see how the programs cope; the owner may always remove them.
void RemoveAll(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored))
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(root, ignored);
}

}  // namespace

std::string TemporaryFilesFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? folder : "/tmp";
}

TempDir::TempDir(const std::string& prefix) {
  std::string pattern = TemporaryFilesFolder() + "/" + prefix + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) {
    std::fprintf(stderr, "cannot make a temporary folder %s: %s\n", pattern.c_str(), std::strerror(errno));
    std::abort();
  }
  m_path = name.data();
}

TempDir::~TempDir() {
  if (ServedAFailure()) {
    std::fprintf(stderr, "kept for inspection: %s\n", m_path.c_str());
    return;
  }
  RemoveAll(m_path);
}
