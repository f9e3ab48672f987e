#pragma once
// Reminders: the item tells the user of a coming entry the chosen time before it starts, through
// the shell's notifications.
#include "today/today_settings.h"
#include "today/today_state.h"

// The reminder interval the settings ask for, in minutes ("일 전" counts whole days back from the
// entry's time); 0 when reminders are off ("사용안함", or a value of 0 or less).
long long ReminderMinutes(const TodaySettings& settings);

// Announces every coming occurrence whose reminder time (its date at the entry's hour and minute,
// less the interval) has come and which has not started yet, once per occurrence while the
// library stays loaded (the model keeps what was announced). Called after each refresh query.
// Only the occurrences inside the interval are looked at, and only once a minute while the cache
// is not rebuilt, so a refresh with nothing due costs next to nothing.
void AnnounceDueReminders();
