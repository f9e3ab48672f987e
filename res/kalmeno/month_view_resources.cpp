// Resources of the month view: its dialog template, the menu bar, the popup menu, the arrow
// bitmaps, the program's name and icon (images made by make_images.py).
#include "afxres.h"
#include "kp_resources.h"
#include "windows.h"

#include "app/resource_ids.h"

extern const unsigned char kalmeno_img_next_arrow[];
extern const unsigned long kalmeno_img_next_arrow_size;
extern const unsigned char kalmeno_img_prev_arrow[];
extern const unsigned long kalmeno_img_prev_arrow_size;
extern const unsigned char kalmeno_img_icon_16[];
extern const unsigned long kalmeno_img_icon_16_size;
extern const unsigned char kalmeno_img_icon_32[];
extern const unsigned long kalmeno_img_icon_32_size;
extern const unsigned char kalmeno_img_icon_48[];
extern const unsigned long kalmeno_img_icon_48_size;

namespace {

// The title control; the month view places it itself (x 60, y 1, 120 x 20 pixels).
const KpDialogItem kMonthViewItems[] = {
    {IDC_MONTH_TITLE, u"STATIC", SS_CENTER, 0, 40, 1, 75, 12, u"static"},
};

const KpDialogTemplate kDialogs[] = {
    {IDD_KALMENO_DIALOG, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT, WS_EX_CAPTIONOKBTN, u"Kalmeno",
     u"MS Shell Dlg", 9, 0, 0, 155, 210, kMonthViewItems, 1},
};

const KpMenuItem kMenuPopupItems[] = {
    {MF_STRING, ID_ADD_SCHEDULE, u"일정 추가", nullptr, 0},
    {MF_STRING, ID_SCHEDULE_LIST, u"일정 목록", nullptr, 0},
    {MF_SEPARATOR, 0, nullptr, nullptr, 0},
    {MF_STRING | MF_CHECKED, ID_LUNAR_VIEW, u"음력 보기", nullptr, 0},
    {MF_STRING, ID_HOLIDAY_VIEW, u"공휴일 보기", nullptr, 0},
    {MF_STRING, ID_GO_TODAY, u"오늘로 이동", nullptr, 0},
};
const KpMenuItem kProgramPopupItems[] = {
    {MF_STRING, ID_ABOUT, u"정보", nullptr, 0},
    {MF_STRING, IDOK, u"종료", nullptr, 0},
};
const KpMenuItem kMenuBarItems[] = {
    {MF_POPUP, 0, u"메뉴", kMenuPopupItems, 6},
    {MF_POPUP, 0, u"프로그램", kProgramPopupItems, 2},
};

const KpMenuItem kPopupItems[] = {
    {MF_STRING, ID_ADD_SCHEDULE, u"일정 추가", nullptr, 0},
    {MF_STRING, ID_SCHEDULE_LIST, u"일정 목록", nullptr, 0},
    {MF_SEPARATOR, 0, nullptr, nullptr, 0},
    {MF_STRING | MF_CHECKED, ID_LUNAR_VIEW, u"음력 보기", nullptr, 0},
    {MF_STRING, ID_GO_TODAY, u"오늘로 이동", nullptr, 0},
    {MF_STRING, IDOK, u"종료", nullptr, 0},
};
const KpMenuItem kPopupMenu[] = {
    {MF_POPUP, 0, u"팝업메뉴", kPopupItems, 6},
};

const KpMenuTemplate kMenus[] = {
    {IDR_MENUBAR, kMenuBarItems, 2},
    {IDR_POPUP, kPopupMenu, 1},
};

const KpImageEntry kImages[] = {
    {IDB_NEXT_ARROW, KP_IMAGE_BITMAP, kalmeno_img_next_arrow, kalmeno_img_next_arrow_size},
    {IDB_PREV_ARROW, KP_IMAGE_BITMAP, kalmeno_img_prev_arrow, kalmeno_img_prev_arrow_size},
    {IDR_MAINFRAME, KP_IMAGE_ICON, kalmeno_img_icon_16, kalmeno_img_icon_16_size},
    {IDR_MAINFRAME, KP_IMAGE_ICON, kalmeno_img_icon_32, kalmeno_img_icon_32_size},
    {IDR_MAINFRAME, KP_IMAGE_ICON, kalmeno_img_icon_48, kalmeno_img_icon_48_size},
};

// The name the desktop shows for the program (its window title and taskbar entry).
const KpStringEntry kStrings[] = {
    {AFX_IDS_APP_TITLE, u"칼메노"},
};
static_assert(IDR_MAINFRAME == AFX_IDI_STD_FRAME, "the desktop shows the program icon");

const KpModuleResources kMonthViewResources = {
    kDialogs, 1, kMenus, 2, kStrings, 1, kImages, 5,
};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kMonthViewResources)
