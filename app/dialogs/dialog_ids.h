#pragma once
// Resource ids of the program's three secondary dialogs and their controls, shared by the dialog
// classes' sources and their templates (res/kalmeno/dialog_templates.cpp). The dialog headers do
// not include it: the month view numbers its own controls (its title is control 1000 there), and
// the two sets must not meet in one source file.

#define IDD_INFO 133   // About
#define IDD_ADD 135    // add an entry
#define IDD_LIST 136   // list and delete entries

#define IDC_VERSION 1000
#define IDC_DATE 1005
#define IDC_CALENDAR_KIND 1006
#define IDC_TIME 1007
#define IDC_HOLIDAY 1008
#define IDC_YEARLY 1009
#define IDC_MEMO 1010
#define IDC_TITLE 1011
#define IDC_SCHEDULE_LIST 1012
#define IDC_DELETE 1013
#define IDC_APP_ICON 1014
#define IDC_AUTHOR 1015
#define IDC_WEB_ADDRESS 1016
#define IDC_DESCRIPTION 1017

// The program's icon, shown by the About box.
#ifndef IDR_MAINFRAME
#define IDR_MAINFRAME 128
#endif
