#include "tools/sync/vdir_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sync_tool {
namespace {

constexpr off_t kLargestObject = 4 << 20;

std::string Tag(const struct stat& info) {
  char text[96];
  std::snprintf(text, sizeof text, "%llx:%llx:%llx:%lld.%09ld", static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino), static_cast<unsigned long long>(info.st_size),
                static_cast<long long>(info.st_mtim.tv_sec), info.st_mtim.tv_nsec);
  return text;
}

}  // namespace

std::vector<FolderFile> ListObjectFiles(const std::string& folder, std::string& error) {
  std::vector<FolderFile> files;
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    error = std::strerror(errno);
    return files;
  }
  const int dirFd = dirfd(dir);
  while (dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name.starts_with('.') || !name.ends_with(".ics") || name.size() == 4) continue;
    if (name.find_first_of("\t\r\n") != std::string::npos) continue;  // cannot stand in the state file
    struct stat info {};
    if (fstatat(dirFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
    files.push_back({name, Tag(info)});
  }
  closedir(dir);
  std::sort(files.begin(), files.end(), [](const FolderFile& a, const FolderFile& b) { return a.name < b.name; });
  return files;
}

std::string ReadObjectFile(const std::string& folder, const std::string& name, std::string& text) {
  text.clear();
  const std::string path = folder + "/" + name;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return "일반 파일이 아닙니다";
  }
  if (info.st_size > kLargestObject) {
    close(fd);
    return "너무 큽니다 (4 MiB 넘음)";
  }
  text.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t got = read(fd, text.data() + done, text.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  const int code = errno;
  close(fd);
  if (done != text.size()) return std::strerror(code ? code : EIO);
  return {};
}

std::string FileTag(const std::string& folder, const std::string& name) {
  struct stat info {};
  if (lstat((folder + "/" + name).c_str(), &info) != 0) return {};
  return Tag(info);
}

std::string ObjectFileName(const std::string& uid) {
  const bool plain = !uid.empty() && uid.size() < 200 && !uid.starts_with('.') &&
                     std::all_of(uid.begin(), uid.end(), [](char c) {
                       return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                              c == '-' || c == '_' || c == '.' || c == '@';
                     });
  if (plain) return uid + ".ics";
  unsigned long long hash = 0xcbf29ce484222325ull;
  for (unsigned char c : uid) hash = (hash ^ c) * 0x100000001b3ull;
  char text[32];
  std::snprintf(text, sizeof text, "%016llx.ics", hash);
  return text;
}

}  // namespace sync_tool
