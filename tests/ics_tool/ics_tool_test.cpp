// Runs the real kalmeno-ics on real data files and reads what it writes with two real clients:
// libical parses every event back, and khal imports the stream and lists each event on its day.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "kp_platform.h"
#include "tests/ics_tool/ics_run.h"
#include "windows.h"

using namespace ics_test;

namespace {


std::vector<std::string> Starts(const std::vector<ParsedEvent>& events) {
  std::vector<std::string> starts;
  for (const ParsedEvent& event : events) starts.push_back(event.start);
  return starts;
}

std::vector<std::string> DaysOf(const std::vector<std::string>& days, const std::string& title) {
  std::vector<std::string> found;
  for (const std::string& day : days)
    if (day.size() > 11 && day.substr(11) == title) found.push_back(day.substr(0, 10));
  return found;
}

TEST(IcsExport, ChuseokEveryYearFallsOnTheNationalStandardDatesAndKhalListsThemThere) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2020, 8, 15, 0, 0, kLunar | kYearly | kHoliday, u"추석"));
  const IcsRun run = RunIcs({"--from", "2024", "--to", "2030", dir.file("qmrv.dat")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::vector<std::string> errors;
  const std::vector<ParsedEvent> events = ParseEvents(run.out, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  const std::vector<std::string> chuseok = {"2024-09-17", "2025-10-06", "2026-09-25", "2027-09-15",
                                            "2028-10-03", "2029-09-22", "2030-09-12"};
  std::vector<std::string> expectedStarts;
  for (const std::string& day : chuseok) expectedStarts.push_back(day + " 00:00:00");
  EXPECT_EQ(Starts(events), expectedStarts);
  for (const ParsedEvent& event : events) {
    EXPECT_TRUE(event.floating) << event.uid;
    EXPECT_EQ(event.summary, "추석");
    EXPECT_EQ(event.description, "음력 08월 15일");
    EXPECT_EQ(event.categories, "휴일");
    EXPECT_EQ(event.rrule, "");
  }
  EXPECT_EQ(DaysOf(KhalDays(dir, run.out), "추석"), chuseok);
}

struct ExpectedEvent {
  const char* summary;
  const char* start;
  const char* rrule;
  const char* description;
  const char* categories;
};

TEST(IcsExport, EachKindOfEntryBecomesTheEventsOfItsDaysInBothClients) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"),
                  Record(2026, 5, 5, 9, 30, kHoliday, u"어린이날", u"놀이공원, 10시; 정문 \\") +
                      Record(2024, 2, 29, 7, 0, kYearly, u"윤일생일") +
                      Record(2007, 2, 29, 7, 0, kYearly, u"평년2월29") +   // no 29th in 2007: from 2008
                      Record(2017, 2, 15, 18, 5, kLunar, u"음력한번", u"메모") +
                      Record(2010, 8, 30, 12, 0, kLunar | kYearly, u"그믐제사") +  // 08-30: 2025 has 29 days
                      Record(2025, 6, 15, 8, 0, kLunar | kYearly, u"유두"));       // 2025 has a leap 6th month
  const IcsRun run = RunIcs({dir.file("qmrv.dat"), "--from=2024", "--to=2026"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> errors;
  const std::vector<ParsedEvent> events = ParseEvents(run.out, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  const ExpectedEvent expected[] = {
      {"어린이날", "2026-05-05 09:30:00", "", "놀이공원, 10시; 정문 \\", "휴일"},
      {"윤일생일", "2024-02-29 07:00:00", "FREQ=YEARLY", "", ""},
      {"평년2월29", "2008-02-29 07:00:00", "FREQ=YEARLY", "", ""},
      {"음력한번", "2017-03-12 18:05:00", "", "메모\n음력 2017년 02월 15일", ""},
      {"그믐제사", "2024-10-02 12:00:00", "", "음력 08월 30일", ""},
      {"그믐제사", "2025-10-20 12:00:00", "", "음력 08월 30일 (이 해의 08월은 29일까지)", ""},
      {"그믐제사", "2026-10-10 12:00:00", "", "음력 08월 30일", ""},
      {"유두", "2024-07-20 08:00:00", "", "음력 06월 15일", ""},
      {"유두", "2025-07-09 08:00:00", "", "음력 06월 15일", ""},
      {"유두", "2026-07-28 08:00:00", "", "음력 06월 15일", ""},
  };
  ASSERT_EQ(events.size(), std::size(expected));
  for (size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(expected[i].summary + std::string(" ") + expected[i].start);
    EXPECT_EQ(events[i].summary, expected[i].summary);
    EXPECT_EQ(events[i].start, expected[i].start);
    EXPECT_EQ(events[i].rrule, expected[i].rrule);
    EXPECT_EQ(events[i].description, expected[i].description);
    EXPECT_EQ(events[i].categories, expected[i].categories);
    EXPECT_TRUE(events[i].floating);
  }

  const std::vector<std::string> days = KhalDays(dir, run.out);
  EXPECT_EQ(DaysOf(days, "어린이날"), std::vector<std::string>{"2026-05-05"});
  // khal expands a repeat only some years ahead; as far as it goes, 29 February of leap years.
  const std::vector<std::string> leapDays = DaysOf(days, "윤일생일");
  ASSERT_GE(leapDays.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(leapDays.begin(), leapDays.begin() + 3),
            (std::vector<std::string>{"2024-02-29", "2028-02-29", "2032-02-29"}));
  for (const std::string& day : leapDays) EXPECT_EQ(day.substr(4), "-02-29");
  EXPECT_EQ(DaysOf(days, "평년2월29").front(), "2008-02-29");
  EXPECT_EQ(DaysOf(days, "음력한번"), std::vector<std::string>{"2017-03-12"});
  EXPECT_EQ(DaysOf(days, "그믐제사"), (std::vector<std::string>{"2024-10-02", "2025-10-20", "2026-10-10"}));
}

TEST(IcsExport, ExportingAgainUpdatesTheSameEventsAndIdenticalEntriesStayApart) {
  e2e::TempDir dir;
  const std::string twin = Record(2020, 1, 1, 0, 0, kLunar | kYearly, u"설날");
  e2e::WriteBytes(dir.file("qmrv.dat"), twin + twin);
  const IcsRun first = RunIcs({"--from", "2025", "--to", "2026", dir.file("qmrv.dat")});
  const IcsRun second = RunIcs({"--from", "2025", "--to", "2026", dir.file("qmrv.dat")}, {{"KALMENO_NOW", "2027-03-01T10:00:00"}});
  std::vector<std::string> errors;
  std::vector<std::string> uids, again;
  for (const ParsedEvent& event : ParseEvents(first.out, errors)) uids.push_back(event.uid);
  for (const ParsedEvent& event : ParseEvents(second.out, errors)) again.push_back(event.uid);
  EXPECT_EQ(uids, again);
  ASSERT_EQ(uids.size(), 4u);
  std::vector<std::string> distinct = uids;
  std::sort(distinct.begin(), distinct.end());
  EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << "every UID once";

  KhalDays(dir, first.out);
  EXPECT_EQ(DaysOf(KhalDays(dir, second.out), "설날"),
            (std::vector<std::string>{"2025-01-29", "2025-01-29", "2026-02-17", "2026-02-17"}));
}

TEST(IcsExport, RscaleGivesOneLunarRuleEventPerYearlyLunarEntry) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2020, 8, 30, 9, 0, kLunar | kYearly, u"제사") +
                                            Record(2020, 3, 1, 9, 0, kYearly, u"삼일절"));
  const IcsRun run = RunIcs({"--rscale", "--from", "2025", dir.file("qmrv.dat")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> errors;
  const std::vector<ParsedEvent> events = ParseEvents(run.out, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].start, "2025-10-20 09:00:00") << "the first anniversary from 2025, on the 29th";
  EXPECT_NE(run.out.find("RRULE:RSCALE=DANGI;FREQ=YEARLY;"), std::string::npos) << run.out;
  for (const char* part : {"RSCALE=DANGI", "BYMONTH=8", "BYMONTHDAY=30", "SKIP=BACKWARD"})
    EXPECT_NE(events[0].rrule.find(part), std::string::npos) << events[0].rrule;
  EXPECT_EQ(events[1].rrule, "FREQ=YEARLY");
}

TEST(IcsExport, WithoutAFileReadsTheInstalledOneTheRegistryNames) {
  e2e::TempDir dir;
  e2e::WriteBytes(dir.file("qmrv.dat"), Record(2026, 12, 25, 0, 0, kHoliday, u"성탄절"));
  std::string handheld = KpToUtf8(KpHandheldPath(dir.file("qmrv.dat")).c_str());
  std::string escaped;
  for (char c : handheld) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  e2e::WriteBytes(dir.file("registry.reg"), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n"
                                            "\"DATA\"=\"" + escaped + "\"\n");
  IcsRun run = RunIcs({}, {{"KALMENO_REGISTRY", dir.file("registry.reg")}});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("SUMMARY:성탄절"), std::string::npos);

  run = RunIcs({});  // no registry at all
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("설치된 Kalmeno가 없습니다"), std::string::npos) << run.err;
}

TEST(IcsExport, AFileHeldByTheProgramIsWaitedForBrieflyThenRefused) {
  e2e::TempDir dir;
  const std::string data = dir.file("qmrv.dat");
  const std::string bytes = Record(2026, 12, 25, 0, 0, 0, u"성탄절");
  e2e::WriteBytes(data, bytes);
  const std::u16string path = KpFromUtf8(data);
  // Held the way the program holds it while it reads or saves.
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  IcsRun run = RunIcs({data});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("다른 프로그램(Kalmeno)이 쓰고 있어 읽지 못했습니다"), std::string::npos) << run.err;

  // Let go while the tool waits: it reads the file then.
  std::thread release([held] {
    Sleep(300);
    CloseHandle(held);
  });
  run = RunIcs({data});
  release.join();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("SUMMARY:성탄절"), std::string::npos);
  EXPECT_EQ(e2e::ReadBytes(data), bytes);
}

struct BadInput {
  const char* what;
  std::string bytes;                        // the data file's content ("" with no file made)
  std::vector<std::string> args;            // "DATA" stands for the data file's path
  int exitCode;
  const char* says;                         // part of stderr
  int events;                               // VEVENTs written
};

TEST(IcsExport, BadInputGetsAClearMessageOrADocumentedSkipAndTheFileIsNeverTouched) {
  const std::string good = Record(2026, 12, 25, 0, 0, 0, u"성탄절");
  const std::string outOfRange =
      Record(2026, 13, 1, 0, 0, 0, u"13월") + Record(2026, 0, 1, 0, 0, 0, u"0월") + Record(2026, 4, 31, 0, 0, 0, u"4월31") +
      Record(2026, 2, 29, 0, 0, 0, u"평년") + Record(0, 1, 1, 0, 0, 0, u"0년") + Record(2026, 5, 0, 0, 0, kYearly, u"0일") +
      Record(2026, 2, 30, 0, 0, kYearly, u"2월30") + Record(2010, 2, 30, 0, 0, kLunar, u"없는그믐") +
      Record(2026, 1, 31, 0, 0, kLunar | kYearly, u"음31") + Record(2026, 13, 1, 0, 0, kLunar | kYearly, u"음13") +
      Record(65535, 1, 1, 0, 0, kLunar, u"먼해") + Record(2026, 5, 5, 24, 60, 0, u"24시") + good;
  const BadInput cases[] = {
      {"missing file", "", {"DATA"}, 1, "파일이 없습니다", 0},
      {"a folder", "", {"FOLDER"}, 1, "파일이 아니라 폴더입니다", 0},
      {"a FIFO", "", {"FIFO"}, 1, "일반 파일이 아닙니다", 0},
      {"odd length", good + std::string(50, 'x'), {"DATA"}, 0, "끝의 50바이트는 기록 한 개(98바이트)에 못 미쳐 건너뛰었습니다", 1},
      {"every field out of range", outOfRange, {"DATA"}, 0, "기록 13개 중 11개는 어느 날에도 해당하지 않아 건너뛰었습니다", 2},
      {"bad time", outOfRange, {"DATA"}, 0, "시각이 잘못된 기록 1개는 하루 종일 일정으로 썼습니다", 2},
      {"--from after --to", good, {"--from", "2030", "--to", "2029", "DATA"}, 2, "--from 2030이(가) --to 2029보다 뒤입니다", 0},
      {"year before the table", good, {"--from", "1840", "DATA"}, 2, "--from '1840': 음력 표가 있는 1841~2043년만", 0},
      {"year after the table", good, {"--to", "2044", "DATA"}, 2, "--to '2044': 음력 표가 있는 1841~2043년만", 0},
      {"not a year", good, {"--from", "20x6", "DATA"}, 2, "--from '20x6'은(는) 연도가 아닙니다", 0},
      {"this year outside the table", good, {"DATA", "ENV2050"}, 2, "올해(2050년)는 음력 표(1841~2043년) 밖입니다", 0},
      {"missing value", good, {"DATA", "--to"}, 2, "--to 다음에 연도가 필요합니다", 0},
      {"unknown option", good, {"--frobnicate", "DATA"}, 2, "알 수 없는 옵션 '--frobnicate'", 0},
      {"two files", good, {"DATA", "DATA"}, 2, "일정 파일은 하나만 받습니다", 0},
      {"output onto the data file", good, {"DATA", "-o", "DATA"}, 1, "일정 파일 자신에는 쓰지 않습니다", 0},
      {"output that cannot be written", good, {"DATA", "-o", "/dev/full"}, 1, "쓰지 못했습니다", 0},
      {"output into a missing folder", good, {"DATA", "-o", "MISSING/x.ics"}, 1, "만들 수 없습니다", 0},
  };
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.what);
    e2e::TempDir dir;
    const std::string data = dir.file("qmrv.dat");
    if (!bad.bytes.empty()) e2e::WriteBytes(data, bad.bytes);
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    for (const std::string& arg : bad.args) {
      if (arg == "FOLDER") {
        ASSERT_EQ(mkdir(data.c_str(), 0755), 0);
        args.push_back(data);
      } else if (arg == "FIFO") {
        ASSERT_EQ(mkfifo(data.c_str(), 0644), 0);
        args.push_back(data);
      } else if (arg == "ENV2050") {
        env["KALMENO_NOW"] = "2050-01-01T00:00:00";
      } else {
        args.push_back(arg == "DATA" ? data : arg == "MISSING/x.ics" ? dir.file("missing/x.ics") : arg);
      }
    }
    const IcsRun run = RunIcs(args, env);
    EXPECT_EQ(run.exitCode, bad.exitCode) << run.err;
    EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("kalmeno-ics: ", 0), 0u) << run.err;
    std::vector<std::string> errors;
    if (bad.events) {
      EXPECT_EQ(ParseEvents(run.out, errors).size(), size_t(bad.events));
    } else {
      EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
    if (!bad.bytes.empty()) {
      EXPECT_EQ(e2e::ReadBytes(data), bad.bytes);
    }
    if (std::string(bad.what) == "missing file") {
      EXPECT_FALSE(e2e::Exists(data)) << "nothing is created";
    }
  }
}

TEST(IcsExport, AFileItsUserMayNotReadIsReported) {
  const char* setpriv = "/usr/bin/setpriv";
  if (geteuid() != 0 || access(setpriv, X_OK) != 0) GTEST_SKIP() << "needs root and setpriv to run as user nobody";
  e2e::TempDir dir;
  const std::string data = dir.file("qmrv.dat");
  e2e::WriteBytes(data, Record(2026, 12, 25, 0, 0, 0, u"비밀"));
  chmod(data.c_str(), 0600);
  chmod(dir.path().c_str(), 0755);
  const std::string check = "test -x '" + e2e::Built("tools/kalmeno-ics") + "'";
  if (e2e::Run(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", "/bin/sh", "-c", check}, {}).exitCode != 0)
    GTEST_SKIP() << "user nobody cannot run the build's kalmeno-ics";
  const e2e::RunResult run = e2e::Run(
      setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", e2e::Built("tools/kalmeno-ics"), data},
      {{"KALMENO_REGISTRY", dir.file("none.reg")}, {"HOME", dir.path()}});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("kalmeno-ics: " + data + ": 읽을 권한이 없습니다"), std::string::npos) << run.output;
}

TEST(IcsExport, HelpDocumentsTheExitStatusAndVersionNamesTheProgram) {
  IcsRun run = RunIcs({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("사용법: kalmeno-ics", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("종료 상태: 0 성공"), std::string::npos);
  run = RunIcs({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("kalmeno-ics (Kalmeno) ", 0), 0u) << run.out;
}

}  // namespace

// --holidays: the public holidays alone, as all-day events a phone can subscribe to; khal lists
// each on its own day.
TEST(IcsExport, HolidaysAreAllDayEventsInACalendarOfTheirOwn) {
  e2e::TempDir dir;
  const IcsRun run = RunIcs({"--holidays", "--from", "2025", "--to", "2026"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> errors;
  const std::vector<ParsedEvent> events = ParseEvents(run.out, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  ASSERT_EQ(events.size(), 20u + 22u);  // the almanac's 2025 and 2026
  for (const ParsedEvent& event : events) {
    EXPECT_EQ(event.start.size(), 10u) << event.summary;  // a date, no time
    EXPECT_EQ(event.categories, "공휴일");
  }
  EXPECT_NE(run.out.find("DTSTART;VALUE=DATE:20251008\r\nDTEND;VALUE=DATE:20251009\r\n"), std::string::npos);
  const std::vector<std::string> days = KhalDays(dir, run.out);
  EXPECT_EQ(DaysOf(days, "대체공휴일(추석)"), (std::vector<std::string>{"2025-10-08"}));
  EXPECT_EQ(DaysOf(days, "부처님 오신 날"), (std::vector<std::string>{"2025-05-05", "2026-05-24"}));
  // A second export gives the same UIDs, so a subscription updates rather than doubles.
  EXPECT_EQ(ParseEvents(RunIcs({"--holidays", "--from=2025", "--to=2026"}).out, errors)[20].uid, events[20].uid);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--holidays", "qmrv.dat"}, {"--holidays", "--rscale"}, {"--holidays", "--from", "1999"}}) {
    const IcsRun refused = RunIcs(bad);
    EXPECT_EQ(refused.exitCode, 2) << bad[1];
    EXPECT_EQ(refused.out, "");
  }
}
