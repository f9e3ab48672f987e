// The test program's dialog templates.
#include "tests/platform_afx/test_dialogs.h"

#include "kp_resources.h"
#include "windows.h"

namespace {

const KpDialogItem kFormItems[] = {
    {-1, u"STATIC", SS_LEFT, 0, 5, 5, 30, 10, u"이름"},
    {IDC_NAME, u"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 0, 40, 5, 55, 12, u"처음"},
    {IDC_REMIND, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 5, 22, 60, 10, u"알림"},
    {IDC_COUNT, u"EDIT", ES_NUMBER | WS_TABSTOP | WS_BORDER, 0, 40, 36, 30, 12, nullptr},
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 5, 60, 40, 14, u"확인"},
    {IDCANCEL, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 55, 60, 40, 14, u"취소"},
};
const KpDialogItem kInnerItems[] = {
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 30, 40, 14, u"OK"},
};
const KpDialogItem kTextItems[] = {
    {-1, u"STATIC", SS_CENTER, 0, 0, 0, 80, 10, u"하나"},
    {-1, u"STATIC", SS_CENTER, 0, 0, 12, 80, 10, u"둘"},
};
const KpDialogItem kBrokenItems[] = {
    {IDOK, u"BUTTON", BS_PUSHBUTTON, 0, 0, 0, 40, 14, u"OK"},
    {1500, u"NoSuchControlClass", 0, 0, 0, 20, 40, 14, u"?"},
};

const KpDialogTemplate kDialogs[] = {
    {IDD_FORM, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME, 0, u"Form", u"MS Shell Dlg", 8,
     0, 0, 100, 80, kFormItems, 6},
    {IDD_INNER, WS_POPUP | WS_CAPTION | DS_SETFONT, 0, u"Inner", u"MS Shell Dlg", 9, 4, 4, 60, 50, kInnerItems, 1},
    {IDD_TEXTS, WS_POPUP | DS_SETFONT, 0, u"Texts", u"MS Shell Dlg", 8, 0, 0, 80, 24, kTextItems, 2},
    {IDD_CENTRED, WS_POPUP | DS_SETFONT | DS_CENTER, 0, u"Centred", u"Some Face", 8, 0, 0, 80, 40, nullptr, 0},
    {IDD_BROKEN, WS_POPUP | DS_SETFONT, 0, u"Broken", u"MS Shell Dlg", 8, 0, 0, 80, 40, kBrokenItems, 2},
    {IDD_MODELESS, WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, u"Modeless", u"MS Shell Dlg", 8, 0, 0, 80, 40,
     kInnerItems, 1},
};

const KpModuleResources kResources = {kDialogs, 6, nullptr, 0, nullptr, 0, nullptr, 0};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kResources)
