// The registry functions. Every call reads the file again, so a value another process wrote is
// seen at once; changes are made under a lock file, so two writers never lose each other's keys.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"
#include "platform/core/registry_file.h"
#include "winreg.h"

#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OpenKey {
  std::string path;
};

std::mutex& KeyMutex() {
  static std::mutex mutex;
  return mutex;
}
std::set<OpenKey*>& OpenKeys() {
  static auto* keys = new std::set<OpenKey*>();
  return *keys;
}

const char* RootName(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (key == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (key == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

// The full path of an open key or a root; false for anything else.
bool PathOfKey(HKEY key, std::string& path) {
  if (const char* root = RootName(key)) {
    path = root;
    return true;
  }
  std::lock_guard<std::mutex> lock(KeyMutex());
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (!OpenKeys().count(open)) return false;
  path = open->path;
  return true;
}

bool JoinPath(HKEY key, LPCWSTR subKey, std::string& path) {
  if (!PathOfKey(key, path)) return false;
  std::string sub = subKey ? KpToUtf8(subKey) : std::string();
  while (!sub.empty() && sub.back() == '\\') sub.pop_back();
  while (!sub.empty() && sub.front() == '\\') sub.erase(0, 1);
  if (!sub.empty()) path += "\\" + sub;
  return true;
}

HKEY NewKeyHandle(const std::string& path) {
  auto* open = new OpenKey{path};
  std::lock_guard<std::mutex> lock(KeyMutex());
  OpenKeys().insert(open);
  return reinterpret_cast<HKEY>(open);
}

// Holds the registry's lock file for one read-change-write.
class WriteLock {
 public:
  WriteLock() {
    std::string path = KpRegistryPath() + ".lock";
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
      mkdir(path.substr(0, slash).c_str(), 0755);
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (m_fd >= 0) flock(m_fd, LOCK_EX);
  }
  ~WriteLock() {
    if (m_fd >= 0) close(m_fd);
  }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

 private:
  int m_fd = -1;
};

}  // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::string path;
  if (!JoinPath(key, subKey, path)) return ERROR_INVALID_HANDLE;
  if (!KpRegistryFile::Load(KpRegistryPath()).KeyExists(path)) return ERROR_FILE_NOT_FOUND;
  *result = NewKeyHandle(path);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (RootName(key)) return ERROR_SUCCESS;
  auto* open = reinterpret_cast<OpenKey*>(key);
  {
    std::lock_guard<std::mutex> lock(KeyMutex());
    if (!OpenKeys().erase(open)) return ERROR_INVALID_HANDLE;
  }
  delete open;
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  std::string path;
  if (!PathOfKey(key, path)) return ERROR_INVALID_HANDLE;
  if (data && !dataSize) return ERROR_INVALID_PARAMETER;
  KpRegistryFile file = KpRegistryFile::Load(KpRegistryPath());
  const KpRegistryValue* value = file.FindValue(path, valueName ? KpToUtf8(valueName) : std::string());
  if (!value || value->type == REG_NONE) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  DWORD needed = value->type == REG_SZ ? static_cast<DWORD>((value->text.size() + 1) * sizeof(WCHAR)) : 4;
  if (!data) {
    if (dataSize) *dataSize = needed;
    return ERROR_SUCCESS;
  }
  if (needed > *dataSize) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  if (value->type == REG_SZ) {
    // Stored as UTF-16LE bytes, whatever the host's byte order.
    for (size_t i = 0; i <= value->text.size(); ++i) {
      char16_t unit = i < value->text.size() ? value->text[i] : 0;
      data[2 * i] = static_cast<BYTE>(unit & 0xFF);
      data[2 * i + 1] = static_cast<BYTE>(unit >> 8);
    }
  } else {
    for (int i = 0; i < 4; ++i) data[i] = static_cast<BYTE>(value->number >> (8 * i));
  }
  *dataSize = needed;
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY result,
                     LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::string path;
  if (!JoinPath(key, subKey, path)) return ERROR_INVALID_HANDLE;
  WriteLock lock;
  std::string filePath = KpRegistryPath();
  KpRegistryFile file = KpRegistryFile::Load(filePath);
  bool existed = file.FindKey(path) != nullptr;
  if (!existed) {
    file.keys.push_back(KpRegistryKey{path, {}});
    if (!file.Save(filePath)) return ERROR_ACCESS_DENIED;
  }
  if (disposition) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *result = NewKeyHandle(path);
  return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  std::string path;
  if (!PathOfKey(key, path)) return ERROR_INVALID_HANDLE;
  KpRegistryValue value;
  value.name = valueName ? KpToUtf8(valueName) : std::string();
  value.type = type;
  if (type == REG_SZ) {
    // The text ends at its first terminator or at the end of the given bytes.
    for (DWORD i = 0; data && i + 1 < dataSize; i += 2) {
      char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      if (!unit) break;
      value.text += unit;
    }
  } else if (type == REG_DWORD) {
    if (!data || dataSize < 4) return ERROR_INVALID_PARAMETER;
    value.number = static_cast<DWORD>(data[0] | (data[1] << 8) | (data[2] << 16)) | (static_cast<DWORD>(data[3]) << 24);
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  WriteLock lock;
  std::string filePath = KpRegistryPath();
  KpRegistryFile file = KpRegistryFile::Load(filePath);
  KpRegistryKey* target = file.FindKey(path);
  if (!target) {
    file.keys.push_back(KpRegistryKey{path, {}});
    target = &file.keys.back();
  }
  bool replaced = false;
  for (KpRegistryValue& existing : target->values) {
    if (KpRegistryNamesEqual(existing.name, value.name)) {
      existing = value;
      replaced = true;
    }
  }
  if (!replaced) target->values.push_back(value);
  return file.Save(filePath) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
  std::string path;
  if (!PathOfKey(key, path)) return ERROR_INVALID_HANDLE;
  std::string name = valueName ? KpToUtf8(valueName) : std::string();
  WriteLock lock;
  std::string filePath = KpRegistryPath();
  KpRegistryFile file = KpRegistryFile::Load(filePath);
  KpRegistryKey* target = file.FindKey(path);
  if (!target) return ERROR_FILE_NOT_FOUND;
  for (auto it = target->values.begin(); it != target->values.end(); ++it) {
    if (KpRegistryNamesEqual(it->name, name)) {
      target->values.erase(it);
      return file.Save(filePath) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    }
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  std::string path;
  if (!subKey || !*subKey || !JoinPath(key, subKey, path)) return ERROR_INVALID_PARAMETER;
  WriteLock lock;
  std::string filePath = KpRegistryPath();
  KpRegistryFile file = KpRegistryFile::Load(filePath);
  if (!file.KeyExists(path)) return ERROR_FILE_NOT_FOUND;
  std::erase_if(file.keys, [&path](const KpRegistryKey& listed) {
    bool below = listed.path.size() > path.size() && listed.path[path.size()] == '\\';
    return (listed.path.size() == path.size() || below) && KpRegistryNamesEqual(listed.path.substr(0, path.size()), path);
  });
  return file.Save(filePath) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

// The sub-keys in the order the file first names them; a key listed only through a deeper key
// ("...\Items\Kalmeno\Sub" with no "[...\Items\Kalmeno]" line) counts as well, as KeyExists has it.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD, LPWSTR, LPDWORD, FILETIME*) {
  if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
  std::string path;
  if (!PathOfKey(key, path)) return ERROR_INVALID_HANDLE;
  KpRegistryFile file = KpRegistryFile::Load(KpRegistryPath());
  std::vector<std::string> children;
  for (const KpRegistryKey& listed : file.keys) {
    if (listed.path.size() <= path.size() + 1 || listed.path[path.size()] != '\\') continue;
    if (!KpRegistryNamesEqual(listed.path.substr(0, path.size()), path)) continue;
    std::string child = listed.path.substr(path.size() + 1);
    child = child.substr(0, child.find('\\'));
    bool known = false;
    for (const std::string& seen : children) known = known || KpRegistryNamesEqual(seen, child);
    if (!known && !child.empty()) children.push_back(child);
  }
  if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
  std::u16string text = KpFromUtf8(children[index]);
  if (text.size() + 1 > *nameSize) return ERROR_MORE_DATA;
  std::memcpy(name, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  *nameSize = static_cast<DWORD>(text.size());
  return ERROR_SUCCESS;
}
