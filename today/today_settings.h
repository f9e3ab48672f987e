#pragma once
// The item's display settings (TodaySettings in the model, kept in the registry by
// settings_store.h) and the 96-dpi scaling of its lengths.
#include "today/today_state.h"

// Sets every field but bConfirmed to its default.
void ApplyDefaults(TodaySettings& settings);
// Brings the settings to their defaults until the user has confirmed the options dialog once.
void ApplyDefaultSettings();
// The item's height in 96-dpi units: 20 per line shown (schedule lines, lunar line, D-day line).
int ItemHeightUnits();
// Pixels for a length in 96-dpi units, rounded half away from zero, at the screen's resolution.
int ScaleX(int units);
int ScaleY(int units);
