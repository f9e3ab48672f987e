#pragma once
// The dialogs' fonts are all made from the platform's system font description.
#include "afxwin.h"

// The system font with ClearType quality; when pixelHeight is nonzero, also that character height
// (as a negative lfHeight) and normal weight. Returns FALSE if the font could not be made.
BOOL CreateDialogFont(CFont& font, int pixelHeight);
