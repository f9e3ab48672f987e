#include "tests/support/e2e.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::map<std::string, std::string>& env, int timeoutMs) {
  RunResult result;
  std::map<std::string, std::string> full;
  for (const char* keep : {"PATH", "HOME", "TMPDIR", "XDG_RUNTIME_DIR", "LANG", "QT_QPA_FONTDIR", "LD_LIBRARY_PATH",
                           "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* v = std::getenv(keep)) full[keep] = v;
  }
  full["QT_QPA_PLATFORM"] = "offscreen";
  // Time moves only as the script's waits move it, so that a loaded machine cannot make a
  // timer, a hold or a refresh come early or late; a test that needs the real clock says so.
  full["KALMENO_CLOCK"] = "stepped";
  for (const auto& [k, v] : env) full[k] = v;
  std::vector<std::string> envStrings;
  for (const auto& [k, v] : full) envStrings.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argStrings) argv.push_back(s.data());
  argv.push_back(nullptr);

  std::string outName = TemporaryFilesFolder() + "/kalmeno-out.XXXXXX";
  std::vector<char> outTemplate(outName.begin(), outName.end());
  outTemplate.push_back('\0');
  int outFd = mkstemp(outTemplate.data());
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, outFd, 2);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    close(outFd);
    unlink(outTemplate.data());
    result.output = "cannot start " + program;
    return result;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  close(outFd);
  result.output = ReadBytes(outTemplate.data());
  unlink(outTemplate.data());
  return result;
}

std::vector<TraceLine> ReadTrace(const std::string& path) {
  std::vector<TraceLine> lines;
  std::istringstream in(ReadBytes(path));
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
      size_t tab = line.find('\t', start);
      parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (parts.size() < 2) continue;
    TraceLine t;
    t.program = parts[0];
    t.kind = parts[1];
    t.fields.assign(parts.begin() + 2, parts.end());
    lines.push_back(std::move(t));
  }
  return lines;
}

std::vector<TraceLine> Select(const std::vector<TraceLine>& lines, const std::string& kind,
                              const std::string& first) {
  std::vector<TraceLine> out;
  for (const auto& l : lines)
    if (l.kind == kind && (first.empty() || (!l.fields.empty() && l.fields[0] == first))) out.push_back(l);
  return out;
}

std::vector<std::string> Texts(const std::vector<TraceLine>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.kind == "text" && !l.fields.empty()) out.push_back(l.fields.back());
  return out;
}

bool HasText(const std::vector<TraceLine>& lines, const std::string& text) {
  for (const auto& t : Texts(lines))
    if (t == text) return true;
  return false;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

long PixelAt(const std::string& pngPath, int x, int y) {
  QImage image(QString::fromStdString(pngPath));
  if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
  return static_cast<long>(image.pixel(x, y) & 0xFFFFFF);
}

std::string Built(const std::string& relative) { return std::string(KP_BUILD_DIR) + "/" + relative; }

bool CloseDesktopWindow() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return false;
  bool found = false;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) {
      w->close();
      found = true;
    }
  return found;
}

}  // namespace e2e
