// kalmeno-install PREFIX: after the files are in place (cmake --install), records the Today item
// in the registry: DATA (the data file beside the installed program), EXE (the program) and DLL
// (the plug-in, for the Today screen). With --check it only checks that the paths fit.
//
// The plug-in reads DATA and EXE into buffers of 100 bytes, 49 characters and the terminator. A
// longer value would be read as missing, so the install refuses it and writes nothing.
#include <cstdio>
#include <filesystem>
#include <string>

#include "kp_platform.h"
#include "windows.h"

namespace {

constexpr size_t kPluginValueUnits = 49;
const WCHAR kItemKey[] = u"Software\\Microsoft\\Today\\Items\\Kalmeno";

struct Value {
  const char16_t* name;
  std::u16string path;
  bool readByPlugin;
};

bool Fits(const Value& value) {
  if (!value.readByPlugin || value.path.size() <= kPluginValueUnits) return true;
  std::fprintf(stderr,
               "kalmeno-install: the %s path is %zu characters long:\n  %s\n"
               "The Today item reads at most %zu characters. Nothing was installed.\n"
               "Choose a shorter prefix, for example: make install PREFIX=/opt/kalmeno\n",
               KpToUtf8((LPCWSTR)value.name).c_str(), value.path.size(), KpToUtf8(value.path.c_str()).c_str(),
               kPluginValueUnits);
  return false;
}

bool Write(HKEY key, const Value& value) {
  DWORD bytes = (DWORD)((value.path.size() + 1) * sizeof(WCHAR));
  return RegSetValueExW(key, value.name, 0, REG_SZ, (const BYTE*)value.path.c_str(), bytes) == ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  bool checkOnly = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !checkOnly) {
    std::fprintf(stderr, "usage: kalmeno-install [--check] PREFIX\n");
    return 2;
  }
  std::filesystem::path prefix = std::filesystem::absolute(argv[argc - 1]).lexically_normal();
  std::string folder = prefix.string();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const Value values[] = {
      {u"DATA", KpHandheldPath(folder + "/qmrv.dat"), true},
      {u"EXE", KpHandheldPath(folder + "/kalmeno"), true},
      {u"DLL", KpHandheldPath(folder + "/libKalmenoTP.so"), false},
  };
  for (const Value& value : values)
    if (!Fits(value)) return 1;
  if (checkOnly) return 0;

  for (const char* file : {"kalmeno", "libKalmenoTP.so", "kalmeno-today"}) {
    if (!std::filesystem::exists(prefix / file)) {
      std::fprintf(stderr, "kalmeno-install: %s is missing; install the files first.\n", (prefix / file).c_str());
      return 1;
    }
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "kalmeno-install: cannot write the registry.\n");
    return 1;
  }
  bool written = true;
  for (const Value& value : values) written = Write(key, value) && written;
  RegCloseKey(key);
  if (!written) {
    std::fprintf(stderr, "kalmeno-install: cannot write the registry values.\n");
    return 1;
  }
  std::printf("Installed in %s\n", folder.c_str());
  return 0;
}
