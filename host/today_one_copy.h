#pragma once
// One Today screen per user. The screen shows what the user's registry lists, so it is named
// after the registry file: a second start finds the first screen's claim, asks it to come forward
// and ends.
#include "windows.h"

// Claims the Today screen for this process. Returns the claim (held until the process ends), or
// null: with the last error ERROR_ALREADY_EXISTS when another screen holds it (that screen has
// then been asked to come forward), any other when no claim could be made (the screen then runs
// without one).
HANDLE ClaimOnlyTodayScreen();

// The running screen's side: an event that a later start sets; the screen checks it every
// kTodayComeForwardCheckMs.
HANDLE CreateTodayComeForwardEvent();
constexpr UINT kTodayComeForwardCheckMs = 250;
