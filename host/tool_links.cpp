#include "host/tool_links.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "host/install_manifest.h"

namespace {

// The tools an installation may hold (kalmeno-sync only where it is built).
const char* const kTools[] = {"kalmeno-lunar", "kalmeno-ics", "kalmeno-sync"};

fs::path Home() {
  const char* home = std::getenv("HOME");
  return home && *home ? fs::path(home) : fs::path("/");
}

fs::path DataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  return data && data[0] == '/' ? fs::path(data) : Home() / ".local/share";
}

}  // namespace

std::vector<ToolLink> ToolLinks(const fs::path& prefix) {
  std::vector<ToolLink> links;
  std::error_code error;
  for (const char* tool : kTools) {
    if (!fs::is_regular_file(prefix / tool, error)) continue;
    links.push_back({Home() / ".local/bin" / tool, prefix / tool});
    const fs::path manual = prefix / "man/man1" / (std::string(tool) + ".1");
    if (fs::is_regular_file(manual, error)) links.push_back({DataHome() / "man/man1" / manual.filename(), manual});
  }
  return links;
}

bool LinkTools(const fs::path& prefix, std::vector<fs::path>& written) {
  bool ok = true;
  for (const ToolLink& link : ToolLinks(prefix)) {
    std::error_code error;
    fs::create_directories(link.link.parent_path(), error);
    const fs::file_status status = fs::symlink_status(link.link, error);
    if (fs::is_symlink(status)) {
      fs::remove(link.link, error);
    } else if (fs::exists(status)) {
      std::fprintf(stderr, "kalmeno-install: %s is not a link of ours; left as it is.\n", link.link.c_str());
      continue;
    }
    fs::create_symlink(link.target, link.link, error);
    if (error) {
      std::fprintf(stderr, "kalmeno-install: cannot link %s: %s\n", link.link.c_str(), error.message().c_str());
      ok = false;
      continue;
    }
    written.push_back(link.link);
  }
  return ok;
}

bool LinksInto(const fs::path& path, const fs::path& prefix) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return false;
  fs::path target = fs::read_symlink(path, error);
  if (error) return false;
  if (target.is_relative()) target = path.parent_path() / target;
  return IsInside(target, prefix);
}
