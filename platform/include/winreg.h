#pragma once
// The registry: one text file in the REGEDIT4 export format, at $KALMENO_REGISTRY, else
// $XDG_CONFIG_HOME/kalmeno/registry.reg (default ~/.config/kalmeno/registry.reg).
// Only string values (REG_SZ) and DWORDs are kept. Every call re-reads the file, so values
// written by another process are seen at once.
#include "winbase.h"

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002u)
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu
#define REG_NONE 0
#define REG_SZ 1
#define REG_DWORD 4
#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2
typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef HKEY* PHKEY;

// Returns ERROR_SUCCESS, or ERROR_FILE_NOT_FOUND when the key does not exist.
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// The caller's buffer size (*dataSize, in bytes) is honoured exactly: a string whose bytes with
// its terminator exceed it gives ERROR_MORE_DATA and fills nothing. On success *dataSize is the
// number of bytes stored, terminator included.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegCloseKey(HKEY key);
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options,
                     REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Deletes the sub-key with its values and every key below it.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
// Enumerates the sub-keys of an open key: index 0, 1, ... until ERROR_NO_MORE_ITEMS. *nameSize
// is the buffer's size in units on input and the name's length (without terminator) on output;
// a name that does not fit gives ERROR_MORE_DATA. The order is that of the registry file.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR className,
                   LPDWORD classSize, FILETIME* lastWriteTime);
#define ERROR_NO_MORE_ITEMS 259L
