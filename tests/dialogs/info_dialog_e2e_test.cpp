// The About box in the real program: its texts and where its OK button stands.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/app/kalmeno_run.h"

using namespace kalmeno_test;

namespace {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The last place a window of that trace name was shown, moved or sized to.
ScreenRect LastWindowRect(const std::vector<e2e::TraceLine>& lines, const std::string& name) {
  ScreenRect r;
  for (const e2e::TraceLine& line : e2e::Select(lines, "window", name))
    std::sscanf(line.fields[1].c_str(), "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom);
  return r;
}

TEST(InfoDialogE2E, ShowsNameVersionAuthorAndDescription) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 32784", "wait 200", "quit"});
  EXPECT_TRUE(e2e::HasText(k.lines, "Kalmeno Beta 1.0.0.3"));
  EXPECT_TRUE(e2e::HasText(k.lines, "Kalmeno 개발팀"));
  bool description = false;
  for (const std::string& t : e2e::Texts(k.lines)) description = description || t.find("240 × 320") != std::string::npos;
  EXPECT_TRUE(description);
}

TEST(InfoDialogE2E, PointsToTheDocumentationThatTheInstallationPutsBesideTheProgram) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 32784", "wait 200", "quit"});
  EXPECT_TRUE(e2e::HasText(k.lines, "설명서: 프로그램 폴더의 README.md"));
  for (const std::string& t : e2e::Texts(k.lines)) EXPECT_EQ(t.find("://"), std::string::npos) << t;
  e2e::TempDir prefix;
  e2e::RunResult install = e2e::Run("/usr/bin/env", {"cmake", "--install", KP_BUILD_DIR, "--prefix", prefix.path()}, {});
  ASSERT_EQ(install.exitCode, 0) << install.output;
  EXPECT_TRUE(e2e::Exists(prefix.file("README.md")));
  EXPECT_TRUE(e2e::Exists(prefix.file("kalmeno")));
}

TEST(InfoDialogE2E, OkButtonIsCentredEightyPixelsWideFifteenAboveTheBottom) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00", {"wait 100", "command 32784", "wait 200", "quit"});
  const ScreenRect dialog = LastWindowRect(k.lines, "133");
  const ScreenRect ok = LastWindowRect(k.lines, "BUTTON");
  EXPECT_EQ(dialog.right - dialog.left, 240);
  EXPECT_EQ(ok.left - dialog.left, 80);
  EXPECT_EQ(ok.right - dialog.left, 160);
  EXPECT_EQ(dialog.bottom - ok.bottom, 15);
  EXPECT_EQ(ok.bottom - ok.top, 25);
}

TEST(InfoDialogE2E, OkClosesItAndTheMonthViewTakesCommandsAgain) {
  Kalmeno k;
  k.Run("2007-12-08T10:00:00",
        {"wait 100", "command 32784", "wait 100", "command 1", "wait 100", "command 32795", "wait 200", "quit"});
  // "일정 목록" reached the month view: the list dialog opened after the About box had closed.
  EXPECT_FALSE(e2e::Select(k.lines, "window", "133").empty());
  EXPECT_FALSE(e2e::Select(k.lines, "window", "136").empty());
}

}  // namespace
