#pragma once
// Helpers for the window manager's in-process tests: a window class that records every message it
// gets, expected-sequence tables, and a message pump with a time limit.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "windows.h"

namespace wmtest {

struct Seen {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A row of an expected table. Pointer and handle parameters that differ from run to run are
// not compared (kAny).
constexpr LONG_PTR kAny = static_cast<LONG_PTR>(0x7AFE7AFE);
struct Expected {
  UINT message;
  LONG_PTR wParam;
  LONG_PTR lParam;
  HWND window = nullptr;  // null: any window
};

// The class "Recorder": records into Log(); hooks may answer a message (return true with result).
// Its background is white, whichever test of the process registers it first.
using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
void RegisterRecorderClass();
std::vector<Seen>& Log();
void SetHook(Hook hook);
// Only the messages a window gets from the window manager (not the tests' own bookkeeping).
std::vector<Seen> Relevant(const std::vector<Seen>& log);

// Compares and prints actual against expected on failure; `what` names the table.
::testing::AssertionResult SameSequence(const std::vector<Seen>& actual, const std::vector<Expected>& expected);

// Dispatches messages, letting the stepped clock these tests run on move a millisecond at a time,
// until done(); returns done(). Gives up after `patienceMs` of real time, a guard against a hang
// and no measure of anything.
bool PumpUntil(const std::function<bool()>& done, int patienceMs = 20000);
// Dispatches messages until the queue is idle (nothing posted, nothing to paint).
void PumpIdle();

std::string MessageName(UINT message);

}  // namespace wmtest
