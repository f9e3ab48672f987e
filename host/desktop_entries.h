#pragma once
// The installation's place in the desktop: XDG desktop entries for Kalmeno and the Today screen,
// with their icons in the hicolor theme, so that both appear in the desktop's application menu;
// and, on request, an autostart entry that starts the Today screen at login.
//
// They go where the desktop looks first for the user's own programs: $XDG_DATA_HOME (default
// ~/.local/share) for entries and icons, $XDG_CONFIG_HOME (default ~/.config) for autostart. The
// install's own folder is not among the places a desktop searches.
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct DesktopFolders {
  fs::path applications;   // .../applications
  fs::path icons;          // .../icons/hicolor
  fs::path autostart;      // .../autostart
};

// The folders from the XDG base directory variables; a relative value counts as unset.
DesktopFolders UserDesktopFolders();

// The desktop entry text for a program in `prefix`: `todayScreen` false for Kalmeno, true for
// the Today screen.
std::string DesktopEntryText(const fs::path& prefix, bool todayScreen);

// Writes both desktop entries and their icons (16, 32 and 48 pixels), adding each file's path to
// `written`. False, with a message on stderr, when one could not be written.
bool WriteDesktopEntries(const fs::path& prefix, const DesktopFolders& folders, std::vector<fs::path>& written);
// Writes the Today screen's autostart entry.
bool WriteAutostartEntry(const fs::path& prefix, const DesktopFolders& folders, std::vector<fs::path>& written);
// Every file the two functions above write for these folders, whether written or not.
std::vector<fs::path> DesktopFilePaths(const DesktopFolders& folders);
// True when the desktop file (an entry, or an icon of one) belongs to the installation in
// `prefix`: an entry that starts a program there, an icon whose program's entry is missing or
// starts a program there. Another installation's entries and icons are left to it.
bool DesktopFileBelongsTo(const fs::path& file, const DesktopFolders& folders, const fs::path& prefix);
