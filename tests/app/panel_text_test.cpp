// The schedule panel's texts for an entry: time with the half-day word, options, page, date.
#include <gtest/gtest.h>

#include "app/panel_text.h"
#include "kp_platform.h"

namespace {

ScheduleEntry At(int hour, int minute, int flags = 0) {
  ScheduleEntry e{};
  e.wHour = static_cast<WORD>(hour);
  e.wMinute = static_cast<WORD>(minute);
  e.wFlags = static_cast<WORD>(flags);
  return e;
}

std::string Utf8(const CString& s) { return KpToUtf8(s.GetString()); }

TEST(PanelText, HoursUpToTwelveAreMorningAndLaterOnesAfternoonMinusTwelve) {
  EXPECT_EQ(Utf8(PanelTimeText(At(12, 30))), "오전 12시30분");
  EXPECT_EQ(Utf8(PanelTimeText(At(13, 5))), "오후 01시05분");
  EXPECT_EQ(Utf8(PanelTimeText(At(0, 0))), "오전 00시00분");
  EXPECT_EQ(Utf8(PanelTimeText(At(23, 59))), "오후 11시59분");
}

TEST(PanelText, OptionsListTheFlagsInOrderOrSayThereAreNone) {
  EXPECT_EQ(Utf8(PanelOptionText(At(0, 0, SCHEDULE_LUNAR | SCHEDULE_YEARLY | SCHEDULE_HOLIDAY))),
            "[음력,매년,휴일]");
  EXPECT_EQ(Utf8(PanelOptionText(At(0, 0, SCHEDULE_YEARLY))), "[매년]");
  EXPECT_EQ(Utf8(PanelOptionText(At(0, 0, SCHEDULE_HOLIDAY))), "[휴일]");
  EXPECT_EQ(Utf8(PanelOptionText(At(0, 0, SCHEDULE_LUNAR | SCHEDULE_HOLIDAY))), "[음력,휴일]");
  EXPECT_EQ(Utf8(PanelOptionText(At(0, 0))), "[옵션없음]");
}

TEST(PanelText, PageAndDateLines) {
  EXPECT_EQ(Utf8(PanelPageText(3, 5)), "3/5");
  EXPECT_EQ(Utf8(PanelDateText(2006, 8, 24, 7, 1)), "2006년 08월 24일 (음07/01)");
}

}  // namespace
