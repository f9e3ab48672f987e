#pragma once
// What the dialog manager keeps about each dialog window, shared by its files (creation from a
// template, the dialog class's window procedure, the modal loop, the item functions).
#include <vector>

#include "kp_resources.h"
#include "windows.h"

struct KpDialogState {
  DLGPROC proc = nullptr;      // null until creation is over: the procedure never sees WM_CREATE
  HFONT font = nullptr;        // the template font; the system font when the template has none
  bool ownsFont = false;       // created from the template, deleted with the window
  SIZE baseUnits{};            // horizontal and vertical dialog base units of that font, in pixels
  int templateId = 0;
  bool modal = false;
  bool visibleInTemplate = false;  // a modeless dialog is shown after WM_INITDIALOG
  bool ended = false;          // EndDialog was called
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;  // the owner a modal run disabled, re-enabled by EndDialog
  HWND savedFocus = nullptr;     // the control that had the focus when a dialog above it opened
};

// The state of a dialog window, or null for any other window.
KpDialogState* KpDialogStateOf(HWND dialog);

// The horizontal (cx) and vertical (cy) base units of a font as the platform computes them: the
// average width of the 52 Latin letters, rounded, and the character cell height.
SIZE KpDialogBaseUnits(HFONT font);
// The font a template asks for: the handheld's dialog face names stand for the system font.
// Sets *owned when a new font was created (the caller deletes it); null *owned: the system font.
HFONT KpCreateTemplateFont(const KpDialogTemplate& dialogTemplate, bool* owned);
// value * numerator / denominator, rounded to the nearest.
int KpMulDiv(int value, int numerator, int denominator);
// Dialog units to pixels with the given base units (x and width by cx/4, y and height by cy/8).
RECT KpDialogUnitsToPixels(SIZE baseUnits, int x, int y, int cx, int cy);

// Creates a dialog from the template `templateName` of `instance` (a numeric resource id), runs
// its creation up to and including WM_INITDIALOG, and returns it hidden; null when the template
// is missing or a window cannot be made.
HWND KpCreateDialogFromTemplate(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                                LPARAM param, bool modal);

// The top-level window a window belongs to (itself when it is one).
HWND KpTopLevelOf(HWND window);
// The visible, enabled controls with WS_TABSTOP in the order Tab visits them: row by row from the
// top, left to right within a row.
std::vector<HWND> KpTabStops(HWND dialog);
// The first of them; null when none.
HWND KpFirstTabStop(HWND dialog);

// Functions run by modal loops when their queue is empty (the framework frees temporary wrapper
// objects there).
void KpAddIdleHandler(void (*handler)());
void KpRunIdleHandlers();
