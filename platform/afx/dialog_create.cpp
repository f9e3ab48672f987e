// Making a dialog from its template: the dialog window, its controls with the template font, and
// WM_INITDIALOG, after which the dialog is ready to be shown.
#include <string>

#include "kp_platform.h"
#include "platform/afx/kp_dialog_class.h"
#include "platform/afx/kp_dialog_internal.h"

namespace {

// Rows of the screen above the work area (the title bar of the shell).
constexpr int kTitleBarHeight = 26;

int TemplateIdOf(LPCWSTR templateName) {
  if (!templateName) return -1;
  if (IS_INTRESOURCE(templateName)) return static_cast<int>(reinterpret_cast<ULONG_PTR>(templateName));
  // "#135" and "135" name the numeric resource 135.
  LPCWSTR p = templateName[0] == u'#' ? templateName + 1 : templateName;
  if (!*p) return -1;
  long id = 0;
  for (; *p; ++p) {
    if (*p < u'0' || *p > u'9' || id > 0xFFFF) return -1;
    id = id * 10 + (*p - u'0');
  }
  return static_cast<int>(id);
}

// Where the dialog goes on the screen: template coordinates count from the owner's client origin
// (from the work area's origin without an owner); DS_CENTER centres it in the work area.
POINT TopLevelOrigin(const KpDialogTemplate& dialogTemplate, HWND owner, const RECT& pixels) {
  POINT origin{0, kTitleBarHeight};
  if (owner) ClientToScreen(owner, &origin);
  if (dialogTemplate.style & DS_CENTER) {
    const int workWidth = GetSystemMetrics(SM_CXSCREEN);
    const int workHeight = GetSystemMetrics(SM_CYSCREEN) - 2 * kTitleBarHeight;
    return POINT{(workWidth - (pixels.right - pixels.left)) / 2,
                 kTitleBarHeight + (workHeight - (pixels.bottom - pixels.top)) / 2};
  }
  return POINT{origin.x + pixels.left, origin.y + pixels.top};
}

bool CreateItems(HWND dialog, HINSTANCE instance, const KpDialogTemplate& dialogTemplate, const KpDialogState& state) {
  for (int i = 0; i < dialogTemplate.itemCount; ++i) {
    const KpDialogItem& item = dialogTemplate.items[i];
    RECT r = KpDialogUnitsToPixels(state.baseUnits, item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowExW(item.exStyle, item.className, item.text ? item.text : u"",
                                   item.style | WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                   instance, nullptr);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
  }
  return true;
}

}  // namespace

HWND KpCreateDialogFromTemplate(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                                LPARAM param, bool modal) {
  if (!instance) instance = GetModuleHandleW(nullptr);
  const int id = TemplateIdOf(templateName);
  const KpDialogTemplate* dialogTemplate = id >= 0 ? KpFindDialogTemplate(instance, id) : nullptr;
  if (!dialogTemplate) return nullptr;

  KpDialogState pending;
  pending.templateId = id;
  pending.modal = modal;
  pending.visibleInTemplate = (dialogTemplate->style & WS_VISIBLE) != 0;
  pending.font = KpCreateTemplateFont(*dialogTemplate, &pending.ownsFont);
  pending.baseUnits = KpDialogBaseUnits(pending.font);

  // The template gives the client area; top-level windows here have no frame of their own (the
  // shell draws the caption), so the window is the client area.
  RECT pixels = KpDialogUnitsToPixels(pending.baseUnits, dialogTemplate->x, dialogTemplate->y,
                                      dialogTemplate->cx, dialogTemplate->cy);
  DWORD style = dialogTemplate->style & ~WS_VISIBLE;
  HWND owner = parent;
  POINT at{pixels.left, pixels.top};
  if (!(style & WS_CHILD)) {
    style |= WS_POPUP;
    owner = KpTopLevelOf(parent);
    at = TopLevelOrigin(*dialogTemplate, owner, pixels);
  }
  HWND dialog = CreateWindowExW(dialogTemplate->exStyle, KpDialogClassName(), dialogTemplate->caption ? dialogTemplate->caption : u"",
                                style, at.x, at.y, pixels.right - pixels.left, pixels.bottom - pixels.top,
                                owner, nullptr, instance, &pending);
  KpDialogState* state = dialog ? KpDialogStateOf(dialog) : nullptr;
  if (!state) {
    if (dialog) DestroyWindow(dialog);
    else if (pending.ownsFont) DeleteObject(pending.font);
    return nullptr;
  }
  // Trace lines name a dialog by its template id: "135" rather than the shared class name.
  const std::string idText = std::to_string(id);
  KpSetWindowTraceName(dialog, std::u16string(idText.begin(), idText.end()).c_str());
  state->proc = proc;
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  if (!CreateItems(dialog, instance, *dialogTemplate, *state)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  HWND focus = KpFirstTabStop(dialog);
  if (SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param) && IsWindow(dialog)) {
    // The dialog may have laid its controls out anew while it set itself up: the first control is
    // the first as the user sees them now.
    focus = KpFirstTabStop(dialog);
    SetFocus(focus ? focus : dialog);
  }
  return IsWindow(dialog) ? dialog : nullptr;
}
