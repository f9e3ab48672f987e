#pragma once
// The list of every file an installation wrote, kept in the install's folder, so that the
// uninstall removes exactly those: the programs and libraries, the desktop entries and icons, the
// autostart entry, the links to the tools. The data file is never on it and never removed.
#include <filesystem>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

// Adds the files to the list in `prefix` (a file already listed stays listed once).
bool AddToManifest(const fs::path& prefix, const std::vector<fs::path>& files);
// The lines of a list of paths (such as the one cmake --install leaves); empty when unreadable.
std::vector<fs::path> ReadPathList(const fs::path& listFile);
// True when `path`, its folders resolved (its own name not followed), lies inside `folder`.
bool IsInside(const fs::path& path, const fs::path& folder);
// Removes every listed file that belongs to the installation: what really lies inside `prefix`
// (a folder link inside it leads nowhere else), and those outside it that `ours` accepts; never
// the data file, nor a folder. Then the list itself, the folders emptied outside `prefix` up to
// (not including) the folders `keep` accepts, and `prefix` when nothing is left in it. Returns
// the number of files that could not be removed.
int RemoveInstalledFiles(const fs::path& prefix, const fs::path& dataFile,
                         const std::function<bool(const fs::path&)>& ours,
                         const std::function<bool(const fs::path&)>& keep);
// Removes `folder` and then each folder above it while empty, up to one that `keep` accepts.
void RemoveEmptiedFolders(fs::path folder, const std::function<bool(const fs::path&)>& keep);
