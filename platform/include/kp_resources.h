#pragma once
// Module resources: each module (the program, a library) carries its own dialog templates, menus,
// strings, bitmaps and icons, found by numeric id from its module handle. A module lists them in
// one KpModuleResources table and registers it with KP_REGISTER_MODULE_RESOURCES(table) in one of
// its source files; the table is then found by the module handle (the module's load address).
#include "windef.h"

struct KpDialogItem {
  int id;                  // control id (-1 for static texts with no id)
  LPCWSTR className;       // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "SysListView32", "SysDateTimePick32"
  DWORD style;             // WS_CHILD | WS_VISIBLE are added by the dialog manager
  DWORD exStyle;
  short x, y, cx, cy;      // dialog units
  LPCWSTR text;            // initial text, or null
};
struct KpDialogTemplate {
  int id;
  DWORD style;
  DWORD exStyle;
  LPCWSTR caption;
  LPCWSTR fontFace;
  int pointSize;
  short x, y, cx, cy;      // dialog units
  const KpDialogItem* items;
  int itemCount;
};
// A menu resource: a tree of items. Popups carry children; a separator has id 0 and MF_SEPARATOR.
struct KpMenuItem {
  UINT flags;              // MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED
  int id;
  LPCWSTR text;
  const KpMenuItem* children;
  int childCount;
};
struct KpMenuTemplate { int id; const KpMenuItem* items; int itemCount; };
struct KpStringEntry { int id; LPCWSTR text; };
// An image resource: PNG or BMP bytes. An icon may have several entries of one id, one per size.
enum KpImageKind { KP_IMAGE_BITMAP = 0, KP_IMAGE_ICON = 1 };
struct KpImageEntry { int id; KpImageKind kind; const unsigned char* data; unsigned long size; };

struct KpModuleResources {
  const KpDialogTemplate* dialogs; int dialogCount;
  const KpMenuTemplate* menus; int menuCount;
  const KpStringEntry* strings; int stringCount;
  const KpImageEntry* images; int imageCount;
};

// Registers a table for the module that contains `addressInModule`. A module may register several
// tables (one per source file, say); lookups search every table of the module.
void KpRegisterModuleResources(const KpModuleResources* table, const void* addressInModule);
const KpStringEntry* KpFindString(HINSTANCE module, int id);
// Every image entry of that id and kind (several sizes of one icon), in registration order.
int KpFindImages(HINSTANCE module, int id, KpImageKind kind, const KpImageEntry** out, int max);
const KpDialogTemplate* KpFindDialogTemplate(HINSTANCE module, int id);
const KpMenuTemplate* KpFindMenuTemplate(HINSTANCE module, int id);
// The module handle (load address) of the module containing the address.
HINSTANCE KpModuleOfAddress(const void* address);

#define KP_REGISTER_MODULE_RESOURCES(table)                                              \
  namespace {                                                                            \
  struct KpResourceRegistrar {                                                           \
    KpResourceRegistrar() { KpRegisterModuleResources(&(table), &(table)); }             \
  } kpResourceRegistrar;                                                                 \
  }
