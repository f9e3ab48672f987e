// The item's registry values as a broken or hand-edited installation may leave them: DATA
// missing, empty, or longer than the platform's path length (259 units and the terminator); EXE naming nothing it can start.
#include <gtest/gtest.h>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/app/kalmeno_run.h"
#include "tests/hardening/bad_input_today.h"

using namespace bad_input;

namespace {

const char* const kNoPath = "Data 파일의 경로정보가 존재하지 않습니다.";

std::string Dll() { return "\"DLL\"=" + Quoted(e2e::Built("today/libKalmenoTP.so")) + "\n"; }

// A path in the test folder exactly `length` bytes long (ASCII, so as many characters).
std::string PathOfLength(const e2e::TempDir& dir, size_t length) {
  std::string path = dir.path() + "/";
  EXPECT_LT(path.size() + 4, length) << "the temporary folder's name is too long for this test";
  path += std::string(length - path.size() - 4, 'd') + ".dat";
  return path;
}

TEST(BadInputRegistry, EmptyDataValueIsReportedAsAMissingPath) {
  e2e::TempDir dir;
  WriteItemRegistry(dir, "\"DATA\"=\"\"\n\"EXE\"=\"/bin/true\"\n" + Dll());
  const TodayRun run = RunToday(dir, "2007-12-08T15:00:00", {"wait 1000", "answer", "wait 600", "quit"});
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].fields.back(), kNoPath);
  EXPECT_TRUE(Contains(run.itemTexts, "음력 2007년 10월 29일 평달")) << "the item stays";
}

TEST(BadInputRegistry, PathsOfTheFullPathLengthAreReadAndLongerOnesReportedAsMissing) {
  e2e::TempDir dir;
  const std::string fits = PathOfLength(dir, 259);
  const std::string tooLong = PathOfLength(dir, 260);
  e2e::WriteBytes(fits, Record(2007, 12, 9, 9, 0, 0, u"이백쉰아홉"));
  e2e::WriteBytes(tooLong, Record(2007, 12, 9, 9, 0, 0, u"이백예순"));
  // A program at a path of the full length: a tap on the item starts it.
  const std::string program = PathOfLength(dir, 259).substr(0, 255) + ".exe";
  ASSERT_EQ(symlink("/bin/true", program.c_str()), 0);

  WriteItemRegistry(dir, ItemValues(fits, program));
  TodayRun run = RunToday(dir, "2007-12-08T15:00:00", {"wait 1000", "tap 100 70", "wait 600", "quit"});
  EXPECT_TRUE(run.boxes.empty()) << run.result.output;
  EXPECT_TRUE(Contains(run.itemTexts, "내일(일) 09:00 이백쉰아홉"));
  bool spawned = false;
  for (const e2e::TraceLine& line : run.trace)
    spawned = spawned || (line.kind == "spawn" && line.fields.at(0) == program);
  EXPECT_TRUE(spawned) << "the tap starts the program at its full path";

  WriteItemRegistry(dir, ItemValues(tooLong, "/bin/true"));
  run = RunToday(dir, "2007-12-08T15:00:00", {"wait 1000", "answer", "wait 600", "quit"});
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].fields.back(), kNoPath);
  for (const std::string& text : run.itemTexts) EXPECT_EQ(text.find("이백예순"), std::string::npos) << text;
  // Not a shortened path either: nothing was created at the first 259 characters.
  EXPECT_FALSE(e2e::Exists(tooLong.substr(0, 259)));
}

// The options chosen under 메뉴 › 설정 are there again when the Today screen starts next (after a
// login, say), reminders included.
TEST(BadInputRegistry, OptionsChosenOnceAreKeptAcrossARestartOfTheTodayScreen) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 9, 9, 0, 0, u"회의") + Record(2007, 12, 10, 18, 0, 0, u"저녁"));
  WriteItemRegistry(dir, ItemValues(dir.file("qmrv.dat"), "/bin/true"));
  const std::vector<std::string> choose = {"wait 800",   "command 40001", "wait 300", "set 1005 1", "set 1006 1",
                                           "set 1009 0", "set 1007 30",   "set 1008 1", "command 1",  "wait 600",
                                           "quit"};
  TodayRun run = RunToday(dir, "2007-12-08T15:00:00", choose);
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  std::remove(dir.file("today-trace.log").c_str());

  // A clock past the first entry's reminder time: the kept 30 분 전 announces it at once.
  run = RunToday(dir, "2007-12-09T08:45:00", {"wait 1500", "quit"});
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  EXPECT_TRUE(run.boxes.empty()) << run.result.output;
  EXPECT_FALSE(Contains(run.itemTexts, "음력 2007년 10월 30일 평달")) << "the lunar line stays hidden";
  EXPECT_TRUE(Contains(run.itemTexts, "오늘(일) 09:00 회의"));
  EXPECT_TRUE(Contains(run.itemTexts, "내일(월) 18:00 저녁")) << "two schedule lines";
  EXPECT_TRUE(Contains(run.itemTexts, "회의이(가) 오늘입니다.")) << "the D-day line is shown";
  const std::vector<e2e::TraceLine> bubbles = e2e::Select(run.trace, "bubble");
  ASSERT_EQ(bubbles.size(), 1u) << "the reminder of 30 minutes is on";
  EXPECT_EQ(bubbles[0].fields.back(), "오늘(일) 09:00 회의");
}

void ExpectLaunchError(const std::string& exe) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 9, 9, 0, 0, u"회의"));
  WriteItemRegistry(dir, ItemValues(dir.file("qmrv.dat"), exe));
  const TodayRun run = RunToday(dir, "2007-12-08T15:00:00", {"wait 800", "tap 100 70", "wait 300", "answer", "wait 300", "quit"});
  ASSERT_FALSE(run.result.timedOut) << run.result.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.result.output;
  EXPECT_EQ(run.boxes[0].fields[0], "런칭 에러");
  EXPECT_EQ(run.boxes[0].fields.back(), "Kalmeno를 실행할 수 없습니다. 다시 설치하시기 바랍니다.");
  EXPECT_EQ(run.result.exitCode, 0) << "the Today screen goes on";
}

TEST(BadInputRegistry, ExeNamingAMissingFileGivesTheLaunchError) {
  e2e::TempDir names;
  ExpectLaunchError(names.file("kalmeno"));
}

TEST(BadInputRegistry, ExeNamingAFileThatCannotBeRunGivesTheLaunchError) {
  e2e::TempDir names;
  e2e::WriteBytes(names.file("kalmeno"), "not a program");
  chmod(names.file("kalmeno").c_str(), 0644);
  ExpectLaunchError(names.file("kalmeno"));
}

// The registry file itself as a broken desktop may leave it: a FIFO or a link to a device is
// refused at once (no wait, no endless read), and a file of many keys is still read whole.
struct RegistryFileCase {
  const char* what;
  void (*make)(const e2e::TempDir& dir);
  bool itemShown;
};
const RegistryFileCase kRegistryFiles[] = {
    {"a FIFO", [](const e2e::TempDir& dir) { mkfifo(dir.file("registry.reg").c_str(), 0600); }, false},
    {"a link to /dev/zero", [](const e2e::TempDir& dir) { symlink("/dev/zero", dir.file("registry.reg").c_str()); },
     false},
    {"10,000 other keys before the item's",
     [](const e2e::TempDir& dir) {
       std::string text = "REGEDIT4\n";
       for (int i = 0; i < 10000; ++i)
         text += "\n[HKEY_CURRENT_USER\\Software\\Other\\Key" + std::to_string(i) + "]\n\"Value\"=\"" +
                 std::to_string(i) + "\"\n";
       text += "\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n" +
               ItemValues(dir.file("qmrv.dat"), "/bin/true");
       e2e::WriteBytes(dir.file("registry.reg"), text);
     },
     true},
};

TEST(BadInputRegistry, ARegistryFileThatIsNotARegularFileIsRefusedAtOnceAndAFileOfManyKeysIsRead) {
  for (const RegistryFileCase& c : kRegistryFiles) {
    SCOPED_TRACE(c.what);
    e2e::TempDir dir;
    e2e::WriteBytes(dir.file("qmrv.dat"), Record(2007, 12, 9, 9, 0, 0, u"회의"));
    c.make(dir);
    const TodayRun run = RunToday(dir, "2007-12-08T15:00:00", {"wait 1000", "quit"});
    ASSERT_FALSE(run.result.timedOut) << run.result.output;
    EXPECT_EQ(Contains(run.itemTexts, "내일(일) 09:00 회의"), c.itemShown);
    // The converter to iCalendar finds the data file through the same registry.
    const e2e::RunResult ics = e2e::Run(e2e::Built("tools/kalmeno-ics"), {"--from", "2007", "--to", "2007"},
                                        {{"KALMENO_REGISTRY", dir.file("registry.reg")}});
    ASSERT_FALSE(ics.timedOut);
    EXPECT_EQ(ics.exitCode, c.itemShown ? 0 : 1) << ics.output;
  }
}

}  // namespace
