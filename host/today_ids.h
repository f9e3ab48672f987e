#pragma once
// Resource and command ids of the Today screen (res/kalmeno_today).
#define IDS_TODAY_TITLE 1
#define IDB_WATERMARK 110
#define IDR_TODAY_MENU 120
#define IDM_OPTIONS 40001
#define IDM_EXIT 40002
