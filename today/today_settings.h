#pragma once
// The item's display settings (kept in the registry, settings_store.h) and the 96-dpi scaling of its
// lengths.
#include "windows.h"

// Every field is a signed 32-bit number; each combo-box field holds the selected index.
struct TodaySettings {
  INT nLunarLine;      // 0: the lunar-date line is shown, 1: hidden
  INT nListCount;      // 0..4: the item shows nListCount + 1 schedule lines
  INT nReminderValue;  // how long before an entry its reminder comes, in nReminderUnit
  INT nReminderUnit;   // 0 none, 1 minutes, 2 hours, 3 days before
  INT nDdayLine;       // 0: the D-day line is shown, 1: hidden
  INT nDdayEntry;      // position of the D-day entry in the data file (0 = first); -1: none
  INT bConfirmed;      // 1 once the user has left the options dialog with Done
};

extern TodaySettings g_settings;

// Sets every field but bConfirmed to its default.
void ApplyDefaults(TodaySettings& settings);
// Brings the settings to their defaults until the user has confirmed the options dialog once.
void ApplyDefaultSettings();
// The item's height in 96-dpi units: 20 per line shown (schedule lines, lunar line, D-day line).
int ItemHeightUnits();
// Pixels for a length in 96-dpi units, rounded half away from zero, at the screen's resolution.
int ScaleX(int units);
int ScaleY(int units);
