// The resources of the Today screen kalmeno-today: its background picture, its menu bar, and its
// name and icon on the desktop (the icon of its Kalmeno item).
#include "afxres.h"
#include "kp_resources.h"
#include "windows.h"

#include "host/today_ids.h"

extern const unsigned char kalmeno_today_watermark[];
extern const unsigned long kalmeno_today_watermark_size;
extern const unsigned char kalmeno_today_icon101_16[];
extern const unsigned long kalmeno_today_icon101_16_size;
extern const unsigned char kalmeno_today_icon101_32[];
extern const unsigned long kalmeno_today_icon101_32_size;
extern const unsigned char kalmeno_today_icon101_48[];
extern const unsigned long kalmeno_today_icon101_48_size;

namespace {

const KpImageEntry kImages[] = {
    {IDB_WATERMARK, KP_IMAGE_BITMAP, kalmeno_today_watermark, kalmeno_today_watermark_size},
    {AFX_IDI_STD_FRAME, KP_IMAGE_ICON, kalmeno_today_icon101_16, kalmeno_today_icon101_16_size},
    {AFX_IDI_STD_FRAME, KP_IMAGE_ICON, kalmeno_today_icon101_32, kalmeno_today_icon101_32_size},
    {AFX_IDI_STD_FRAME, KP_IMAGE_ICON, kalmeno_today_icon101_48, kalmeno_today_icon101_48_size},
};

const KpMenuItem kMenuItems[] = {
    {MF_STRING, IDM_OPTIONS, u"설정", nullptr, 0},
    {MF_SEPARATOR, 0, nullptr, nullptr, 0},
    {MF_STRING, IDM_EXIT, u"종료", nullptr, 0},
};
const KpMenuItem kMenuBar[] = {
    {MF_POPUP, 0, u"메뉴", kMenuItems, 3},
};
const KpMenuTemplate kMenus[] = {
    {IDR_TODAY_MENU, kMenuBar, 1},
};

const KpStringEntry kStrings[] = {
    {IDS_TODAY_TITLE, u"투데이"},
    {AFX_IDS_APP_TITLE, u"칼메노 오늘 화면"},
};

const KpModuleResources kTodayResources = {nullptr, 0, kMenus, 1, kStrings, 2, kImages, 4};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kTodayResources)
