// The resources of the Today screen kalmeno-today: its background picture and its menu bar.
#include "kp_resources.h"
#include "windows.h"

#include "host/today_ids.h"

extern const unsigned char kalmeno_today_watermark[];
extern const unsigned long kalmeno_today_watermark_size;

namespace {

const KpImageEntry kImages[] = {
    {IDB_WATERMARK, KP_IMAGE_BITMAP, kalmeno_today_watermark, kalmeno_today_watermark_size},
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
};

const KpModuleResources kTodayResources = {nullptr, 0, kMenus, 1, kStrings, 1, kImages, 1};

}  // namespace

KP_REGISTER_MODULE_RESOURCES(kTodayResources)
