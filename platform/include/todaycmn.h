#pragma once
// The Today screen's custom-item interface.
#include "aygshell.h"

enum TODAYLISTITEMTYPE { tlitOwnerInfo = 0, tlitAppointments, tlitMail, tlitTasks, tlitCustom, tlitNil };
#define MAX_ITEMNAME 32
struct TODAYLISTITEM {
  WCHAR szName[MAX_ITEMNAME];
  TODAYLISTITEMTYPE tlit;
  DWORD dwOrder;
  DWORD cyp;             // the item's height in pixels; the item sets it when it is 0
  BOOL fEnabled;
  BOOL fOptions;
  DWORD grflags;
  WCHAR szDLLPath[MAX_PATH];
  HINSTANCE hinstDLL;
  HWND hwndCustom;
  BOOL fSizeOnDraw;
  BYTE* prgbCachedData;
  DWORD cbCachedData;
};
typedef TODAYLISTITEM* LPTODAYLISTITEM;

#define WM_TODAYCUSTOM_CLEARCACHE (WM_USER + 242)
#define WM_TODAYCUSTOM_QUERYREFRESHCACHE (WM_USER + 243)
#define WM_TODAYCUSTOM_RECEIVEDSELECTION (WM_USER + 244)
#define WM_TODAYCUSTOM_LOSTSELECTION (WM_USER + 245)
#define WM_TODAYCUSTOM_USERNAVIGATION (WM_USER + 246)
#define WM_TODAYCUSTOM_ACTION (WM_USER + 247)

#define TODAYM_GETCOLOR (WM_USER + 100)
#define TODAYM_TOOKSELECTION (WM_USER + 101)
#define TODAYM_DRAWWATERMARK (WM_USER + 102)
#define TODAYCOLOR_TEXT 0x10000004
#define TODAYCOLOR_HIGHLIGHT 0x10000022
#define TODAYCOLOR_HIGHLIGHTEDTEXT 0x10000023

struct TODAYDRAWWATERMARKINFO { HDC hdc; RECT rc; HWND hwnd; };

// The dialog resource an item's library provides for its options, which the shell opens.
#define IDD_TODAY_CUSTOM 500

#define ORDINAL_INITIALIZEITEM 240
#define ORDINAL_OPTIONSDIALOGPROC 241
typedef HWND (*PFNCUSTOMINITIALIZEITEM)(TODAYLISTITEM*, HWND);
typedef BOOL (*PFNCUSTOMOPTIONSDLGPROC)(HWND, UINT, UINT, LONG);
// Shared libraries have no ordinals here: the shell finds the two entry points by their names,
// "InitializeCustomItem" and "CustomItemOptionsDlgProc", which the library exports with C linkage.
