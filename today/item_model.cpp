// The plug-in's one model (see today_state.h).
#include "today/today_state.h"

TodayItemModel g_item;
