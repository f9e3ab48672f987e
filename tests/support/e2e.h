#pragma once
// End-to-end test helpers: real processes, real files, the script and trace hooks.
#include <map>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace e2e {

// The tests' temporary folder (see temp_dir.h), under the name the end-to-end tests use.
using ::TempDir;

struct RunResult {
  int exitCode = -1;       // the process's exit status, or 128 + signal
  bool timedOut = false;   // killed after the time-out
  std::string output;      // stdout and stderr together
};

// Runs a program with the given environment added to a clean one (PATH, HOME, TMPDIR, XDG_RUNTIME_DIR,
// QT_QPA_PLATFORM=offscreen, and the Qt font settings are carried over), on the stepped clock
// (KALMENO_CLOCK=stepped, see kp_platform.h) unless `env` names another. Waits at most timeoutMs.
RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::map<std::string, std::string>& env, int timeoutMs = 20000);

struct TraceLine {
  std::string program;
  std::string kind;                 // text, msgbox, menu, spawn, paint, window, exit
  std::vector<std::string> fields;  // the fields after the kind
};
std::vector<TraceLine> ReadTrace(const std::string& path);
// The trace lines of one kind (and, when given, whose first field equals `first`).
std::vector<TraceLine> Select(const std::vector<TraceLine>& lines, const std::string& kind,
                              const std::string& first = "");
// The texts (last field) of the `text` lines.
std::vector<std::string> Texts(const std::vector<TraceLine>& lines);
bool HasText(const std::vector<TraceLine>& lines, const std::string& text);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// A pixel of a PNG screenshot as 0xRRGGBB; -1 when the file cannot be read.
long PixelAt(const std::string& pngPath, int x, int y);

// Path of a built program, e.g. Built("app/kalmeno").
std::string Built(const std::string& relative);

// In-process tests: closes this process's desktop window the way the desktop's close button does
// (a close request the window may refuse). Returns false when there is no desktop window.
bool CloseDesktopWindow();

}  // namespace e2e
