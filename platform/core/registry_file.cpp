// Reading and writing the registry's REGEDIT4 text file.
#include "platform/core/registry_file.h"

#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <unordered_map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Parses a quoted text starting at s[pos] == '"' with \\ and \" escapes; pos ends after the quote.
bool ParseQuoted(const std::string& s, size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '"') return false;
  out.clear();
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < s.size()) c = s[++pos];
    out += c;
  }
  return false;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

bool ParseValueLine(const std::string& line, KpRegistryValue& value) {
  size_t pos = 0;
  if (line[0] == '@') {
    value.name.clear();
    pos = 1;
  } else if (!ParseQuoted(line, pos, value.name)) {
    return false;
  }
  if (pos >= line.size() || line[pos] != '=') return false;
  std::string data = line.substr(pos + 1);
  if (!data.empty() && data[0] == '"') {
    size_t at = 0;
    std::string text;
    if (!ParseQuoted(data, at, text)) return false;
    value.type = REG_SZ;
    value.text = KpFromUtf8(text);
  } else if (data.compare(0, 6, "dword:") == 0) {
    char* end = nullptr;
    unsigned long number = std::strtoul(data.c_str() + 6, &end, 16);
    if (end == data.c_str() + 6) return false;
    value.type = REG_DWORD;
    value.number = static_cast<DWORD>(number);
  } else {
    value.type = REG_NONE;
    value.raw = data;
  }
  return true;
}

}  // namespace

bool KpRegistryNamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string KpRegistryPath() {
  if (const char* path = std::getenv("KALMENO_REGISTRY"); path && *path) return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/kalmeno/registry.reg";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.config/kalmeno/registry.reg";
}

namespace {

// The registry's text, read as the data file is: a regular file only (a FIFO or a device is
// refused at once, never waited on), at most kMaxRegistryBytes. False when it cannot be read;
// a missing file reads as empty.
bool ReadText(const std::string& path, std::string& text) {
  text.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ENOENT;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxRegistryBytes;
  if (ok) {
    text.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < text.size()) {
      ssize_t n = read(fd, text.data() + got, text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    text.resize(got);  // a file cut meanwhile reads as far as it goes
  }
  close(fd);
  return ok;
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = Lower(c);
  return text;
}

}  // namespace

KpRegistryFile KpRegistryFile::Load(const std::string& path) {
  KpRegistryFile file;
  std::string text;
  file.readable = ReadText(path, text);
  // Keys and values are found by their lower-case names, so that a file of many keys reads in
  // time linear in its length.
  std::unordered_map<std::string, size_t> keyIndex, valueIndex;
  std::string line, pending, keyName;
  size_t current = SIZE_MAX;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    // Long binary values continue on the next line after a trailing backslash.
    if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      pending += line;
      continue;
    }
    if (!pending.empty()) {
      line = pending + line;
      pending.clear();
    }
    if (line.empty() || line[0] == ';' || line == "REGEDIT4") continue;
    if (line[0] == '[') {
      current = SIZE_MAX;
      size_t close = line.rfind(']');
      if (close == std::string::npos || close < 2 || line[1] == '-') continue;
      std::string keyPath = line.substr(1, close - 1);
      keyName = LowerCase(keyPath);
      auto [at, added] = keyIndex.emplace(keyName, file.keys.size());
      if (added) file.keys.push_back(KpRegistryKey{keyPath, {}});
      current = at->second;
      continue;
    }
    KpRegistryValue value;
    if (current == SIZE_MAX || !ParseValueLine(line, value)) continue;
    std::vector<KpRegistryValue>& values = file.keys[current].values;
    auto [at, added] = valueIndex.emplace(keyName + '\n' + LowerCase(value.name), values.size());
    if (added) values.push_back(value);
    else values[at->second] = value;
  }
  return file;
}

bool KpRegistryFile::Save(const std::string& path) const {
  if (!readable) return false;  // never written over a file that could not be read
  std::ostringstream out;
  out << "REGEDIT4\n";
  for (const KpRegistryKey& key : keys) {
    out << "\n[" << key.path << "]\n";
    for (const KpRegistryValue& value : key.values) {
      out << (value.name.empty() ? std::string("@") : Quote(value.name)) << '=';
      if (value.type == REG_SZ) {
        out << Quote(KpToUtf8(value.text.c_str(), static_cast<int>(value.text.size())));
      } else if (value.type == REG_DWORD) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x", value.number);
        out << number;
      } else {
        out << value.raw;
      }
      out << '\n';
    }
  }
  std::string text = out.str();
  // A registry file that is a link (into a folder of kept settings, say) is written through to
  // the file it names, and the file keeps its permission bits.
  std::string target = path;
  mode_t mode = 0644;
  struct stat info;
  if (lstat(path.c_str(), &info) == 0) {
    if (S_ISLNK(info.st_mode)) {
      char* resolved = realpath(path.c_str(), nullptr);
      if (!resolved) return false;  // a link to nowhere: nothing is made at its end
      target = resolved;
      std::free(resolved);
      if (stat(target.c_str(), &info) != 0) return false;
    }
    if (!S_ISREG(info.st_mode)) return false;
    mode = info.st_mode & 07777;
  } else {
    // Create the folders on the way, as a fresh user's configuration folder may not exist yet.
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
      mkdir(path.substr(0, slash).c_str(), 0755);
  }
  std::string temporary = target + ".tmp." + std::to_string(getpid());
  unlink(temporary.c_str());  // a dead writer's leftover of the same pid
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = KpWriteAll(fd, text.data(), text.size()) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

KpRegistryKey* KpRegistryFile::FindKey(const std::string& path) {
  for (KpRegistryKey& key : keys)
    if (KpRegistryNamesEqual(key.path, path)) return &key;
  return nullptr;
}

bool KpRegistryFile::KeyExists(const std::string& path) const {
  for (const KpRegistryKey& key : keys) {
    if (KpRegistryNamesEqual(key.path, path)) return true;
    if (key.path.size() > path.size() && key.path[path.size()] == '\\' &&
        KpRegistryNamesEqual(key.path.substr(0, path.size()), path))
      return true;
  }
  return false;
}

KpRegistryValue* KpRegistryFile::FindValue(const std::string& keyPath, const std::string& name) {
  KpRegistryKey* key = FindKey(keyPath);
  if (!key) return nullptr;
  for (KpRegistryValue& value : key->values)
    if (KpRegistryNamesEqual(value.name, name)) return &value;
  return nullptr;
}
