// kalmeno-install: the installation's own steps, after cmake --install has put the files in
// place.
//
//   kalmeno-install PREFIX [FILE-LIST]   records the Today item in the registry: DATA (the data
//       file beside the installed program), EXE (the program) and DLL (the plug-in, for the Today
//       screen); writes the desktop entries and icons; links the tools and their manuals into the
//       user's folders; lists every file written (with those of FILE-LIST, the files cmake
//       --install wrote) in PREFIX/install-manifest.txt.
//   kalmeno-install --check PREFIX       refuses, before anything is copied, a prefix that the
//       list of installed files or a desktop entry cannot hold.
//   kalmeno-install --autostart [PREFIX] starts the Today screen at login.
//   kalmeno-install --uninstall [PREFIX] removes every file the installation wrote, the folders
//       that leaves empty, and the Today item's registry key when it names this installation (the
//       registry file too, with its lock, when nothing else is left in it); never the data file.
// Without PREFIX, the folder this program was installed in.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "host/desktop_entries.h"
#include "host/install_manifest.h"
#include "host/tool_links.h"
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
// character cannot be written into one. The list of files cmake --install writes cannot hold a
// ';' (it separates the list's items), so the uninstall could not find such an installation.
bool PrintablePath(const std::string& folder) {
  for (unsigned char c : folder) {
    if (c < 0x20 || c == 0x7F) {
      std::fprintf(stderr, "kalmeno-install: the prefix holds a control character; choose another.\n");
      return false;
    }
    if (c == ';') {
      std::fprintf(stderr, "kalmeno-install: the prefix holds a ';', which the list of installed files cannot "
                           "hold; choose another.\n");
      return false;
    }
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
  desktop = LinkTools(install.prefix, files) && desktop;
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

// True when the Today item's key names a program of this installation, or names none: another
// installation's key is left to it.
bool ItemKeyIsOurs(const Install& install) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
  bool ours = true;
  for (const Value& value : install.values) {
    WCHAR text[1024];
    DWORD size = sizeof text, type = 0;
    if (RegQueryValueExW(key, value.name, nullptr, &type, (BYTE*)text, &size) != ERROR_SUCCESS || type != REG_SZ)
      continue;
    if (value.name != std::u16string(u"DATA") && !IsInside(KpHostPath(text), install.prefix)) ours = false;
  }
  RegCloseKey(key);
  return ours;
}

// The registry file goes with its lock and folder once no key is left in it.
void RemoveEmptyRegistry() {
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    WCHAR name[256];
    DWORD size = 256;
    if (RegEnumKeyExW(root, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_NO_MORE_ITEMS) return;
  }
  const fs::path file = KpRegistryPath();
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(file, error))) return;  // a link or something else: the user's
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] == '[') return;  // a key this registry could not read is kept
  in.close();
  fs::remove(file, error);
  fs::remove(file.string() + ".lock", error);
  fs::remove(file.parent_path(), error);  // only when empty
}

// Folders the uninstall never removes, even empty: the user's home and the XDG base folders, and
// every folder above them.
bool BaseFolder(const fs::path& folder) {
  const DesktopFolders desktop = UserDesktopFolders();
  const fs::path bases[] = {fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/"),
                            desktop.applications.parent_path(), desktop.autostart.parent_path()};
  const fs::path normal = folder.lexically_normal();
  for (const fs::path& base : bases) {
    fs::path relative = base.lexically_normal().lexically_relative(normal);
    if (relative.empty() || relative == "." || *relative.begin() != "..") return true;
  }
  return false;
}

int Uninstall(const Install& install) {
  const DesktopFolders desktop = UserDesktopFolders();
  std::vector<fs::path> links;
  for (const ToolLink& link : ToolLinks(install.prefix)) links.push_back(link.link);
  auto ours = [&](const fs::path& file) {
    if (std::find(links.begin(), links.end(), file) != links.end()) return LinksInto(file, install.prefix);
    return DesktopFileBelongsTo(file, desktop, install.prefix);
  };
  const bool keyIsOurs = ItemKeyIsOurs(install);
  int failures = RemoveInstalledFiles(install.prefix, install.prefix / "qmrv.dat", ours, BaseFolder);
  LONG status = keyIsOurs ? RegDeleteKeyW(HKEY_LOCAL_MACHINE, kItemKey) : ERROR_SUCCESS;
  if (!keyIsOurs)
    std::fprintf(stderr, "kalmeno-install: the Today item in the registry names another installation; left in place.\n");
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    std::fprintf(stderr, "kalmeno-install: cannot remove the Today item from the registry.\n");
    ++failures;
  }
  RemoveEmptyRegistry();
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
               ((mode == "--autostart" || mode == "--uninstall") && operands <= 1) ||
               (mode == "--check" && operands == 1);
  if (!known) {
    std::fprintf(stderr,
                 "usage: kalmeno-install PREFIX [FILE-LIST]\n"
                 "       kalmeno-install --check PREFIX\n"
                 "       kalmeno-install --autostart [PREFIX]\n       kalmeno-install --uninstall [PREFIX]\n");
    return 2;
  }
  int first = mode.empty() ? 1 : 2;
  Install install = InstallAt(operands > 0 ? argv[first] : OwnFolder());
  if (mode == "--uninstall") return Uninstall(install);
  if (!PrintablePath(install.folder)) return 1;
  if (mode == "--check") return 0;
  if (mode == "--autostart") return Autostart(install);
  return Record(install, operands == 2 ? argv[first + 1] : nullptr);
}
