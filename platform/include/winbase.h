#pragma once
// Core services: text, files, the module path, local time, libraries, processes, named events.
// This half of the platform has no user interface.
#include "windef.h"

#include <cstdarg>

// ---- Text -----------------------------------------------------------------------------------
// wsprintfW understands the conversions the system uses: %d %i %u %x %X with optional flags
// '-', '0', width (e.g. %02d, %04d), %s (a WCHAR string), %c (a WCHAR), %%.
// Writes at most 1024 units including the terminator, as the platform does. Returns the
// number of units written, not counting the terminator.
int wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args);
int lstrlenW(LPCWSTR s);
LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src);
// Copies at most maxUnits - 1 units and always terminates (maxUnits includes the terminator).
LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int maxUnits);
int lstrcmpW(LPCWSTR a, LPCWSTR b);

// ---- Errors ---------------------------------------------------------------------------------
DWORD GetLastError();
void SetLastError(DWORD error);
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_MORE_DATA 234L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L

// 100-nanosecond intervals since 1601-01-01 00:00 (see SystemTimeToFileTime).
struct FILETIME { DWORD dwLowDateTime, dwHighDateTime; };
typedef FILETIME* LPFILETIME;

// ---- Files ----------------------------------------------------------------------------------
// Paths are accepted in either form: the handheld's (\home\a\qmrv.dat) or the host's
// (/home/a/qmrv.dat). Share mode 0 takes an exclusive lock that every other opener, in this
// process or another, sees: its CreateFileW fails with ERROR_SHARING_VIOLATION while the
// first handle is open.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

// Only regular files open: a folder, FIFO, device or socket gives ERROR_ACCESS_DENIED, at once
// (never waiting on a FIFO). Existing files are reached through links; a file is created only where
// nothing is, never through a link. GENERIC_WRITE on a file without any write permission bit (the
// read-only attribute) gives ERROR_ACCESS_DENIED whoever asks. FILE_ATTRIBUTE_TEMPORARY creates the
// file readable by its owner only. Reading ends at the size the file had when opened (plus what
// this handle wrote). An access of 0 (neither read nor write) opens an existing file only to ask
// about it (GetFileInformationByHandle): no lock is taken, so it succeeds while another process
// holds the file; with FILE_FLAG_BACKUP_SEMANTICS such a handle may name a folder.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped);
// A write past the process's file-size limit fails (ERROR_DISK_FULL) instead of ending the process.
// Pushes what was written to the disk (fsync).
BOOL FlushFileBuffers(HANDLE file);
// Moves the file position (method FILE_BEGIN, FILE_CURRENT or FILE_END); INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
// Cuts (or extends) the file at the current position.
BOOL SetEndOfFile(HANDLE file);
struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime, ftLastAccessTime, ftLastWriteTime;
  DWORD dwVolumeSerialNumber, nFileSizeHigh, nFileSizeLow, nNumberOfLinks, nFileIndexHigh, nFileIndexLow;
};
typedef BY_HANDLE_FILE_INFORMATION* LPBY_HANDLE_FILE_INFORMATION;
// Attributes, size and number of links (names) of an open file; the times are left zero.
BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
// The path of the file itself (links resolved) in the handheld's form. Returns its length without
// the terminator, or the size needed with it when `size` is too small; 0 on failure (with
// ERROR_BAD_PATHNAME when the path holds a backslash, which the handheld's form cannot say).
DWORD GetFinalPathNameByHandleW(HANDLE file, LPWSTR buffer, DWORD size, DWORD flags);
// Puts `replacement` in the place of `replaced` in one step (rename) after giving it the replaced
// file's permissions and, where this process may, its owner and group; then flushes the folder.
// `replaced` is the file itself, not a link to it; `backup` must be null. Fails with
// ERROR_ACCESS_DENIED when `replaced` is read-only or not a regular file.
BOOL ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID);
BOOL CloseHandle(HANDLE object);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL DeleteFileW(LPCWSTR path);
// With MOVEFILE_REPLACE_EXISTING the target is replaced in one step (rename); with
// MOVEFILE_WRITE_THROUGH the folder is flushed before returning.
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
DWORD GetFileAttributesW(LPCWSTR path);

// ---- Modules and libraries ------------------------------------------------------------------
// The full path of a module's file in the handheld's (backslash) form; module null = the
// program. Returns the number of units copied, without the terminator; 0 on failure, with
// ERROR_BAD_PATHNAME for a host path holding a backslash (the handheld's form cannot say it).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
HMODULE GetModuleHandleW(LPCWSTR name);          // name null: the program's own module
// Opens a shared library and calls its exported DllMain(module, DLL_PROCESS_ATTACH, 0);
// fails (null) when the library cannot be opened, is not a regular file (a FIFO is never waited
// on), or DllMain returns FALSE.
HINSTANCE LoadLibraryW(LPCWSTR path);
// Calls DllMain(module, DLL_PROCESS_DETACH, 0), then closes the library.
BOOL FreeLibrary(HMODULE module);
typedef LONG_PTR (*FARPROC)();
FARPROC GetProcAddress(HMODULE module, LPCWSTR procName);
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// ---- Time -----------------------------------------------------------------------------------
struct SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;
// Local time. KALMENO_NOW=YYYY-MM-DDTHH:MM:SS sets the clock at process start; it runs on
// from there. The script command `clock` sets it again (KpSetClock). With a stepped clock (see
// KpUseSteppedClock) it runs only as the stepped clock moves.
void GetLocalTime(LPSYSTEMTIME time);
// 100-nanosecond intervals since 1601-01-01 00:00. Fails (FALSE) for an invalid date or a
// year outside 1601..30827; wDayOfWeek is ignored on input.
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, LPFILETIME fileTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME time);
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
LANGID GetUserDefaultLangID();   // Korean (0x0412) on this handheld
LANGID GetSystemDefaultLangID();

// ---- Processes ------------------------------------------------------------------------------
struct STARTUPINFOW {
  DWORD cb;
  LPWSTR lpReserved, lpDesktop, lpTitle;
  DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute, dwFlags;
  WORD wShowWindow, cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput, hStdOutput, hStdError;
};
typedef STARTUPINFOW* LPSTARTUPINFOW;
struct PROCESS_INFORMATION { HANDLE hProcess; HANDLE hThread; DWORD dwProcessId; DWORD dwThreadId; };
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;
// Starts the program by path, without arguments, and does not wait. The child inherits every
// KALMENO_* variable except KALMENO_SCRIPT; it runs KALMENO_CHILD_SCRIPT instead when set.
// Writes a `spawn` trace line. Fails (FALSE) when the file is missing or not executable.
BOOL CreateProcessW(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation);

// ---- Named mutexes --------------------------------------------------------------------------
// Named mutexes are visible to every process of the user. initialOwner must be TRUE: the caller
// owns the mutex unless another process does, in which case the handle is returned unowned and
// GetLastError() is ERROR_ALREADY_EXISTS. Ownership ends with CloseHandle or with the process,
// however it ends. Null on failure.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCWSTR name);

// ---- Named events ---------------------------------------------------------------------------
// Named events are visible to every process of the user (they live under $XDG_RUNTIME_DIR or /tmp).
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
HANDLE OpenEventW(DWORD access, BOOL inheritHandle, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
#define EVENT_ALL_ACCESS 0x001F0003u
#define SYNCHRONIZE 0x00100000u
#define EVENT_MODIFY_STATE 0x0002u
#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
