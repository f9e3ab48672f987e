#pragma once
// The item's display settings kept in the registry under the item's key, so that what the user
// chose in the options dialog (the reminders among it) survives a restart of the Today screen.

// Reads the settings into g_settings. A value that is missing, not a number or outside its range
// takes its default; when none is there, the settings stay unconfirmed and take the defaults.
void LoadSettings();
// Writes g_settings under the item's key (creating the key when it is missing). Returns false when
// the registry could not be written; the settings in memory stay as they are.
bool SaveSettings();
