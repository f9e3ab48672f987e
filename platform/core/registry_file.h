#pragma once
// The registry's text file in the REGEDIT4 export format: reading it into keys and values, and
// writing it back. Key paths are full ("HKEY_LOCAL_MACHINE\Software\..."), compared without
// regard to ASCII case as the registry does.
#include "windef.h"

#include <string>
#include <vector>

struct KpRegistryValue {
  std::string name;        // UTF-8; empty for the key's default value ("@")
  DWORD type = 0;          // REG_SZ, REG_DWORD, or REG_NONE for a value kept only as raw text
  std::u16string text;     // REG_SZ
  DWORD number = 0;        // REG_DWORD
  std::string raw;         // everything after '=' for kinds this registry does not interpret
};

struct KpRegistryKey {
  std::string path;
  std::vector<KpRegistryValue> values;
};

// The largest registry file read: far more than any user's keys, and a bound on what a link to a
// device or a runaway file can cost each reader.
constexpr long long kMaxRegistryBytes = 4 << 20;

struct KpRegistryFile {
  std::vector<KpRegistryKey> keys;
  // False when the file is there but cannot be read (not a regular file, too large, no
  // permission): it reads as empty, and nothing may be written over it.
  bool readable = true;

  // A missing file is an empty registry; an unreadable line is skipped.
  static KpRegistryFile Load(const std::string& path);
  // Writes a temporary file beside `path` (beside the file it names, when it is a link) and renames
  // it over, so a reader never sees half a file; the file keeps its mode.
  bool Save(const std::string& path) const;

  KpRegistryKey* FindKey(const std::string& path);
  // True when the key, or a key below it, is listed.
  bool KeyExists(const std::string& path) const;
  KpRegistryValue* FindValue(const std::string& keyPath, const std::string& name);
};

bool KpRegistryNamesEqual(const std::string& a, const std::string& b);
// Where the registry lives: $KALMENO_REGISTRY, else $XDG_CONFIG_HOME/kalmeno/registry.reg,
// else ~/.config/kalmeno/registry.reg.
std::string KpRegistryPath();
