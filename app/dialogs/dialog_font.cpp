#include "app/dialogs/dialog_font.h"

BOOL CreateDialogFont(CFont& font, int pixelHeight) {
  LOGFONTW description{};
  if (!::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof(description), &description)) return FALSE;
  if (pixelHeight) {
    description.lfHeight = -pixelHeight;
    description.lfWeight = FW_NORMAL;
  }
  description.lfQuality = CLEARTYPE_QUALITY;
  return font.CreateFontIndirect(&description);
}
