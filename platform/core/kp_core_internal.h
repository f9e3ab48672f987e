#pragma once
// Helpers shared by the files of the platform's core half. Not part of the interface.
#include "winbase.h"

#include <string>

// Every object a HANDLE stands for derives from this, so CloseHandle can tell what it closes.
// Live handles are kept in a table: a stale or foreign pointer is refused, never followed.
struct KpHandleObject {
  enum Kind { File, Event, Mutex, Search };
  explicit KpHandleObject(Kind k) : kind(k) {}
  virtual ~KpHandleObject() = default;
  const Kind kind;
};
HANDLE KpRegisterHandle(KpHandleObject* object);
// The object behind a live handle of that kind, else null (and the last error is set).
KpHandleObject* KpLookupHandle(HANDLE handle, KpHandleObject::Kind kind);
// Takes the handle out of the table and returns its object for the caller to delete.
KpHandleObject* KpUnregisterHandle(HANDLE handle);

// The file that stands for a named object (event, mutex) of this user: its name escaped, in the
// user's runtime folder. The caller adds its own suffix.
std::string KpNamedObjectFile(LPCWSTR name);

// Sets the last error from the C library's errno.
void KpSetLastErrorFromErrno(int err);

// Forgets the resource tables of a module whose library has been closed.
void KpForgetModuleResources(HINSTANCE module);

// Writes every byte (retrying on interruption); false when a write fails.
bool KpWriteAll(int fd, const void* data, size_t size);
// Flushes the folder that holds `hostPath`, so a rename in it survives a power loss.
bool KpSyncParentFolder(const std::string& hostPath);

// The descriptor behind a live file handle, else -1.
int KpFileDescriptor(HANDLE file);
// From the first write on, a write past the file-size limit fails (EFBIG) instead of ending the
// process with SIGXFSZ.
void KpReportOversizeWritesAsErrors();
