// The resources of the Today plug-in (libKalmenoTP.so): the item window's class name, the options
// dialog and the icons drawn by make_images.py. Linked into the library itself so that they
// register under its module handle.
#include "kp_resources.h"
#include "today/resource_ids.h"
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
// Moon phase n (two digits) is the image moon2nn; "1" n - 100 reads "08" as eight, not as octal.
#define MOON(n) ICON(IDI_MOON_FIRST + 1##n - 100, moon2##n)
const KpImageEntry kImages[] = {
    ICON(IDI_ITEM, icon101_16), ICON(IDI_ITEM, icon101_32), ICON(IDI_ITEM, icon101_48),
    ICON(IDI_NEXT_MARKER, arrow300), ICON(IDI_FIRST_MARKER, arrow301), ICON(IDI_DDAY_MARKER, arrow302),
    MOON(00), MOON(01), MOON(02), MOON(03), MOON(04), MOON(05), MOON(06), MOON(07), MOON(08), MOON(09),
    MOON(10), MOON(11), MOON(12), MOON(13), MOON(14), MOON(15), MOON(16), MOON(17), MOON(18), MOON(19),
    MOON(20), MOON(21), MOON(22), MOON(23), MOON(24), MOON(25), MOON(26), MOON(27), MOON(28), MOON(29),
};
#undef MOON
#undef ICON

const KpStringEntry kStrings[] = {
    {IDS_ITEM_CLASS, u"Kalmeno Today Plugin"},
};

constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
// The dialog lays its controls out itself when it is sized; these places only keep the template
// readable in dialog units.
const KpDialogItem kOptionsItems[] = {
    {IDC_HEADING, u"STATIC", SS_CENTER, 0, 0, 8, 185, 12, u"Kalmeno 투데이 플러그인 설정"},
    {IDC_LUNAR_LABEL, u"STATIC", SS_LEFT, 0, 6, 26, 70, 12, u"음력 날짜 표시"},
    {IDC_LIST_LABEL, u"STATIC", SS_LEFT, 0, 6, 42, 70, 12, u"다가오는 일정 표시"},
    {IDC_REMINDER_LABEL, u"STATIC", SS_LEFT, 0, 6, 58, 36, 12, u"미리 알림"},
    {IDC_DDAY_LABEL, u"STATIC", SS_LEFT, 0, 6, 74, 70, 12, u"D-day 표시"},
    {IDC_LUNAR_LINE, u"COMBOBOX", kCombo, 0, 90, 26, 48, 60, nullptr},
    {IDC_LIST_COUNT, u"COMBOBOX", kCombo | CBS_SORT, 0, 90, 42, 48, 60, nullptr},
    {IDC_REMINDER_VALUE, u"EDIT", WS_BORDER | ES_CENTER | ES_NUMBER | WS_TABSTOP, 0, 64, 58, 24, 12, nullptr},
    {IDC_REMINDER_UNIT, u"COMBOBOX", kCombo, 0, 90, 58, 48, 60, nullptr},
    {IDC_DDAY_LINE, u"COMBOBOX", kCombo, 0, 90, 74, 48, 60, nullptr},
    {IDC_DDAY_ENTRY, u"COMBOBOX", kCombo, 0, 18, 90, 120, 80, nullptr},
    {IDC_HOLIDAY_MARKS, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 6, 106, 132, 12, u"공휴일·절기 표시"},
};
const KpDialogTemplate kDialogs[] = {
    {IDD_OPTIONS, DS_SETFONT, 0, u"Dialog", u"MS Shell Dlg", 8, 0, 0, 185, 202, kOptionsItems,
     (int)(sizeof(kOptionsItems) / sizeof(kOptionsItems[0]))},
};

const KpModuleResources kKalmenoTpResources = {
    kDialogs, 1, nullptr, 0, kStrings, 1, kImages, (int)(sizeof(kImages) / sizeof(kImages[0])),
};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kKalmenoTpResources)
