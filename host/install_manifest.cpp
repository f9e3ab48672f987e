#include "host/install_manifest.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

fs::path ManifestOf(const fs::path& prefix) { return prefix / "install-manifest.txt"; }

bool Inside(const fs::path& path, const fs::path& folder) {
  fs::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

// What the installation writes outside its folder, by name.
bool IsDesktopFile(const fs::path& path) {
  static const char* const kNames[] = {"kalmeno.desktop", "kalmeno-today.desktop", "kalmeno.png", "kalmeno-today.png"};
  return std::find(std::begin(kNames), std::end(kNames), path.filename().string()) != std::end(kNames);
}

}  // namespace

std::vector<fs::path> ReadPathList(const fs::path& listFile) {
  std::vector<fs::path> paths;
  std::ifstream in(listFile);
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] == '/') paths.emplace_back(line);
  return paths;
}

bool AddToManifest(const fs::path& prefix, const std::vector<fs::path>& files) {
  std::vector<fs::path> listed = ReadPathList(ManifestOf(prefix));
  for (const fs::path& file : files)
    if (std::find(listed.begin(), listed.end(), file) == listed.end()) listed.push_back(file);
  std::ofstream out(ManifestOf(prefix), std::ios::trunc);
  for (const fs::path& file : listed) out << file.string() << '\n';
  out.close();
  return (bool)out;
}

int RemoveInstalledFiles(const fs::path& prefix, const fs::path& dataFile) {
  int failures = 0;
  for (const fs::path& file : ReadPathList(ManifestOf(prefix))) {
    std::error_code error;
    if (file.lexically_normal() == dataFile.lexically_normal() || file.filename() == "qmrv.dat") continue;
    if (!Inside(file, prefix) && !IsDesktopFile(file)) {
      std::fprintf(stderr, "kalmeno-install: %s is not part of the installation; left in place.\n", file.c_str());
      continue;
    }
    fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status)) continue;
    if ((!fs::is_regular_file(status) && !fs::is_symlink(status)) || !fs::remove(file, error)) {
      std::fprintf(stderr, "kalmeno-install: cannot remove %s\n", file.c_str());
      ++failures;
    }
  }
  std::error_code error;
  if (failures == 0) fs::remove(ManifestOf(prefix), error);
  // Only an empty folder goes: a data file, or anything the user put there, keeps it.
  fs::remove(prefix, error);
  return failures;
}
