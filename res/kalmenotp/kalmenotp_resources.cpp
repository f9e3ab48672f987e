// The resources of the Today plug-in (libKalmenoTP.so): the item window's class name, the options
// dialog and the icons drawn by make_images.py. Linked into the library itself so that they
// register under its module handle.
#include "kp_resources.h"
#include "windows.h"

#define KP_IMAGE(sym) extern const unsigned char kalmenotp_##sym[]; extern const unsigned long kalmenotp_##sym##_size;
KP_IMAGE(icon101_16) KP_IMAGE(icon101_32) KP_IMAGE(icon101_48)
KP_IMAGE(arrow300) KP_IMAGE(arrow301) KP_IMAGE(arrow302)
KP_IMAGE(moon200) KP_IMAGE(moon201) KP_IMAGE(moon202) KP_IMAGE(moon203) KP_IMAGE(moon204)
KP_IMAGE(moon205) KP_IMAGE(moon206) KP_IMAGE(moon207) KP_IMAGE(moon208) KP_IMAGE(moon209)
KP_IMAGE(moon210) KP_IMAGE(moon211) KP_IMAGE(moon212) KP_IMAGE(moon213) KP_IMAGE(moon214)
KP_IMAGE(moon215) KP_IMAGE(moon216) KP_IMAGE(moon217) KP_IMAGE(moon218) KP_IMAGE(moon219)
KP_IMAGE(moon220) KP_IMAGE(moon221) KP_IMAGE(moon222) KP_IMAGE(moon223) KP_IMAGE(moon224)
KP_IMAGE(moon225) KP_IMAGE(moon226) KP_IMAGE(moon227) KP_IMAGE(moon228) KP_IMAGE(moon229)
#undef KP_IMAGE

namespace {

#define ICON(id, sym) {id, KP_IMAGE_ICON, kalmenotp_##sym, kalmenotp_##sym##_size}
const KpImageEntry kImages[] = {
    ICON(101, icon101_16), ICON(101, icon101_32), ICON(101, icon101_48),
    ICON(300, arrow300), ICON(301, arrow301), ICON(302, arrow302),
    ICON(200, moon200), ICON(201, moon201), ICON(202, moon202), ICON(203, moon203), ICON(204, moon204),
    ICON(205, moon205), ICON(206, moon206), ICON(207, moon207), ICON(208, moon208), ICON(209, moon209),
    ICON(210, moon210), ICON(211, moon211), ICON(212, moon212), ICON(213, moon213), ICON(214, moon214),
    ICON(215, moon215), ICON(216, moon216), ICON(217, moon217), ICON(218, moon218), ICON(219, moon219),
    ICON(220, moon220), ICON(221, moon221), ICON(222, moon222), ICON(223, moon223), ICON(224, moon224),
    ICON(225, moon225), ICON(226, moon226), ICON(227, moon227), ICON(228, moon228), ICON(229, moon229),
};
#undef ICON

const KpStringEntry kStrings[] = {
    {1, u"Kalmeno Today Plugin"},
};

constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
// The dialog lays its controls out itself when it is sized; these places only keep the template
// readable in dialog units.
const KpDialogItem kOptionsItems[] = {
    {1001, u"STATIC", SS_CENTER, 0, 0, 8, 185, 12, u"Kalmeno 투데이 플러그인 설정"},
    {1011, u"STATIC", SS_LEFT, 0, 6, 26, 70, 12, u"음력 날짜 표시"},
    {1012, u"STATIC", SS_LEFT, 0, 6, 42, 70, 12, u"다가오는 일정 표시"},
    {1013, u"STATIC", SS_LEFT, 0, 6, 58, 36, 12, u"미리 알림"},
    {1014, u"STATIC", SS_LEFT, 0, 6, 74, 70, 12, u"D-day 표시"},
    {1005, u"COMBOBOX", kCombo, 0, 90, 26, 48, 60, nullptr},
    {1006, u"COMBOBOX", kCombo | CBS_SORT, 0, 90, 42, 48, 60, nullptr},
    {1007, u"EDIT", WS_BORDER | ES_CENTER | ES_NUMBER | WS_TABSTOP, 0, 64, 58, 24, 12, nullptr},
    {1008, u"COMBOBOX", kCombo, 0, 90, 58, 48, 60, nullptr},
    {1009, u"COMBOBOX", kCombo, 0, 90, 74, 48, 60, nullptr},
    {1010, u"COMBOBOX", kCombo, 0, 18, 90, 120, 80, nullptr},
};
const KpDialogTemplate kDialogs[] = {
    {500, DS_SETFONT, 0, u"Dialog", u"MS Shell Dlg", 8, 0, 0, 185, 202, kOptionsItems,
     (int)(sizeof(kOptionsItems) / sizeof(kOptionsItems[0]))},
};

const KpModuleResources kKalmenoTpResources = {
    kDialogs, 1, nullptr, 0, kStrings, 1, kImages, (int)(sizeof(kImages) / sizeof(kImages[0])),
};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kKalmenoTpResources)
