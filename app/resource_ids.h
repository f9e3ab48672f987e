#pragma once
// Resource and command identifiers of the program Kalmeno. The menu bar and the popup menu share
// the command ids, so a command behaves the same whichever menu it came from.

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
#define IDC_TITLE 1000           // the year-and-month title

// Commands.
#define ID_LUNAR_VIEW 32783
#define ID_ABOUT 32784
#define ID_ADD_SCHEDULE 32794
#define ID_SCHEDULE_LIST 32795
#define ID_GO_TODAY 32796
