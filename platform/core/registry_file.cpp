// Reading and writing the registry's REGEDIT4 text file.
#include "platform/core/registry_file.h"

#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
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

KpRegistryFile KpRegistryFile::Load(const std::string& path) {
  KpRegistryFile file;
  std::ifstream in(path, std::ios::binary);
  std::string line, pending;
  KpRegistryKey* current = nullptr;
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
      current = nullptr;
      size_t close = line.rfind(']');
      if (close == std::string::npos || close < 2 || line[1] == '-') continue;
      std::string keyPath = line.substr(1, close - 1);
      current = file.FindKey(keyPath);
      if (!current) {
        file.keys.push_back(KpRegistryKey{keyPath, {}});
        current = &file.keys.back();
      }
      continue;
    }
    KpRegistryValue value;
    if (!current || !ParseValueLine(line, value)) continue;
    bool replaced = false;
    for (KpRegistryValue& existing : current->values) {
      if (KpRegistryNamesEqual(existing.name, value.name)) {
        existing = value;
        replaced = true;
      }
    }
    if (!replaced) current->values.push_back(value);
  }
  return file;
}

bool KpRegistryFile::Save(const std::string& path) const {
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
  // Create the folders on the way, as a fresh user's configuration folder may not exist yet.
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0755);
  std::string temporary = path + ".tmp." + std::to_string(getpid());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = KpWriteAll(fd, text.data(), text.size()) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok || rename(temporary.c_str(), path.c_str()) != 0) {
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
