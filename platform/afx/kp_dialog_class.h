#pragma once
// The window class of dialogs, registered on first use.
#include "windows.h"

// Registers "Dialog" once and returns its name.
LPCWSTR KpDialogClassName();
