// The trace hook: one line per event appended to $KALMENO_TRACE. Each line goes out in a single
// write() on an O_APPEND descriptor, so several processes can share one trace file without
// their lines interleaving.
#include "kp_platform.h"
#include "platform/core/kp_core_internal.h"

#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

std::mutex& TraceMutex() {
  static std::mutex mutex;
  return mutex;
}

// A tab or line break inside a field would split the line; they are written as \t, \n, \r.
void AppendField(std::string& line, const char* field) {
  for (const char* p = field ? field : ""; *p; ++p) {
    switch (*p) {
      case '\t': line += "\\t"; break;
      case '\n': line += "\\n"; break;
      case '\r': line += "\\r"; break;
      default: line += *p;
    }
  }
}

}  // namespace

void KpTrace(const char* kind, const char* const* fields, int fieldCount) {
  const char* path = std::getenv("KALMENO_TRACE");
  if (!path || !*path) return;
  std::string line = KpProgramName();
  line += '\t';
  AppendField(line, kind);
  for (int i = 0; i < fieldCount; ++i) {
    line += '\t';
    AppendField(line, fields[i]);
  }
  line += '\n';
  // Opened for each line: a test may point the variable elsewhere, or remove the file, between
  // two events, and tracing is far from hot enough for the open to matter.
  std::lock_guard<std::mutex> lock(TraceMutex());
  KpReportOversizeWritesAsErrors();
  int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  ssize_t written = write(fd, line.data(), line.size());
  close(fd);
  (void)written;  // a lost trace line must never disturb the program
}

void KpTrace(const char* kind, const char* field0) {
  const char* fields[] = {field0};
  KpTrace(kind, fields, 1);
}

void KpTrace(const char* kind, const char* field0, const char* field1) {
  const char* fields[] = {field0, field1};
  KpTrace(kind, fields, 2);
}

void KpTrace(const char* kind, const char* field0, const char* field1, const char* field2) {
  const char* fields[] = {field0, field1, field2};
  KpTrace(kind, fields, 3);
}

void KpQuitNow(int code) {
  std::string text = std::to_string(code);
  KpTrace("exit", text.c_str());
  _exit(code);
}
