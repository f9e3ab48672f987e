// Dialog templates of the program's secondary dialogs: About, add and list.
// Positions are in dialog units and only where the controls start: each dialog lays itself out
// in pixels when it is sized.
#include "app/resource_ids.h"
#include "commctrl.h"
#include "kp_resources.h"
#include "windows.h"

namespace {

constexpr DWORD kDialogStyle = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The title bar's OK button sends IDOK, like each dialog's own OK button.
constexpr DWORD kDialogExStyle = WS_EX_CAPTIONOKBTN;

// Tab order is the order of the rows: OK first, the title last.
const KpDialogItem kAddItems[] = {
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 11, 100, 50, 13, u"확인"},
    {IDCANCEL, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 66, 100, 50, 13, u"취소"},
    {IDC_DATE, DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP, 0, 11, 25, 63, 11, nullptr},
    {IDC_CALENDAR_KIND, u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 79, 24, 37, 60, nullptr},
    {IDC_TIME, DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP, 0, 64, 42, 53, 11, nullptr},
    // The check boxes are only as big as the box; the dialog paints their labels.
    {IDC_HOLIDAY, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 64, 59, 8, 9, u"휴일로 지정"},
    {IDC_YEARLY, u"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 21, 59, 8, 9, u"매년 반복"},
    {IDC_MEMO, u"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 0,
     11, 73, 106, 21, nullptr},
    {IDC_TITLE, u"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 31, 8, 86, 10, nullptr},
};

const KpDialogItem kListItems[] = {
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 123, 4, 25, 14, u"확인"},
    {IDC_SCHEDULE_LIST, WC_LISTVIEWW, LVS_REPORT | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP, 0, 0, 21, 151, 169,
     nullptr},
    {IDC_DELETE, u"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 94, 4, 25, 14, u"Button1"},
};

const KpDialogItem kInfoItems[] = {
    {IDOK, u"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 60, 162, 60, 18, u"확인"},
    {IDC_APP_ICON, u"STATIC", SS_ICON, 0, 22, 21, 24, 23, u"#128"},
    {IDC_VERSION, u"STATIC", SS_LEFT, 0, 54, 21, 104, 13, u"Kalmeno Beta 1.0.0.3"},
    {IDC_AUTHOR, u"STATIC", SS_LEFT, 0, 54, 34, 104, 14, u"Kalmeno 개발팀"},
    {IDC_WEB_ADDRESS, u"STATIC", SS_CENTER, 0, 0, 144, 180, 11, u"설명서: 프로그램 폴더의 README.md"},
    {IDC_DESCRIPTION, u"STATIC", SS_LEFT, 0, 22, 55, 135, 85,
     u"이 프로그램은 Kalmeno 프로젝트의 휴대기기 화면(세로 240 × 320)에서 돌아가도록 만들었으며, "
     u"그 화면에서 가장 잘 보입니다. 누구나 자유롭게 내려받아 쓸 수 있습니다. "
     u"쓰는 법은 아래 설명서에 있습니다."},
};

template <size_t N>
constexpr int CountOf(const KpDialogItem (&)[N]) {
  return static_cast<int>(N);
}

const KpDialogTemplate kDialogs[] = {
    {IDD_INFO, kDialogStyle, kDialogExStyle, u"Dialog", u"MS Shell Dlg", 8, 0, 0, 180, 190, kInfoItems,
     CountOf(kInfoItems)},
    {IDD_ADD, kDialogStyle, kDialogExStyle, u"Dialog", u"MS Shell Dlg", 8, 0, 0, 127, 157, kAddItems,
     CountOf(kAddItems)},
    {IDD_LIST, kDialogStyle, kDialogExStyle, u"Dialog", u"MS Shell Dlg", 8, 0, 0, 151, 190, kListItems,
     CountOf(kListItems)},
};

const KpModuleResources kDialogResources = {kDialogs, 3, nullptr, 0, nullptr, 0, nullptr, 0};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kDialogResources)
