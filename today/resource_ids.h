#pragma once
// Resource and control identifiers of the Today plug-in, shared by its sources and its resource
// table (res/kalmenotp).
#include "todaycmn.h"

// Strings.
#define IDS_ITEM_CLASS 1           // the item window's class name

// Icons: the item's own, the 30 moon phases (lunar days 1..30 from IDI_MOON_FIRST on) and the
// markers of the item's lines.
#define IDI_ITEM 101
#define IDI_MOON_FIRST 200
#define MOON_PHASES 30
#define IDI_NEXT_MARKER 300
#define IDI_FIRST_MARKER 301
#define IDI_DDAY_MARKER 302

// The options dialog: the shell opens it by the number it reserves for an item's options.
#define IDD_OPTIONS IDD_TODAY_CUSTOM

// Controls of the options dialog.
#define IDC_HEADING 1001
#define IDC_LUNAR_LINE 1005
#define IDC_LIST_COUNT 1006
#define IDC_REMINDER_VALUE 1007
#define IDC_REMINDER_UNIT 1008
#define IDC_DDAY_LINE 1009
#define IDC_DDAY_ENTRY 1010
#define IDC_LUNAR_LABEL 1011
#define IDC_LIST_LABEL 1012
#define IDC_REMINDER_LABEL 1013
#define IDC_DDAY_LABEL 1014
#define IDC_HOLIDAY_MARKS 1015
