// Events. A named event is a small file in the user's runtime folder (runtime_folder.cpp)
// holding "1" when signalled and "0" when not, so every process of the user sees the same state. It is replaced whole by rename, never rewritten in place, so a
// reader never sees a half-written state. Waiting polls the file. Unnamed events live in memory.
//
// As on the handheld, a named event lives as long as some process holds a handle to it: each
// handle keeps a shared flock() on "<event>.holders", which the system drops when the process
// ends however it ends. The last closer (or the next creator, after a crash) finds no holders
// and removes the state, so a signal never outlives the programs that knew of it. Creating,
// opening and closing run under "<event>.lock", so they never race each other. No file here is
// opened through a link or waited on: what is created is created fresh (O_EXCL), what is opened
// must be a regular file.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void ReleaseNamedEvent(const std::string& file, int holdersFd);

struct EventObject : KpHandleObject {
  EventObject() : KpHandleObject(Event) {}
  ~EventObject() override {
    if (holdersFd >= 0) ReleaseNamedEvent(file, holdersFd);
  }
  std::string file;                 // empty for an unnamed event
  int holdersFd = -1;               // this handle's shared hold on a named event
  bool manualReset = true;
  std::atomic<bool> signalled{false};  // the state of an unnamed event
};

// Holds "<event>.lock" for one create, open or close.
class EventMutex {
 public:
  explicit EventMutex(const std::string& file) {
    m_fd = KpOpenStateFile(file + ".lock");
    if (m_fd >= 0) flock(m_fd, LOCK_EX);
  }
  ~EventMutex() {
    if (m_fd >= 0) close(m_fd);
  }
  EventMutex(const EventMutex&) = delete;
  EventMutex& operator=(const EventMutex&) = delete;
  bool Held() const { return m_fd >= 0; }

 private:
  int m_fd;
};

// Opens a new hold on the event. Sets `alone` when no other handle, in any process, holds it.
int OpenHold(const std::string& file, bool& alone) {
  int fd = KpOpenStateFile(file + ".holders");
  if (fd < 0) return -1;
  alone = flock(fd, LOCK_EX | LOCK_NB) == 0;
  flock(fd, LOCK_SH);  // from exclusive, or joining the other holders
  return fd;
}

bool NobodyHolds(const std::string& file) {
  int fd = open((file + ".holders").c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return true;
  bool alone = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return alone;
}

void ReleaseNamedEvent(const std::string& file, int holdersFd) {
  EventMutex mutex(file);
  close(holdersFd);
  if (NobodyHolds(file)) {
    unlink(file.c_str());
    unlink((file + ".holders").c_str());
  }
}

// Event names may hold any character ("SYSTEM/ShellAPIReady"); the file name escapes all but
// letters, digits, '.', '_' and '-'. Empty when the user has no usable runtime folder.
std::string EventFile(LPCWSTR name) {
  const std::string folder = KpRuntimeFolder();
  if (folder.empty()) return folder;
  std::string utf8 = KpToUtf8(name), file;
  for (unsigned char c : utf8) {
    if (std::isalnum(c) || c == '.' || c == '_' || c == '-') {
      file += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      file += escaped;
    }
  }
  return folder + "/" + file;
}

}  // namespace

std::string KpNamedObjectFile(LPCWSTR name) { return EventFile(name); }

namespace {

std::string StateText(bool signalled) { return signalled ? "1" : "0"; }

// Writes the state into a fresh temporary file; returns its path, or "" on failure.
std::string WriteTemporaryState(const std::string& file, bool signalled) {
  static std::atomic<unsigned> counter{0};
  std::string temporary = file + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
  // A name left by a dead process of the same pid goes first; then only a fresh file will do.
  unlink(temporary.c_str());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return std::string();
  bool ok = KpWriteAll(fd, StateText(signalled).data(), 1);
  close(fd);
  if (!ok) {
    unlink(temporary.c_str());
    return std::string();
  }
  return temporary;
}

bool StoreState(const std::string& file, bool signalled) {
  std::string temporary = WriteTemporaryState(file, signalled);
  if (temporary.empty()) return false;
  if (rename(temporary.c_str(), file.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

// -1 when the event's file is gone, else 0 or 1.
int LoadState(const std::string& file) {
  int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return -1;
  char c = '0';
  ssize_t n = read(fd, &c, 1);
  close(fd);
  return n == 1 && c == '1' ? 1 : 0;
}

bool IsSignalled(EventObject* event) {
  if (event->file.empty()) return event->signalled;
  return LoadState(event->file) == 1;
}

bool SetState(EventObject* event, bool signalled) {
  if (event->file.empty()) {
    event->signalled = signalled;
    return true;
  }
  return StoreState(event->file, signalled);
}

}  // namespace

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  auto* event = new EventObject();
  event->manualReset = manualReset != FALSE;
  if (!name || !*name) {
    event->signalled = initialState != FALSE;
    SetLastError(ERROR_SUCCESS);
    return KpRegisterHandle(event);
  }
  event->file = EventFile(name);
  if (event->file.empty()) {
    delete event;
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  EventMutex mutex(event->file);
  bool alone = false;
  event->holdersFd = mutex.Held() ? OpenHold(event->file, alone) : -1;
  if (event->holdersFd < 0) {
    KpSetLastErrorFromErrno(errno);
    event->file.clear();
    delete event;
    return nullptr;
  }
  // The first holder sets the initial state (replacing whatever a crashed holder left); a later
  // creator opens the event as it is.
  if (alone && !StoreState(event->file, initialState != FALSE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    close(event->holdersFd);  // released here: the destructor would wait for the lock we hold
    event->holdersFd = -1;
    delete event;
    return nullptr;
  }
  HANDLE handle = KpRegisterHandle(event);
  SetLastError(alone ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}

HANDLE OpenEventW(DWORD, BOOL, LPCWSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* event = new EventObject();
  event->file = EventFile(name);
  if (event->file.empty()) {
    delete event;
    SetLastError(ERROR_PATH_NOT_FOUND);
    return nullptr;
  }
  EventMutex mutex(event->file);
  bool alone = false;
  event->holdersFd = mutex.Held() ? OpenHold(event->file, alone) : -1;
  if (event->holdersFd < 0 || alone || LoadState(event->file) < 0) {
    // Nobody holds it: the event does not exist (any state left is a dead holder's).
    if (event->holdersFd >= 0) {
      close(event->holdersFd);
      event->holdersFd = -1;
      unlink(event->file.c_str());
      unlink((event->file + ".holders").c_str());
    }
    delete event;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return KpRegisterHandle(event);
}

BOOL SetEvent(HANDLE handle) {
  auto* event = static_cast<EventObject*>(KpLookupHandle(handle, KpHandleObject::Event));
  if (!event) return FALSE;
  if (!SetState(event, true)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

BOOL ResetEvent(HANDLE handle) {
  auto* event = static_cast<EventObject*>(KpLookupHandle(handle, KpHandleObject::Event));
  if (!event) return FALSE;
  if (!SetState(event, false)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto* event = static_cast<EventObject*>(KpLookupHandle(handle, KpHandleObject::Event));
  if (!event) return WAIT_FAILED;
  DWORD start = GetTickCount();
  for (;;) {
    if (IsSignalled(event)) {
      // An auto-reset event lets one waiter through. Across processes this is not atomic; the
      // system's own users of named events all use manual reset.
      if (!event->manualReset) SetState(event, false);
      return WAIT_OBJECT_0;
    }
    DWORD waited = GetTickCount() - start;
    if (milliseconds != INFINITE && waited >= milliseconds) return WAIT_TIMEOUT;
    DWORD pause = 5;
    if (milliseconds != INFINITE && milliseconds - waited < pause) pause = milliseconds - waited;
    Sleep(pause);
  }
}
