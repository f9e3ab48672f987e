#include "tools/common/whole_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace tool_files {
namespace {

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a chain of symbolic links to the path of the file they name (that file may not exist yet).
std::string ThroughLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    if (length < 0) return path;
    const std::string next(target, static_cast<std::size_t>(length));
    path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
  }
  return path;
}

}  // namespace

WholeFileWriter::~WholeFileWriter() { Abandon(); }

void WholeFileWriter::Abandon() {
  if (m_fd >= 0) close(m_fd);
  m_fd = -1;
  if (!m_temporary.empty()) unlink(m_temporary.c_str());
  m_temporary.clear();
}

std::string WholeFileWriter::Begin(const std::string& target) {
  Abandon();
  m_error.clear();
  m_errorCode = 0;
  m_target = ThroughLinks(target);
  std::string pattern = FolderOf(m_target) + "/." + NameOf(m_target) + ".new-XXXXXX";
  m_fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (m_fd < 0) return m_error = std::strerror(m_errorCode = errno);
  m_temporary = pattern;
  return {};
}

bool WholeFileWriter::Write(std::string_view text) {
  if (m_fd < 0) return false;
  while (!text.empty()) {
    const ssize_t written = write(m_fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      m_errorCode = written < 0 ? errno : ENOSPC;
      m_error = std::strerror(m_errorCode);
      Abandon();
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string WholeFileWriter::Finish(bool flush) {
  if (m_fd < 0) {
    if (!m_errorCode) m_errorCode = EBADF;
    return m_error.empty() ? m_error = std::strerror(m_errorCode) : m_error;
  }
  struct stat old {};
  mode_t mode;
  if (stat(m_target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  int failure = fchmod(m_fd, mode) == 0 && (!flush || fsync(m_fd) == 0) ? 0 : errno;
  if (close(m_fd) != 0 && !failure) failure = errno;
  m_fd = -1;
  if (!failure) return {};
  Abandon();
  return m_error = std::strerror(m_errorCode = failure);
}

std::string WholeFileWriter::Place(bool mustBeNew) {
  if (m_temporary.empty() || m_fd >= 0) return m_error.empty() ? m_error = std::strerror(m_errorCode = EBADF) : m_error;
  int failure = 0;
  if (mustBeNew) {
    // link() never replaces: a file that appeared under the name meanwhile stays.
    failure = link(m_temporary.c_str(), m_target.c_str()) == 0 ? 0 : errno;
  } else {
    failure = rename(m_temporary.c_str(), m_target.c_str()) == 0 ? 0 : errno;
    if (!failure) m_temporary.clear();
  }
  Abandon();
  if (failure) return m_error = std::strerror(m_errorCode = failure);
  return {};
}

std::string WholeFileWriter::Commit(bool mustBeNew) {
  std::string error = Finish(true);
  if (error.empty()) error = Place(mustBeNew);
  if (error.empty()) FlushFolder(FolderOf(m_target));
  return error;
}

void FlushFileSystem(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  syncfs(fd);
  fsync(fd);
  close(fd);
}

void FlushFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace tool_files
