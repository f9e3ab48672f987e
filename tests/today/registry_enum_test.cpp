// RegEnumKeyExW, with which the Today screen finds its items.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "kp_platform.h"
#include "tests/support/e2e.h"
#include "windows.h"

namespace {

std::vector<std::string> SubKeys(LPCWSTR path) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, 0, &key) != ERROR_SUCCESS) return names;
  for (DWORD index = 0;; ++index) {
    WCHAR name[32];
    DWORD size = 32;
    LONG status = RegEnumKeyExW(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    names.push_back(status == ERROR_SUCCESS ? KpToUtf8(name, (int)size) : "<too long>");
  }
  RegCloseKey(key);
  return names;
}

TEST(RegistryEnumeration, ListsDirectSubKeysOnceInFileOrder) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("registry.reg"),
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n\"DLL\"=\"a\"\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Weather\\Cities]\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\kalmeno\\Sub]\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\A name longer than thirty-one units]\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Other]\n");
  setenv("KALMENO_REGISTRY", dir.file("registry.reg").c_str(), 1);
  EXPECT_EQ(SubKeys(u"Software\\Microsoft\\Today\\Items"),
            (std::vector<std::string>{"Kalmeno", "Weather", "<too long>"}));
  EXPECT_TRUE(SubKeys(u"Software\\Microsoft\\Today\\Items\\Kalmeno\\Sub").empty());
}

}  // namespace
