#pragma once
// Files, beyond what winbase.h declares: what a path names without opening it, and the names in a
// folder. (SetEndOfFile, growing a file, reserves its disk space: it fails at once, with
// ERROR_DISK_FULL, on a full disk or past the file-size limit, and leaves the size as it was.)
#include "winbase.h"

#define ERROR_NO_MORE_FILES 18L
#define FILE_ATTRIBUTE_DEVICE 0x00000040u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400u

struct LARGE_INTEGER { LONGLONG QuadPart; };

// What a path names (through links), without opening it: no lock is taken or waited on.
enum FILE_INFO_BY_NAME_CLASS { FileStatByNameInfo, FileStatLxByNameInfo, FileCaseSensitiveByNameInfo,
                               FileStatBasicByNameInfo };
struct FILE_STAT_BASIC_INFORMATION {
  LARGE_INTEGER FileId;  // the inode
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;  // FILETIME units
  LARGE_INTEGER AllocationSize, EndOfFile;                                // bytes
  ULONG FileAttributes, ReparseTag, NumberOfLinks, DeviceType, DeviceCharacteristics, Reserved;
  LARGE_INTEGER VolumeSerialNumber;  // the device
};
// Only FileStatBasicByNameInfo is known; the creation time is left zero. A folder carries
// FILE_ATTRIBUTE_DIRECTORY, a FIFO, device or socket FILE_ATTRIBUTE_DEVICE.
BOOL GetFileInformationByName(LPCWSTR path, FILE_INFO_BY_NAME_CLASS infoClass, LPVOID buffer, ULONG bufferSize);

// The entries of a folder whose names match a pattern of literal text and '*' (any run of
// characters, within one name). Links are listed as links (FILE_ATTRIBUTE_REPARSE_POINT), never
// followed. A regular file of this user's readable by its owner only (what CreateFileW makes with
// FILE_ATTRIBUTE_TEMPORARY) carries FILE_ATTRIBUTE_TEMPORARY.
struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
  DWORD nFileSizeHigh, nFileSizeLow, dwReserved0, dwReserved1;
  WCHAR cFileName[MAX_PATH];
  WCHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;
// INVALID_HANDLE_VALUE when nothing matches (ERROR_FILE_NOT_FOUND) or the folder cannot be read.
HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found);
// FALSE with ERROR_NO_MORE_FILES after the last match.
BOOL FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW found);
BOOL FindClose(HANDLE search);
