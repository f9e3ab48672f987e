#pragma once
// The Today screen's window: the date line at the top, then the Today items from the registry.
#include "windows.h"

// Creates the screen with its menu bar, loads the items and signals "SYSTEM/ShellAPIReady".
// Returns null when the window cannot be made.
HWND CreateTodayScreen();
// Unloads the items and releases what the screen holds.
void CloseTodayScreen();
