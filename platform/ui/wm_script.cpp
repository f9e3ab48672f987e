// The script runner (KALMENO_SCRIPT): one command per line, run in order once the first window
// is shown, each when the message queue is idle — so commands also run inside nested loops
// (a modal dialog, a message box, a popup menu, the tap-and-hold recogniser). Taps go through the
// same input path as the desktop window's mouse. Besides the commands every program's tests use,
// `type TEXT` (the rest of the line, as typed or committed by an input method) and `key VK` (a key
// pressed and released; `key shift VK` with Shift held) go to the focus window the way the desktop
// window's keyboard does; `compose TEXT` /
// `commit TEXT` the way the desktop's input method does (a syllable being composed, then the one
// committed); `close` is the desktop window's close button.
//
// `wait MS` lets time pass; `wait until window NAME` (a window of that class or dialog id is
// shown) and `wait until trace TEXT` (a line of the trace file, from any process, contains TEXT,
// its tabs read as spaces: "kalmeno exit 0")
// hold the script until something happens, however long it takes; the test's own time limit ends
// a wait for something that never comes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

#include "kp_platform.h"
#include "platform/ui/wm_internal.h"

namespace kpwm {
namespace {

struct Command {
  int line = 0;
  std::string verb;
  std::vector<std::string> args;  // the words after the verb
  std::string rest;               // everything after the verb's first argument (set's value)
};

bool IsCondition(const Command& c) { return c.verb == "wait" && !c.args.empty() && c.args[0] == "until"; }

std::deque<Command> g_pending;
bool g_started = false;
Clock::time_point g_notBefore{};

void Complain(const Command& c, const std::string& what) {
  std::fprintf(stderr, "%s: script line %d (%s): %s\n", KpProgramName(), c.line, c.verb.c_str(), what.c_str());
}

bool ParseInt(const std::string& text, long* value) {
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && end && *end == 0;
}

bool ParsePoint(const Command& c, QPoint* p) {
  long x = 0, y = 0;
  if (c.args.size() != 2 || !ParseInt(c.args[0], &x) || !ParseInt(c.args[1], &y)) {
    Complain(c, "expected X Y");
    return false;
  }
  *p = QPoint(static_cast<int>(x), static_cast<int>(y));
  return true;
}

Window* FindDescendantWithId(Window* w, long id) {
  for (Window* c : w->children) {
    if (c->id == id) return c;
    if (Window* found = FindDescendantWithId(c, id)) return found;
  }
  return nullptr;
}

Window* TopmostMessageBox() {
  const auto& tops = TopLevels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if ((*it)->role == Role::MessageBox) return *it;
  return nullptr;
}

bool ShownWindowNamed(const std::vector<Window*>& windows, const std::string& name) {
  for (Window* w : windows)
    if ((IsVisibleOnScreen(w) && NameOf(w) == name) || ShownWindowNamed(w->children, name)) return true;
  return false;
}

bool TraceHasLineWith(const std::string& text) {
  const char* path = std::getenv("KALMENO_TRACE");
  if (!path || !*path) return false;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::replace(line.begin(), line.end(), '\t', ' ');
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

// Whether what `wait until` waits for has happened. A condition that cannot be understood never
// holds (and is reported once, when the script is read).
bool ConditionHolds(const Command& c) {
  if (c.args.size() >= 3 && c.args[1] == "window") return ShownWindowNamed(TopLevels(), c.args[2]);
  if (c.args.size() >= 3 && c.args[1] == "trace") return TraceHasLineWith(c.rest);
  return false;
}

void RunSet(const Command& c) {
  long id = 0;
  if (c.args.empty() || !ParseInt(c.args[0], &id)) return Complain(c, "expected set ID VALUE");
  Window* active = ActiveTopLevel();
  Window* control = active ? FindDescendantWithId(active, id) : nullptr;
  if (!control) return Complain(c, "no control with id " + c.args[0] + " in the active window");
  std::u16string value = KpFromUtf8(c.rest);
  if (!SendMessageW(Handle(control), KPM_SCRIPT_SET, 0, reinterpret_cast<LPARAM>(value.c_str())))
    Complain(c, "control " + c.args[0] + " refused the value \"" + c.rest + "\"");
}

void RunClock(const Command& c) {
  SYSTEMTIME t{};
  int year, month, day, hour, minute, second;
  char end = 0;
  if (c.args.size() != 1 ||
      std::sscanf(c.args[0].c_str(), "%d-%d-%dT%d:%d:%d%c", &year, &month, &day, &hour, &minute, &second, &end) != 6)
    return Complain(c, "expected YYYY-MM-DDTHH:MM:SS");
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  KpSetClock(&t);
}

void Run(const Command& c) {
  QPoint p;
  long number = 0;
  if (c.verb == "tap") {
    if (!ParsePoint(c, &p)) return;
    StylusDown(p);
    g_pending.push_front(Command{c.line, "up", c.args, ""});
  } else if (c.verb == "down") {
    if (ParsePoint(c, &p)) StylusDown(p);
  } else if (c.verb == "up") {
    if (ParsePoint(c, &p)) StylusUp(p);
  } else if (c.verb == "hold") {
    if (!ParsePoint(c, &p)) return;
    // Past the tap-and-hold time (500 ms), with every loop still pumping meanwhile.
    StylusDown(p);
    g_pending.push_front(Command{c.line, "up", c.args, ""});
    g_notBefore = Clock::now() + std::chrono::milliseconds(600);
  } else if (c.verb == "command") {
    if (c.args.size() != 1 || !ParseInt(c.args[0], &number)) return Complain(c, "expected command ID");
    Window* active = ActiveTopLevel();
    if (!active) return Complain(c, "no active window");
    PostMessageW(Handle(active), WM_COMMAND, MAKEWPARAM(number, 0), 0);
  } else if (c.verb == "set") {
    RunSet(c);
  } else if (c.verb == "answer") {
    Window* box = TopmostMessageBox();
    if (!box) return Complain(c, "no message box is open");
    PostMessageW(Handle(box), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  } else if (IsCondition(c)) {
    // Reached only once the condition holds: nothing left to do.
  } else if (c.verb == "wait") {
    if (c.args.size() != 1 || !ParseInt(c.args[0], &number) || number < 0) return Complain(c, "expected wait MS");
    g_notBefore = Clock::now() + std::chrono::milliseconds(number);
  } else if (c.verb == "clock") {
    RunClock(c);
  } else if (c.verb == "shot") {
    if (c.args.size() != 1) return Complain(c, "expected shot FILE.png");
    if (!ComposeScreen().save(QString::fromStdString(c.args[0]), "PNG")) Complain(c, "cannot write " + c.args[0]);
  } else if (c.verb == "type") {
    // Text as the keyboard or an input method delivers it: one WM_CHAR per UTF-16 unit.
    TypeText(KpFromUtf8(c.rest));
  } else if (c.verb == "compose") {
    // An input method composing the rest of the line (a Korean syllable being built).
    InputMethodText(KpFromUtf8(c.rest), u"");
  } else if (c.verb == "commit") {
    // An input method committing the rest of the line, ending the composition.
    InputMethodText(u"", KpFromUtf8(c.rest));
  } else if (c.verb == "key") {
    // A key pressed and released, with Shift held around it for "key shift VK".
    const bool shift = c.args.size() == 2 && c.args[0] == "shift";
    if (c.args.size() != (shift ? 2u : 1u) || !ParseInt(c.args.back(), &number) || number <= 0 || number > 0xFE)
      return Complain(c, "expected key VK or key shift VK (a virtual-key number)");
    if (shift) KeyDown(VK_SHIFT);
    KeyDown(static_cast<int>(number));
    KeyUp(static_cast<int>(number));
    if (shift) KeyUp(VK_SHIFT);
  } else if (c.verb == "close") {
    RequestClose();
  } else if (c.verb == "quit") {
    KpQuitNow(0);
  } else {
    Complain(c, "unknown command");
  }
}

std::deque<Command> ParseScript(std::istream& in) {
  std::deque<Command> commands;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    // A set value is taken as written, spaces and '#' included ("set 1011  " types one space).
    const std::string raw = text;
    if (auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    std::istringstream words(text);
    Command c;
    c.line = line;
    if (!(words >> c.verb)) continue;
    for (std::string word; words >> word;) c.args.push_back(word);
    if (c.verb == "set" && !c.args.empty()) {
      // The value is the rest of the line after one separator, spaces included.
      size_t at = raw.find(c.args[0], raw.find("set") + 3) + c.args[0].size();
      if (at < raw.size() && (raw[at] == ' ' || raw[at] == '\t')) ++at;
      c.rest = raw.substr(std::min(at, raw.size()));
    } else if (c.verb == "type" || c.verb == "compose" || c.verb == "commit") {
      size_t at = text.find(c.verb) + c.verb.size();
      if (at < text.size()) ++at;   // the one separating space; the rest is the text
      c.rest = text.substr(std::min(at, text.size()));
    } else if (IsCondition(c)) {
      if (c.args.size() < 3 || (c.args[1] != "window" && c.args[1] != "trace")) {
        Complain(c, "expected wait until window NAME, or wait until trace TEXT");
      } else if (c.args[1] == "trace") {
        size_t at = text.find("trace", text.find("until")) + 5;
        if (at < text.size()) ++at;
        c.rest = text.substr(std::min(at, text.size()));
      }
    }
    commands.push_back(std::move(c));
  }
  return commands;
}

}  // namespace

void StartScriptOnce() {
  if (g_started) return;
  g_started = true;
  const char* path = std::getenv("KALMENO_SCRIPT");
  if (!path || !*path) return;
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read the script %s\n", KpProgramName(), path);
    return;
  }
  std::deque<Command> commands = ParseScript(in);
  g_pending.insert(g_pending.begin(), commands.begin(), commands.end());
}

bool RunScriptStep() {
  if (g_pending.empty() || Clock::now() < g_notBefore) return false;
  if (IsCondition(g_pending.front()) && !ConditionHolds(g_pending.front())) return false;
  // Taken off the list before it runs: a command may start a nested loop that runs the next ones.
  Command c = std::move(g_pending.front());
  g_pending.pop_front();
  Run(c);
  return true;
}

Clock::time_point ScriptDeadline() {
  if (g_pending.empty()) return Forever();
  // A condition is looked at again every 10 ms.
  if (IsCondition(g_pending.front())) return std::max(g_notBefore, Clock::now() + std::chrono::milliseconds(10));
  return g_notBefore;
}

Clock::time_point ScriptWaitEnd() {
  if (g_pending.empty() || Clock::now() >= g_notBefore) return Forever();
  return g_notBefore;
}

}  // namespace kpwm

void KpQueueScript(const char* commands) {
  if (!commands) return;
  std::istringstream in(commands);
  std::deque<kpwm::Command> parsed = kpwm::ParseScript(in);
  kpwm::g_pending.insert(kpwm::g_pending.end(), parsed.begin(), parsed.end());
}
