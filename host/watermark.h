#pragma once
// The Today screen's background picture, shared by the screen and every item drawn on it.
#include "windows.h"

// Draws the part of the picture that lies under `rect` of `window` (a Today item or the screen
// itself) into `dc`, whose origin is that window's client origin.
void DrawWatermark(HWND today, HDC dc, const RECT& rect, HWND window);
// Releases the picture.
void ReleaseWatermark();
