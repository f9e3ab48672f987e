#pragma once
// The input method manager: what a window that shows text being composed (Korean syllables
// built from their letters) asks of the input method, and tells it.
#include "windef.h"

typedef HANDLE HIMC;

// WM_IME_COMPOSITION's lParam: which strings changed.
#define GCS_COMPSTR 0x0008     // the text being composed, not yet part of the text
#define GCS_RESULTSTR 0x0800   // the text the input method has committed
// COMPOSITIONFORM's dwStyle.
#define CFS_DEFAULT 0x0000
#define CFS_RECT 0x0001
#define CFS_POINT 0x0002

struct COMPOSITIONFORM {
  DWORD dwStyle;
  POINT ptCurrentPos;   // client coordinates: where the composed text is drawn
  RECT rcArea;          // with CFS_RECT: the caret's rectangle, client coordinates
};

// The window's input context; release it with ImmReleaseContext.
HIMC ImmGetContext(HWND window);
BOOL ImmReleaseContext(HWND window, HIMC context);
// Copies the string (GCS_COMPSTR or GCS_RESULTSTR) without a terminator; returns its size in
// bytes. A null buffer or a size of 0 only asks the size; a smaller buffer gets what fits.
LONG ImmGetCompositionStringW(HIMC context, DWORD index, LPVOID buffer, DWORD bufferBytes);
// Tells the input method where the window draws the composed text, so that its own windows (the
// candidate list) open there.
BOOL ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form);
