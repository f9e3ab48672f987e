// End to end: the Today screen kalmeno-today, the plug-in and the program in their own processes,
// with real files, driven by scripts as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/support/e2e.h"
#include "tests/support/records.h"

namespace {

using e2e::TempDir;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// A registry in its export format, as the installation leaves it.
void WriteRegistry(const TempDir& dir, const std::string& values) {
  WriteText(dir.file("registry.reg"), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n" +
                                          values + "\n");
}

std::string Quoted(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return "\"" + out + "\"";
}

std::string StandardValues(const TempDir& dir, const std::string& exe) {
  return "\"DATA\"=" + Quoted(dir.file("qmrv.dat")) + "\n\"EXE\"=" + Quoted(exe) + "\n\"DLL\"=" +
         Quoted(e2e::Built("today/libKalmenoTP.so")) + "\n";
}

// The Today screen asks its items every `refreshMs` (its own period of 2 s when empty).
e2e::RunResult RunToday(const TempDir& dir, const std::string& script, const std::string& now,
                        const std::string& childScript = "", const std::string& refreshMs = "200") {
  WriteText(dir.file("today.script"), script);
  std::map<std::string, std::string> env = {
      {"KALMENO_NOW", now},
      {"KALMENO_REGISTRY", dir.file("registry.reg")},
      {"KALMENO_TRACE", dir.file("trace.log")},
      {"KALMENO_SCRIPT", dir.file("today.script")},
      {"XDG_RUNTIME_DIR", dir.path()},
  };
  if (!refreshMs.empty()) env["KALMENO_TODAY_REFRESH_MS"] = refreshMs;
  if (!childScript.empty()) {
    WriteText(dir.file("child.script"), childScript);
    env["KALMENO_CHILD_SCRIPT"] = dir.file("child.script");
  }
  return e2e::Run(e2e::Built("host/kalmeno-today"), {}, env, 40000);
}

std::vector<std::string> ItemTexts(const TempDir& dir) {
  return e2e::Texts(e2e::Select(e2e::ReadTrace(dir.file("trace.log")), "text", "Kalmeno Today Plugin"));
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(TodayScreenEndToEnd, DrawsTheDateTheLunarLineAndTheComingEntries) {
  TempDir dir;
  WriteRegistry(dir, StandardValues(dir, "/bin/true"));
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 8, 9, 30, 0, u"주간회의") + Record(2007, 12, 10, 14, 0, 0, u"치과"));
  e2e::RunResult result = RunToday(dir, "wait 1000\nshot " + dir.file("today.png") + "\nquit\n", "2007-12-08T15:00:00");
  ASSERT_FALSE(result.timedOut) << result.output;
  std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
  EXPECT_TRUE(e2e::HasText(trace, "2007년 12월 8일 토요일"));
  std::vector<std::string> texts = ItemTexts(dir);
  EXPECT_TRUE(Contains(texts, "음력 2007년 10월 29일 평달"));
  EXPECT_TRUE(Contains(texts, "오늘(토) 09:30 주간회의"));
  // The item stands under the date line, on the Today screen's picture (not white).
  long pixel = e2e::PixelAt(dir.file("today.png"), 150, 26 + 24 + 30);
  EXPECT_NE(pixel, -1);
  EXPECT_NE(pixel, 0xFFFFFF);
}

TEST(TodayScreenEndToEnd, AtMidnightTheScreenAndTheItemTurnToTheNewDayWithinOneRefresh) {
  TempDir dir;
  WriteRegistry(dir, StandardValues(dir, "/bin/true"));
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 9, 9, 0, 0, u"회의"));
  // The clock is stepped: the first refresh after midnight comes exactly 2 s on.
  RunToday(dir, "clock 2007-12-08T23:59:59\nwait 2100\nquit\n", "2007-12-08T23:59:00", "", "");
  std::vector<std::string> texts = e2e::Texts(e2e::ReadTrace(dir.file("trace.log")));
  auto at = [&](const std::string& text) { return std::find(texts.begin(), texts.end(), text) - texts.begin(); };
  ASSERT_TRUE(Contains(texts, "2007년 12월 9일 일요일"));
  EXPECT_TRUE(Contains(texts, "음력 2007년 10월 30일 평달"));
  EXPECT_TRUE(Contains(texts, "오늘(일) 09:00 회의"));
  EXPECT_LT(at("내일(일) 09:00 회의"), at("오늘(일) 09:00 회의"));
}

TEST(TodayScreenEndToEnd, MissingDataValueIsReportedOnceWhileItStaysMissing) {
  TempDir dir;
  WriteRegistry(dir, "\"EXE\"=\"/bin/true\"\n\"DLL\"=" + Quoted(e2e::Built("today/libKalmenoTP.so")) + "\n");
  // The first message opens while the item is made; the refresh queries go on meanwhile and after.
  RunToday(dir, "wait 1500\nanswer\nwait 1500\nquit\n", "2007-12-08T15:00:00");
  std::vector<e2e::TraceLine> boxes = e2e::Select(e2e::ReadTrace(dir.file("trace.log")), "msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].fields.back(), "Data 파일의 경로정보가 존재하지 않습니다.");
}

TEST(TodayScreenEndToEnd, PluginThatFailsToLoadLeavesALineAndTheScreenWorking) {
  TempDir dir;
  WriteText(dir.file("registry.reg"),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Broken]\n\"DLL\"=" +
                Quoted(dir.file("missing.so")) + "\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n" +
                StandardValues(dir, "/bin/true") + "\n");
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 9, 9, 0, 0, u"회의"));
  e2e::RunResult result = RunToday(dir, "wait 1000\ncommand 40002\n", "2007-12-08T15:00:00");
  std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
  EXPECT_TRUE(e2e::HasText(trace, "Broken 항목을 불러오지 못했습니다.")) << result.output;
  EXPECT_TRUE(Contains(ItemTexts(dir), "내일(일) 09:00 회의"));
  std::vector<e2e::TraceLine> exits = e2e::Select(trace, "exit");
  ASSERT_FALSE(exits.empty());
  EXPECT_EQ(exits.back().fields[0], "0") << "종료 ends the Today screen normally";
}

TEST(TodayScreenEndToEnd, TapStartsKalmenoWhoseNewEntryTheItemShowsAfterItExits) {
  std::string kalmeno = e2e::Built("app/kalmeno");
  if (!e2e::Exists(kalmeno)) GTEST_SKIP() << "the program is not built";
  TempDir dir;
  // The program keeps its data beside itself: a copy of it in the test folder.
  std::string exe = dir.file("kalmeno");
  e2e::WriteBytes(exe, e2e::ReadBytes(kalmeno));
  chmod(exe.c_str(), 0755);
  WriteRegistry(dir, StandardValues(dir, exe));
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 20, 9, 0, 0, u"기존일정"));
  std::string child =
      "wait 500\ncommand 32794\nwait 300\nset 1011 새일정\nset 1005 2007-12-09\nset 1007 10:15:00\n"
      "command 1\nwait 300\nanswer\nwait 300\ncommand 1\n";
  // The Today screen waits for the program to end, then for its refresh (every 200 ms) to read
  // the file again.
  RunToday(dir, "wait 800\ntap 100 70\nwait until trace kalmeno exit 0\nwait 600\nquit\n", "2007-12-08T15:00:00",
           child);
  std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
  std::vector<e2e::TraceLine> spawns = e2e::Select(trace, "spawn");
  ASSERT_EQ(spawns.size(), 1u);
  EXPECT_NE(spawns[0].fields[0].find("kalmeno"), std::string::npos);
  EXPECT_TRUE(Contains(ItemTexts(dir), "내일(일) 10:15 새일정"));
}

// `make run` installs into ~/.local/share/kalmeno: with a home folder of 40 characters the paths
// are well past what the item once read, and install all the same; the item shows the data file.
TEST(KalmenoInstall, AHomeFolderOfFortyCharactersInstallsAndTheItemReadsItsPaths) {
  TempDir dir;
  std::string home = dir.path() + "/home";
  while (home.size() < 40) home += "-h";
  const std::string prefix = home + "/.local/share/kalmeno";
  std::filesystem::create_directories(prefix);
  for (const char* file : {"kalmeno", "libKalmenoTP.so", "kalmeno-today"}) e2e::WriteBytes(prefix + "/" + file, "x");
  e2e::WriteBytes(prefix + "/qmrv.dat", Record(2007, 12, 9, 9, 0, 0, u"긴경로"));
  e2e::RunResult result = e2e::Run(e2e::Built("host/kalmeno-install"), {prefix},
                                   {{"KALMENO_REGISTRY", dir.file("registry.reg")}, {"XDG_DATA_HOME", home + "/.local/share"}});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  // The item of the real build, loaded by the Today screen, reads DATA as installed.
  std::string registry = e2e::ReadBytes(dir.file("registry.reg"));
  const std::string dll = "\"DLL\"=";
  registry.replace(registry.find(dll), registry.find('\n', registry.find(dll)) - registry.find(dll),
                   dll + Quoted(e2e::Built("today/libKalmenoTP.so")));
  e2e::WriteBytes(dir.file("registry.reg"), registry);
  RunToday(dir, "wait 1000\nquit\n", "2007-12-08T15:00:00");
  EXPECT_TRUE(Contains(ItemTexts(dir), "내일(일) 09:00 긴경로"));
}

TEST(KalmenoInstall, WritesTheThreeValuesForAnInstalledFolder) {
  TempDir dir;
  for (const char* file : {"kalmeno", "libKalmenoTP.so", "kalmeno-today"}) e2e::WriteBytes(dir.file(file), "x");
  e2e::RunResult result = e2e::Run(e2e::Built("host/kalmeno-install"), {dir.path()},
                                   {{"KALMENO_REGISTRY", dir.file("registry.reg")}, {"XDG_DATA_HOME", dir.file("data")}});
  ASSERT_EQ(result.exitCode, 0) << result.output;
  std::string registry = e2e::ReadBytes(dir.file("registry.reg"));
  EXPECT_NE(registry.find("Today\\Items\\Kalmeno]"), std::string::npos) << registry;
  for (const char* value : {"\"DATA\"", "\"EXE\"", "\"DLL\""})
    EXPECT_NE(registry.find(value), std::string::npos) << registry;
  EXPECT_NE(registry.find("qmrv.dat"), std::string::npos);
}

// The options dialog's D-day list, opened on a file of seven entries (room enough for it on the
// screen below the list's box, but not above the menu bar), stays between the title bar and the
// menu bar: no row is hidden under the menu bar.
TEST(TodayScreenEndToEnd, TheDdayDropDownListOpensClearOfTheMenuBar) {
  TempDir dir;
  std::string records;
  for (int day = 1; day <= 7; ++day) records += Record(2007, 12, day, 9, 0, 0, u"일정");
  e2e::WriteBytes(dir.file("qmrv.dat"), records);
  WriteRegistry(dir, StandardValues(dir, "/bin/true"));
  RunToday(dir, "wait 800\ncommand 40001\nwait 300\ntap 130 181\nwait 300\nquit\n", "2007-12-08T15:00:00");
  const auto lists = e2e::Select(e2e::ReadTrace(dir.file("trace.log")), "window", "KpComboList");
  ASSERT_FALSE(lists.empty()) << "the list opened";
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_EQ(std::sscanf(lists.back().fields.at(1).c_str(), "%d,%d,%d,%d", &left, &top, &right, &bottom), 4);
  EXPECT_GE(top, 26) << "below the title bar";
  EXPECT_LE(bottom, 320 - 26) << "above the menu bar";
}

}  // namespace
