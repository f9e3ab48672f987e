#pragma once
// The list of every file an installation wrote, kept in the install's folder, so that the
// uninstall removes exactly those: the programs and libraries, the desktop entries and icons, the
// autostart entry. The data file is never on it and never removed.
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

// Adds the files to the list in `prefix` (a file already listed stays listed once).
bool AddToManifest(const fs::path& prefix, const std::vector<fs::path>& files);
// The lines of a list of paths (such as the one cmake --install leaves); empty when unreadable.
std::vector<fs::path> ReadPathList(const fs::path& listFile);
// Removes every listed file that belongs to the installation (inside `prefix`, or one of the
// desktop entries and icons by name), never the data file, then the list itself and the folder
// when nothing else is left in it. Returns the number of files that could not be removed.
int RemoveInstalledFiles(const fs::path& prefix, const fs::path& dataFile);
