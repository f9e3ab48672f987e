// The folder where the programs keep their running state (which copy runs, the shell's events),
// as another local user or a broken session may leave it. Kalmeno runs as user nobody with a
// /tmp of its own (a private mount namespace), where "another user" (root here) has prepared the
// places it looks in. It starts from a folder of its own and nothing is written through what was
// planted; when no folder can be had it says so and ends with status 1.
#include <gtest/gtest.h>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

const std::string kOld = Record(2007, 12, 24, 18, 0, 0, u"성탄 전야");
const char* const kNoFolder = "실행 중인 Kalmeno를 확인할 폴더를 쓸 수 없어 시작하지 않습니다.";

struct FolderCase {
  const char* what;
  // Shell commands run as root in the private /tmp before Kalmeno starts ($D is the test folder).
  const char* prepare;
  const char* runtimeDir;   // XDG_RUNTIME_DIR, "" for unset
  bool starts;              // a month view, an entry added and saved; else the message and status 1
};

const FolderCase kCases[] = {
    {"another user's kalmeno-events-<uid> in /tmp is not used",
     "mkdir -m 777 /tmp/kalmeno-events-65534", "", true},
    {"a link in its place, to another user's folder, is not followed",
     "mkdir -m 777 /tmp/theirs && ln -s /tmp/theirs /tmp/kalmeno-events-65534", "", true},
    {"the user's own folder that others may write is not used",
     "mkdir -m 777 /tmp/kalmeno-events-65534 && chown 65534:65534 /tmp/kalmeno-events-65534", "", true},
    {"XDG_RUNTIME_DIR a plain file",
     "echo x > \"$D/runtime\" && chmod 644 \"$D/runtime\"", "runtime", true},
    {"XDG_RUNTIME_DIR in a folder that is missing", "true", "missing/runtime", true},
    {"no folder at all: the message box, a line on stderr, status 1",
     "mkdir -m 777 /tmp/kalmeno-events-65534 && echo x > \"$D/.cache\" && echo x > \"$D/runtime\" && "
     "chmod 644 \"$D/.cache\" \"$D/runtime\"",
     "runtime", false},
};

// The folder of the leak checker's suppressions, when a sanitizer build names one: the program run
// inside the private /tmp must still read it.
std::string SuppressionsFolder() {
  const char* options = std::getenv("LSAN_OPTIONS");
  if (!options) return "";
  const std::string text = options;
  const size_t at = text.find("suppressions=");
  if (at == std::string::npos) return "";
  const std::string file = text.substr(at + 13, text.find(':', at) - (at + 13));
  return file.substr(0, file.rfind('/'));
}

std::string CannotRunHere() {
  if (geteuid() != 0) return "needs root for a private mount namespace and to run as user nobody";
  for (const char* tool : {"/usr/bin/unshare", "/usr/bin/setpriv"})
    if (access(tool, X_OK) != 0) return std::string("needs ") + tool;
  if (e2e::Run("/usr/bin/unshare", {"-m", "true"}, {}).exitCode != 0) return "cannot make a mount namespace here";
  if (e2e::Run("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "/bin/sh", "-c",
                                    "test -r '" + e2e::Built("platform/libkplatform.so") + "'"}, {}).exitCode != 0)
    return "user nobody cannot read the build folder";
  return "";
}

TEST(BadInputRuntimeFolder, AFolderThatIsNotTheUsersAloneIsNeverUsedAndNoneAtAllIsSaid) {
  if (std::string why = CannotRunHere(); !why.empty()) GTEST_SKIP() << why;
  for (const FolderCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Kalmeno k;
    e2e::WriteBytes(k.dataFile, kOld);
    const std::string script = c.starts ? "command 32794\nset 1011 첫째\ncommand 1\nanswer\ncommand 1\nwait 1000\n"
                                        : "wait until trace msgbox\nanswer\nwait 1000\n";
    e2e::WriteBytes(k.dir.file("script.txt"), script);
    e2e::WriteBytes(k.trace, "");
    for (const std::string& path : {k.dir.path(), k.trace, k.dataFile}) chmod(path.c_str(), 0777);
    chmod(k.dir.file("script.txt").c_str(), 0644);
    // The test folder, the platform library and the leak checker's suppressions (a checkout under
    // /tmp, too) are reached again inside the new /tmp: the old /tmp is held on /mnt (of this
    // namespace only) while the new one is mounted, then each is bound back to its own path.
    const std::string runtime = *c.runtimeDir ? k.dir.file(c.runtimeDir) : "";
    const std::string inside =
        std::string("mount --bind /tmp /mnt && mount -t tmpfs -o mode=1777 tmpfs /tmp && "
                    "for p in \"$D\" \"$L\" \"$S\"; do case \"$p\" in /tmp/*) "
                    "mkdir -p \"$p\" && mount --bind \"/mnt/${p#/tmp/}\" \"$p\";; esac; done && ") +
        c.prepare + " && exec setpriv --reuid=65534 --regid=65534 --clear-groups env -u TMPDIR " +
        (runtime.empty() ? "-u XDG_RUNTIME_DIR " : "XDG_RUNTIME_DIR=\"" + runtime + "\" ") + "HOME=\"$D\" \"$D/kalmeno\"; " +
        "echo cannot start; exit 99";
    k.result = e2e::Run("/usr/bin/unshare", {"-m", "/bin/sh", "-c", inside},
                        {{"D", k.dir.path()},
                         {"L", e2e::Built("platform")},
                         {"S", SuppressionsFolder()},
                         {"KALMENO_NOW", "2007-12-08T10:00:00"},
                         {"KALMENO_SCRIPT", k.dir.file("script.txt")},
                         {"KALMENO_TRACE", k.trace},
                         {"KALMENO_REGISTRY", k.dir.file("registry.reg")}});
    ASSERT_FALSE(k.result.timedOut) << k.result.output;
    k.lines = e2e::ReadTrace(k.trace);
    const std::string saved = e2e::ReadBytes(k.dataFile);
    if (c.starts) {
      EXPECT_EQ(k.result.exitCode, 0) << k.result.output;
      EXPECT_FALSE(e2e::Select(k.lines, "window").empty()) << "the month view was shown";
      EXPECT_EQ(saved.size(), 2 * 98u) << "the entry added was saved";
    } else {
      EXPECT_EQ(k.result.exitCode, 1) << k.result.output;
      EXPECT_EQ(MessageBoxTexts(k.lines), std::vector<std::string>{kNoFolder});
      EXPECT_NE(k.result.output.find(kNoFolder), std::string::npos) << k.result.output;
      EXPECT_EQ(saved, kOld);
    }
  }
}

}  // namespace
