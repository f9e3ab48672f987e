#include "host/install_manifest.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

fs::path ManifestOf(const fs::path& prefix) { return prefix / "install-manifest.txt"; }

// The path with its folders resolved through every link; its own name is left as it is, so a
// link is judged by where it lies, not by what it names.
fs::path Located(const fs::path& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path, error).lexically_normal();
  if (!absolute.has_filename()) absolute = absolute.parent_path();
  fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
  return (error ? absolute.parent_path() : folder) / absolute.filename();
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

bool IsInside(const fs::path& path, const fs::path& folder) {
  std::error_code error;
  fs::path resolvedFolder = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return false;
  fs::path relative = Located(path).lexically_relative(resolvedFolder);
  return !relative.empty() && *relative.begin() != ".." && *relative.begin() != ".";
}

void RemoveEmptiedFolders(fs::path folder, const std::function<bool(const fs::path&)>& keep) {
  std::error_code error;
  while (folder.has_relative_path() && !keep(folder) && fs::is_empty(folder, error) && !error &&
         fs::remove(folder, error))
    folder = folder.parent_path();
}

int RemoveInstalledFiles(const fs::path& prefix, const fs::path& dataFile,
                         const std::function<bool(const fs::path&)>& ours,
                         const std::function<bool(const fs::path&)>& keep) {
  int failures = 0;
  std::vector<fs::path> emptied;
  for (const fs::path& file : ReadPathList(ManifestOf(prefix))) {
    std::error_code error;
    if (file.filename() == "qmrv.dat" || Located(file) == Located(dataFile)) continue;
    const bool inside = IsInside(file, prefix);
    if (!inside && !ours(file)) {
      std::fprintf(stderr, "kalmeno-install: %s is not part of the installation; left in place.\n", file.c_str());
      continue;
    }
    fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status)) continue;
    if ((!fs::is_regular_file(status) && !fs::is_symlink(status)) || !fs::remove(file, error)) {
      std::fprintf(stderr, "kalmeno-install: cannot remove %s\n", file.c_str());
      ++failures;
      continue;
    }
    emptied.push_back(file.parent_path());
  }
  std::error_code error;
  if (failures == 0) fs::remove(ManifestOf(prefix), error);
  const fs::path top = prefix.lexically_normal();
  for (const fs::path& folder : emptied)
    RemoveEmptiedFolders(folder, [&](const fs::path& f) { return f.lexically_normal() == top || keep(f); });
  // Only an empty folder goes: a data file, or anything the user put there, keeps it.
  fs::remove(prefix, error);
  return failures;
}
