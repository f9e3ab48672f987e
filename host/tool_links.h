#pragma once
// The command-line tools and their manuals where a user's shell and man find them: a link to each
// installed tool in ~/.local/bin (the XDG place for the user's programs) and to its manual in
// $XDG_DATA_HOME/man/man1 (default ~/.local/share/man/man1), pointing into the installation.
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

struct ToolLink {
  fs::path link;     // in the user's folders
  fs::path target;   // in the installation
};

// The links for every tool (and its manual) that `prefix` holds.
std::vector<ToolLink> ToolLinks(const fs::path& prefix);
// Makes the links, adding each to `written`. A link already there is replaced; anything else in a
// link's place is the user's and stays (said on stderr). False when a link could not be made.
bool LinkTools(const fs::path& prefix, std::vector<fs::path>& written);
// True when `path` is a link whose target lies inside `prefix`.
bool LinksInto(const fs::path& path, const fs::path& prefix);
