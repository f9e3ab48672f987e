// kalmeno-install: the installation's own steps, after cmake --install has put the files in
// place.
//
//   kalmeno-install PREFIX [FILE-LIST]   records the Today item in the registry: DATA (the data
//       file beside the installed program), EXE (the program) and DLL (the plug-in, for the Today
//       screen); writes the desktop entries and icons; lists every file written (with those of
//       FILE-LIST, the files cmake --install wrote) in PREFIX/install-manifest.txt.
//   kalmeno-install --autostart [PREFIX] starts the Today screen at login.
//   kalmeno-install --uninstall [PREFIX] removes every file the installation wrote and the Today
//       item's registry key; never the data file.
// Without PREFIX, the folder this program was installed in.
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "host/desktop_entries.h"
#include "host/install_manifest.h"
#include "kp_platform.h"
#include "schedule/item_key.h"
#include "windows.h"

namespace {

struct Value {
  const char16_t* name;
  std::u16string path;
};

bool Write(HKEY key, const Value& value) {
  DWORD bytes = (DWORD)((value.path.size() + 1) * sizeof(WCHAR));
  return RegSetValueExW(key, value.name, 0, REG_SZ, (const BYTE*)value.path.c_str(), bytes) == ERROR_SUCCESS;
}

struct Install {
  fs::path prefix;
  std::string folder;   // the prefix as text, without a trailing slash
  std::vector<Value> values;
};

Install InstallAt(const std::string& argument) {
  Install install;
  install.prefix = fs::absolute(argument).lexically_normal();
  install.folder = install.prefix.string();
  while (install.folder.size() > 1 && install.folder.back() == '/') install.folder.pop_back();
  install.prefix = install.folder;
  install.values = {
      {u"DATA", KpHandheldPath(install.folder + "/qmrv.dat")},
      {u"EXE", KpHandheldPath(install.folder + "/kalmeno")},
      {u"DLL", KpHandheldPath(install.folder + "/libKalmenoTP.so")},
  };
  return install;
}

// The folder of this program, for the commands run from an installation.
std::string OwnFolder() {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

// A desktop entry's values hold one line each; a path with a line break or another control
// character cannot be written into one.
bool PrintablePath(const std::string& folder) {
  for (unsigned char c : folder)
    if (c < 0x20 || c == 0x7F) {
      std::fprintf(stderr, "kalmeno-install: the prefix holds a control character; choose another.\n");
      return false;
    }
  return true;
}

int Record(const Install& install, const char* fileList) {
  for (const char* file : {"kalmeno", "libKalmenoTP.so", "kalmeno-today"}) {
    if (!fs::exists(install.prefix / file)) {
      std::fprintf(stderr, "kalmeno-install: %s is missing; install the files first.\n", (install.prefix / file).c_str());
      return 1;
    }
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "kalmeno-install: cannot write the registry.\n");
    return 1;
  }
  bool written = true;
  for (const Value& value : install.values) written = Write(key, value) && written;
  RegCloseKey(key);
  if (!written) {
    std::fprintf(stderr, "kalmeno-install: cannot write the registry values.\n");
    return 1;
  }
  std::vector<fs::path> files;
  if (fileList) files = ReadPathList(fileList);
  bool desktop = WriteDesktopEntries(install.prefix, UserDesktopFolders(), files);
  if (!AddToManifest(install.prefix, files)) {
    std::fprintf(stderr, "kalmeno-install: cannot write the list of installed files.\n");
    return 1;
  }
  std::printf("Installed in %s\n", install.folder.c_str());
  return desktop ? 0 : 1;
}

int Autostart(const Install& install) {
  if (!fs::exists(install.prefix / "kalmeno-today")) {
    std::fprintf(stderr, "kalmeno-install: %s is missing; install first.\n", (install.prefix / "kalmeno-today").c_str());
    return 1;
  }
  std::vector<fs::path> files;
  if (!WriteAutostartEntry(install.prefix, UserDesktopFolders(), files) || !AddToManifest(install.prefix, files))
    return 1;
  std::printf("The Today screen starts at login: %s\n", files.front().c_str());
  return 0;
}

int Uninstall(const Install& install) {
  int failures = RemoveInstalledFiles(install.prefix, install.prefix / "qmrv.dat");
  LONG status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kItemKey);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    std::fprintf(stderr, "kalmeno-install: cannot remove the Today item from the registry.\n");
    ++failures;
  }
  if (failures != 0) return 1;
  if (fs::exists(install.prefix / "qmrv.dat"))
    std::printf("Uninstalled from %s; the data file %s stays.\n", install.folder.c_str(),
                (install.prefix / "qmrv.dat").c_str());
  else
    std::printf("Uninstalled from %s\n", install.folder.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 && argv[1][0] == '-' ? argv[1] : "";
  int operands = argc - 1 - (mode.empty() ? 0 : 1);
  bool known = (mode.empty() && (operands == 1 || operands == 2)) ||
               ((mode == "--autostart" || mode == "--uninstall") && operands <= 1);
  if (!known) {
    std::fprintf(stderr,
                 "usage: kalmeno-install PREFIX [FILE-LIST]\n"
                 "       kalmeno-install --autostart [PREFIX]\n       kalmeno-install --uninstall [PREFIX]\n");
    return 2;
  }
  int first = mode.empty() ? 1 : 2;
  Install install = InstallAt(operands > 0 ? argv[first] : OwnFolder());
  if (mode == "--uninstall") return Uninstall(install);
  if (!PrintablePath(install.folder)) return 1;
  if (mode == "--autostart") return Autostart(install);
  return Record(install, operands == 2 ? argv[first + 1] : nullptr);
}
