#pragma once
// The handheld shell: menu bar, tap-and-hold recogniser, full-screen dialogs.
#include "commctrl.h"

// One-time initialisation of the shell's device-specific controls.
BOOL SHInitExtraControls();

struct SHMENUBARINFO {
  DWORD cbSize; HWND hwndParent; DWORD dwFlags; UINT nToolBarId; HINSTANCE hInstRes; int nBmpId;
  int cBmpImages; HWND hwndMB; COLORREF clrBk;
};
typedef SHMENUBARINFO* PSHMENUBARINFO;
#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010   // nToolBarId names a menu resource
// Creates the menu bar (rows 294..319 of the screen) of hwndParent from a menu resource: each
// top-level popup becomes a button that opens it. The bar answers TB_GETBUTTON: the button's
// dwData is that popup's menu handle, so check marks set there show when the popup opens.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

struct SHRGINFO { DWORD cbSize; HWND hwndClient; POINT ptDown; DWORD dwFlags; };
typedef SHRGINFO* PSHRGINFO;
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define GN_CONTEXTMENU 1000
// A nested loop while the stylus stays down: returns GN_CONTEXTMENU (1000) once it has been held
// still for the hold time (500 ms), 0 when it is lifted (or moves away) first.
DWORD SHRecognizeGesture(SHRGINFO* info);

struct SHINITDLGINFO { DWORD dwMask; HWND hDlg; DWORD dwFlags; };
typedef SHINITDLGINFO* PSHINITDLGINFO;
#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
// Done button: the caption's OK button (sends IDOK); full-screen: the dialog fills the work area.
BOOL SHInitDialog(PSHINITDLGINFO info);

// Notifications: the shell shows a notification to the user without taking the screen from the
// running program. On this desktop it goes to the desktop's notification service; where there is
// none, the shell shows it itself as a bubble over the screen that a tap dismisses. The trace says
// `notify TITLE TEXT` as it goes out, `notified TITLE TEXT` once the desktop has taken it, and
// `bubble TITLE TEXT` when the shell shows it itself.
struct GUID { DWORD Data1; WORD Data2; WORD Data3; BYTE Data4[8]; };
typedef GUID CLSID;
enum SHNP { SHNP_INFORM = 0x1B1, SHNP_ICONIC = 0 };
struct SHNOTIFICATIONDATA {
  DWORD cbStruct;      // sizeof(SHNOTIFICATIONDATA)
  DWORD dwID;          // the caller's number for this notification
  SHNP npPriority;
  DWORD csDuration;    // seconds shown; 0: as long as the desktop chooses
  HICON hicon;
  DWORD grfFlags;
  CLSID clsid;         // the caller's identity
  HWND hwndSink;
  LPCWSTR pszHTML;     // the body, as HTML
  LPCWSTR pszTitle;
  LPARAM lParam;
};
typedef SHNOTIFICATIONDATA* PSHNOTIFICATIONDATA;
// Returns ERROR_SUCCESS once the notification is on its way, without waiting for the desktop;
// E_INVALIDARG for a missing record or one with an unknown size.
#define E_INVALIDARG ((LRESULT)(LONG)0x80070057)
LRESULT SHNotificationAdd(SHNOTIFICATIONDATA* data);
