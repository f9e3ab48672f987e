#pragma once
// One copy of the program per data file. The claim is named after the identity of the data file
// beside the program (what qmrv.dat resolves to), so a second start on the same file, by whatever
// path, finds the first copy's claim, asks it to come forward and ends before it reads or writes
// anything.
#include "windows.h"

// Claims this program's data file for this process. Returns the claim (held until the process
// ends), or null: with the last error ERROR_ALREADY_EXISTS when another copy holds it (that copy
// has then been asked to come forward), any other when no claim could be made at all.
HANDLE ClaimOnlyCopy();

// A tool that writes the data file of the program at `programPath` (its handheld path, as the
// program's own GetModuleFileNameW gives it) claims it the same way, so that neither writes while
// the other works on it. Returns the claim, or null while that program runs (nothing is asked of it).
HANDLE ClaimDataFileOfProgram(LPCWSTR programPath);

// The running copy's side: an event that a later start sets. The window that owns it checks it
// every kComeForwardCheckMs and comes forward when it is set.
HANDLE CreateComeForwardEvent();
constexpr UINT kComeForwardCheckMs = 250;
constexpr UINT_PTR kComeForwardTimer = 1;
