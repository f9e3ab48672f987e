#pragma once
// Resource, control and command identifiers of the program Kalmeno, shared by its sources and its
// resource templates (res/kalmeno). The menu bar and the popup menu share the command ids, so a
// command behaves the same whichever menu it came from. Control ids need only be unique within
// their own dialog: the month view's title and the About box's version line are both 1000.

// Icons, bitmaps, menus.
#define IDR_MAINFRAME 128        // program icon: a calendar page
#define IDR_MENUBAR 129          // menu bar of the month view
#define IDB_NEXT_ARROW 131       // next-month button: two 54 x 20 images (normal, pressed)
#define IDB_PREV_ARROW 132       // previous-month button: two 54 x 20 images (normal, pressed)
#define IDR_POPUP 134            // tap-and-hold popup menu of the month view

// Dialog templates.
#define IDD_KALMENO_DIALOG 102   // the month view
#define IDD_INFO 133             // About
#define IDD_ADD 135              // add an entry
#define IDD_LIST 136             // list and delete entries

// Controls of the month view.
#define IDC_MONTH_TITLE 1000     // the year-and-month title

// Controls of the About box.
#define IDC_VERSION 1000
#define IDC_APP_ICON 1014
#define IDC_AUTHOR 1015
#define IDC_WEB_ADDRESS 1016
#define IDC_DESCRIPTION 1017

// Controls of the add dialog.
#define IDC_DATE 1005
#define IDC_CALENDAR_KIND 1006
#define IDC_TIME 1007
#define IDC_HOLIDAY 1008
#define IDC_YEARLY 1009
#define IDC_MEMO 1010
#define IDC_TITLE 1011

// Controls of the list dialog.
#define IDC_SCHEDULE_LIST 1012
#define IDC_DELETE 1013

// Commands.
#define ID_LUNAR_VIEW 32783
#define ID_ABOUT 32784
#define ID_ADD_SCHEDULE 32794
#define ID_SCHEDULE_LIST 32795
#define ID_GO_TODAY 32796
#define ID_HOLIDAY_VIEW 32797
