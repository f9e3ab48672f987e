#pragma once
// What this stand-in adds to the handheld's interface: start-up of the user-interface half, the
// script and trace hooks, and the screen. Used by the framework, the Today screen host and tests;
// product code does not call these.
#include "windows.h"

// Starts the user-interface half (the desktop window showing the handheld screen). Called once
// by a program's start-up before its first window; later calls do nothing. argv may be null.
void KpInitialize(int argc, char** argv);

// The program name written as the first field of every trace line (the program file's base name).
const char* KpProgramName();

// Appends one tab-separated trace line "<program>\t<kind>\t<fields...>" to $KALMENO_TRACE, if set.
// Fields are UTF-8. Safe to call from any process sharing the file (one write per line, O_APPEND).
void KpTrace(const char* kind, const char* const* fields, int fieldCount);
void KpTrace(const char* kind, const char* field0);
void KpTrace(const char* kind, const char* field0, const char* field1);
void KpTrace(const char* kind, const char* field0, const char* field1, const char* field2);

// The name a window has in trace lines: its dialog template id (set by the dialog manager through
// KpSetWindowTraceName), else its class name.
void KpSetWindowTraceName(HWND window, LPCWSTR name);

// Sets the local clock (the clock then runs on from the new time). The script's `clock` command.
void KpSetClock(const SYSTEMTIME* time);

// A clock for tests. Stepped (KALMENO_CLOCK=stepped at process start, or KpUseSteppedClock; the
// default is KALMENO_CLOCK=real), the
// clock behind GetTickCount, timers, the tap-and-hold time and local time stands still and moves
// only when the process lets time pass: the script's waits (which carry it from one due timer to
// the next), Sleep and KpAdvanceClock. A test then sees a timer fire, a hold be recognised or the
// date change exactly when its waits reach that moment, however loaded the machine is.
void KpUseSteppedClock();
BOOL KpClockIsStepped();
void KpAdvanceClock(DWORD milliseconds);
// The clock behind GetTickCount, in microseconds from an arbitrary start.
long long KpMonotonicMicros();

// Ends the process at once, as a power loss would: no destructors, nothing saved. Writes an
// `exit` trace line with the code first.
[[noreturn]] void KpQuitNow(int code);

// A private message the script runner sends to the control with the id given in `set ID VALUE`:
// lParam is the value text (LPCWSTR). The control applies it through its own input path (as if
// typed, chosen or ticked, notifying its parent as it would then) and returns TRUE, or FALSE when
// the value does not fit the control.
#define KPM_SCRIPT_SET 0x03F0

// Resets the dialog/window manager's notion of the window that script commands address: the active
// top-level window (the most recently shown enabled top-level window).
HWND KpGetActiveTopLevel();

// Adds commands in the script language (lines as in KALMENO_SCRIPT) after those still pending. They
// run like the script's own, each when the queue is idle, through the same input path as a real
// tap; in-process tests drive input with it.
void KpQueueScript(const char* commands);

// UTF-16 <-> UTF-8 helpers for trace lines and file names.
#include <string>
std::string KpToUtf8(LPCWSTR text, int count = -1);
std::u16string KpFromUtf8(const std::string& text);
// The host path for a handheld path (backslashes to slashes), and the other way round.
std::string KpHostPath(LPCWSTR path);
std::u16string KpHandheldPath(const std::string& hostPath);
// Where the registry file lives: $KALMENO_REGISTRY, else $XDG_CONFIG_HOME/kalmeno/registry.reg,
// else ~/.config/kalmeno/registry.reg.
std::string KpRegistryPath();
