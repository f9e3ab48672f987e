// Runs the real kalmeno-lunar for each form of its command line and each kind of bad input,
// and checks its exit status, standard output and standard error separately.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/e2e.h"
#include "tools/common/tool_version.h"

namespace {

struct ToolRun {
  int exitCode = -1;
  std::string out, err;
};

// Runs the converter through the shell so that stdout and stderr land in separate files.
ToolRun RunTool(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {}) {
  e2e::TempDir dir;
  std::string command = "exec '" + e2e::Built("tools/kalmeno-lunar") + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + dir.file("out") + "' 2>'" + dir.file("err") + "'";
  e2e::RunResult run = e2e::Run("/bin/sh", {"-c", command}, env);
  return {run.exitCode, e2e::ReadBytes(dir.file("out")), e2e::ReadBytes(dir.file("err"))};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Day names (일진) were checked by counting sixty-day cycles from 2000-03-01, a 무오 day.
TEST(LunarTool, WithoutArgumentsShowsTodayFromThePlatformClock) {
  ToolRun run = RunTool({}, {{"KALMENO_NOW", "2026-12-07T09:30:00"}});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "2026년 12월 07일 (월) = 음력 2026년 10월 29일 (평달) · 병오년 (말) · 일진 을묘일 · 단기 4359년\n");
  EXPECT_EQ(run.err, "");

  run = RunTool({"--tsv"}, {{"KALMENO_NOW", "2010-02-14T00:00:01"}});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "2010-02-14\t2010-01-01\t0\t0\t4343\t경인\t범\t을미\n");
}

TEST(LunarTool, TodayOutsideTheTableIsReportedWithStatusOne) {
  ToolRun run = RunTool({"--tsv"}, {{"KALMENO_NOW", "2050-01-01T12:00:00"}});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "2050-01-01\t-\n");
}

TEST(LunarTool, OneSolarDateGivesItsLunarDateAndNames) {
  ToolRun run = RunTool({"1984-02-02"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "1984년 02월 02일 (목) = 음력 1984년 01월 01일 (평달) · 갑자년 (쥐) · 일진 병인일 · 단기 4317년\n");
  run = RunTool({"2016-02-08", "--tsv"});
  EXPECT_EQ(run.out, "2016-02-08\t2016-01-01\t0\t1\t4349\t병신\t원숭이\t경신\n");
}

TEST(LunarTool, RangeAcrossALeapMonthPrintsOneLinePerDay) {
  ToolRun run = RunTool({"--tsv", "2006-08-22", "2006-08-25"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                "2006-08-22\t2006-07-29\t0\t2\t4339\t병술\t개\t계미",
                                "2006-08-23\t2006-07-30\t0\t3\t4339\t병술\t개\t갑신",
                                "2006-08-24\t2006-07-01\t1\t4\t4339\t병술\t개\t을유",
                                "2006-08-25\t2006-07-02\t1\t5\t4339\t병술\t개\t병술",
                            }));
}

TEST(LunarTool, DatesOutsideTheTableAreMarkedAndGiveStatusOne) {
  ToolRun run = RunTool({"--tsv", "1841-01-21", "1841-01-24"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{
                                "1841-01-21\t-",
                                "1841-01-22\t-",
                                "1841-01-23\t1841-01-01\t0\t6\t4174\t신축\t소\t정해",
                                "1841-01-24\t1841-01-02\t0\t0\t4174\t신축\t소\t무자",
                            }));
  run = RunTool({"2044-01-01"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("2044-01-01 = 음력으로 바꿀 수 없는 날짜입니다"), std::string::npos) << run.out;
}

TEST(LunarTool, FullRangeHasOneLinePerDayAndEndsOutsideTheTable) {
  ToolRun run = RunTool({"--tsv", "1841-01-01", "2044-01-01"});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 74145u);
  EXPECT_EQ(lines.front(), "1841-01-01\t-");
  EXPECT_EQ(lines[22], "1841-01-23\t1841-01-01\t0\t6\t4174\t신축\t소\t정해");
  EXPECT_EQ(lines[lines.size() - 2], "2043-12-31\t2043-12-01\t0\t4\t4376\t계해\t돼지\t무신");
  EXPECT_EQ(lines.back(), "2044-01-01\t-");
}

TEST(LunarTool, LunarDateConvertsToSolarWithOrWithoutLeapMonth) {
  ToolRun run = RunTool({"--tsv", "--lunar", "2006-07-01", "--leap"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "2006-07-01\t1\t2006-08-24\t4\n");
  run = RunTool({"--lunar", "2006-07-01", "--tsv"});
  EXPECT_EQ(run.out, "2006-07-01\t0\t2006-07-25\t2\n");
  // 2007 has no leap 1st month: the regular month is used, and the output says so.
  run = RunTool({"--tsv", "--lunar", "2007-01-01", "--leap"});
  EXPECT_EQ(run.out, "2007-01-01\t0\t2007-02-18\t0\n");
  run = RunTool({"--lunar", "2007-01-01", "--leap"});
  EXPECT_EQ(run.out, "음력 2007년 01월 01일 (평달: 이 달에는 윤달이 없습니다) = 2007년 02월 18일 (일)\n");
  run = RunTool({"--lunar", "2043-12-30"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "음력 2043년 12월 30일 (평달) = 2044년 01월 29일 (금)\n");
}

TEST(LunarTool, LunarDayTheMonthDoesNotHaveGivesStatusOne) {
  ToolRun run = RunTool({"--tsv", "--lunar", "2010-02-30"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "2010-02-30\t-\n");
  run = RunTool({"--tsv", "--lunar", "2006-07-30", "--leap"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "2006-07-30\t-\n");
  run = RunTool({"--lunar", "1840-01-01"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("양력으로 바꿀 수 없는 날짜입니다"), std::string::npos) << run.out;
}

TEST(LunarTool, MonthGridShowsLunarDaysAndMarksLeapMonths) {
  ToolRun run = RunTool({"--month", "2023-03"});
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 12u);
  EXPECT_NE(lines[0].find("2023년 03월"), std::string::npos);
  EXPECT_EQ(lines[1], "      일      월      화      수      목      금      토");
  // 2023-03-01 is a Wednesday, lunar 2-10; the leap 2nd month starts on Wednesday the 22nd.
  EXPECT_EQ(lines[2], "                               1       2       3       4");
  EXPECT_EQ(lines[3], "                            2.10    2.11    2.12    2.13");
  EXPECT_EQ(lines[8], "      19      20      21      22      23      24      25");
  EXPECT_EQ(lines[9], "    2.28    2.29    2.30   윤2.1   윤2.2   윤2.3   윤2.4");
  EXPECT_EQ(lines.back(), "(윤: 윤달)");

  run = RunTool({"--month", "1841-01"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("     1.1"), std::string::npos);
}

TEST(LunarTool, HelpPrintsUsage) {
  ToolRun run = RunTool({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("사용법: kalmeno-lunar", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("--tsv"), std::string::npos);
}

struct Expected {
  std::vector<std::string> args;
  int exitCode;
  std::vector<std::string> lines;  // the output's lines, from the first (or every line when "")
};

// Long options as --opt=value, "--" before operands, --version, --month without a value.
TEST(LunarTool, FollowsTheConventionsOfCommandLineTools) {
  const Expected cases[] = {
      {{"--version"}, 0, {"kalmeno-lunar (Kalmeno) " KALMENO_VERSION}},
      {{"--lunar=2026-08-15", "--tsv"}, 0, {"2026-08-15\t0\t2026-09-25\t5"}},
      {{"--tsv", "--", "2024-09-17"}, 0, {"2024-09-17\t2024-08-15\t0\t2\t4357\t갑진\t용\t갑신"}},
      {{"--ts", "2024-09-17"}, 0, {"2024-09-17\t2024-08-15\t0\t2\t4357\t갑진\t용\t갑신"}},
      {{"--month=2023-03"}, 0, {"                      2023년 03월"}},
  };
  for (const Expected& expected : cases) {
    SCOPED_TRACE(expected.args.front());
    ToolRun run = RunTool(expected.args, {{"KALMENO_NOW", "2026-12-07T09:30:00"}});
    EXPECT_EQ(run.exitCode, expected.exitCode) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    if (lines.size() > expected.lines.size()) lines.resize(expected.lines.size());
    EXPECT_EQ(lines, expected.lines);
  }
  // Without a value: this month (KALMENO_NOW), unmarked when the output is not a terminal.
  const ToolRun thisMonth = RunTool({"--month"}, {{"KALMENO_NOW", "2024-09-17T09:30:00"}});
  EXPECT_EQ(thisMonth.exitCode, 0);
  EXPECT_EQ(thisMonth.out, RunTool({"--month", "2024-09"}).out);
}

TEST(LunarTool, MonthOnATerminalMarksToday) {
  if (!e2e::Exists("/usr/bin/script")) GTEST_SKIP() << "needs script (util-linux) for a terminal";
  e2e::RunResult run = e2e::Run("/usr/bin/script", {"-qec", "'" + e2e::Built("tools/kalmeno-lunar") + "' --month", "/dev/null"},
                                {{"KALMENO_NOW", "2026-12-07T09:30:00"}});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("       6       \033[7m7\033[27m       8"), std::string::npos) << run.output;
}

// The yearly lunar date's coming solar dates, by the month view's rule.
TEST(LunarTool, NextGivesTheComingSolarDatesOfAYearlyLunarDate) {
  const Expected cases[] = {
      // Chuseok by the national standard.
      {{"--tsv", "--next", "08-15", "--count", "7", "--from", "2024-01-01"}, 0,
       {"2024-08-15\t0\t2024-09-17\t2", "2025-08-15\t0\t2025-10-06\t1", "2026-08-15\t0\t2026-09-25\t5",
        "2027-08-15\t0\t2027-09-15\t3", "2028-08-15\t0\t2028-10-03\t2", "2029-08-15\t0\t2029-09-22\t6",
        "2030-08-15\t0\t2030-09-12\t4"}},
      // From today (KALMENO_NOW): 2026's is past; the 30th of a 29-day month is kept on the 29th.
      {{"--next", "08-30", "--count=2"}, 0,
       {"음력 2027년 08월 29일 (평달) = 2027년 09월 29일 (수)", "음력 2028년 08월 29일 (평달) = 2028년 10월 17일 (화)"}},
      // The day itself counts; lunar 2024-12-20 falls in solar 2025.
      {{"--next", "12-20", "--from", "2025-01-19", "--count", "2", "--tsv"}, 0,
       {"2024-12-20\t0\t2025-01-19\t0", "2025-12-20\t0\t2026-02-07\t6"}},
      // --leap: the leap month where the year has it (2025: leap 6th month), else the regular one.
      {{"--next", "06-15", "--leap", "--from", "2025-01-01", "--count", "2", "--tsv"}, 0,
       {"2025-06-15\t1\t2025-08-08\t5", "2026-06-15\t0\t2026-07-28\t2"}},
      // The table ends in 2043: fewer than asked, status 1.
      {{"--tsv", "--next", "01-01", "--from", "2042-06-01"}, 1, {"2043-01-01\t0\t2043-02-10\t2"}},
  };
  for (const Expected& expected : cases) {
    SCOPED_TRACE(expected.args[1]);
    ToolRun run = RunTool(expected.args, {{"KALMENO_NOW", "2026-12-07T09:30:00"}});
    EXPECT_EQ(run.exitCode, expected.exitCode) << run.err;
    EXPECT_EQ(Lines(run.out), expected.lines);
    EXPECT_EQ(run.err.empty(), expected.exitCode == 0) << run.err;
  }
}

struct BadInput {
  std::vector<std::string> args;
  const char* says;  // part of the one stderr line
};

TEST(LunarTool, BadInputGetsOneLineOnStderrAndStatusTwo) {
  const BadInput cases[] = {
      {{"2026-13-01"}, "'2026-13-01': 월은 1~12입니다 (YYYY-MM-DD"},
      {{"2026-02-30"}, "'2026-02-30': 2026년 2월은 1~28일입니다"},
      {{"1900-02-29"}, "'1900-02-29': 1900년 2월은 1~28일입니다"},
      {{"abc"}, "'abc'은(는) 날짜 형식이 아닙니다 (YYYY-MM-DD"},
      {{""}, "''은(는) 날짜 형식이 아닙니다"},
      {{"2026-12-07x"}, "날짜 형식이 아닙니다"},
      {{"0000-01-01"}, "연도는 1 이상"},
      {{"--lunar"}, "--lunar 다음에 YYYY-MM-DD 형식의 음력 날짜가 필요합니다"},
      {{"--lunar", "--tsv"}, "--lunar 다음에"},
      {{"--month", "2026-00"}, "월은 1~12입니다 (YYYY-MM"},
      {{"--lunar", "2026-01-31"}, "음력 일은 1~30입니다"},
      {{"--lunar", "2026-13-01"}, "음력 월은 1~12입니다"},
      {{"--frobnicate"}, "알 수 없는 옵션 '--frobnicate' (옵션: --tsv"},
      {{"2026-12-07", "2026-12-01"}, "종료일 '2026-12-01'이(가) 시작일 '2026-12-07'보다 앞섭니다"},
      {{"2026-12-01", "2026-12-02", "2026-12-03"}, "양력 날짜는 두 개까지"},
      {{"--leap", "2026-12-01"}, "--leap은 --lunar와 함께만"},
      {{"--month", "2026-12", "--tsv"}, "--tsv는 --month와 함께 쓸 수 없습니다"},
      {{"--lunar", "2026-01-01", "2026-12-01"}, "하나만 쓸 수 있습니다"},
      {{"--", "--tsv"}, "'--tsv'은(는) 날짜 형식이 아닙니다"},
      {{"--tsv=1"}, "알 수 없는 옵션 '--tsv=1'"},
      {{"--next"}, "--next 다음에 MM-DD 형식의 음력 월일이 필요합니다"},
      {{"--next", "8/15"}, "'8/15'은(는) 음력 월일 형식이 아닙니다 (MM-DD"},
      {{"--next", "13-01"}, "'13-01': 음력 월은 1~12입니다"},
      {{"--next=08-31"}, "'08-31': 음력 일은 1~30입니다"},
      {{"--next", "08-15", "--count", "0"}, "--count '0': 개수는 1~999입니다"},
      {{"--next", "08-15", "--count=1000"}, "개수는 1~999입니다"},
      {{"--next", "08-15", "--from", "2026-02-30"}, "2026년 2월은 1~28일입니다"},
      {{"--count", "5", "2026-12-01"}, "--count와 --from은 --next와 함께만"},
      {{"--next", "08-15", "--month"}, "하나만 쓸 수 있습니다"},
  };
  for (const BadInput& bad : cases) {
    std::string shown;
    for (const auto& a : bad.args) shown += "[" + a + "] ";
    SCOPED_TRACE(shown);
    ToolRun run = RunTool(bad.args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("kalmeno-lunar: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
  }
}

}  // namespace

namespace {

// Output that cannot be written (a full device, a file-size limit) is reported, never taken for
// success, whether it fails at once or after many lines.
TEST(LunarTool, OutputThatCannotBeWrittenGetsOneLineOnStderrAndStatusTwo) {
  const std::string tool = "'" + e2e::Built("tools/kalmeno-lunar") + "'";
  const struct {
    const char* what;
    std::string command;
  } cases[] = {
      {"one line to a full device", tool + " 2026-12-07 >/dev/full"},
      {"the help to a full device", tool + " --help >/dev/full"},
      {"a month to a full device", tool + " --month 2026-12 >/dev/full"},
      {"a long range to a full device", tool + " --tsv 1900-01-01 2040-12-31 >/dev/full"},
      {"a long range past a file-size limit", "ulimit -f 8; " + tool + " 1900-01-01 2040-12-31 >\"$OUT\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    e2e::TempDir dir;
    e2e::RunResult run = e2e::Run("/bin/sh", {"-c", c.command + " 2>\"$ERR\""},
                                  {{"OUT", dir.file("out")}, {"ERR", dir.file("err")}});
    const std::string err = e2e::ReadBytes(dir.file("err"));
    EXPECT_EQ(run.exitCode, 2) << err;
    EXPECT_EQ(Lines(err).size(), 1u) << err;
    EXPECT_EQ(err.rfind("kalmeno-lunar: 결과를 끝까지 쓰지 못했습니다", 0), 0u) << err;
  }
}

}  // namespace

// The almanac's holidays of 2018..2027 (tests/calendar/holidays_2018_2027.tsv, made by
// calendar/tools/make_holiday_reference.mjs), every date and name, year by year.
TEST(LunarTool, HolidaysOfEachYearAreTheAlmanacs) {
  std::map<std::string, std::string> almanac;  // year -> its lines
  std::istringstream reference(e2e::ReadBytes(KP_HOLIDAY_REFERENCE));
  for (std::string line; std::getline(reference, line);) almanac[line.substr(0, 4)] += line + "\n";
  ASSERT_EQ(almanac.size(), 10u);
  for (const auto& [year, lines] : almanac) {
    ToolRun run = RunTool({"--holidays", year, "--tsv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, lines) << year;
  }
  // Before the substitute rules of 2014 no year has a substitute day.
  for (const char* year : {"2000", "2007", "2012", "2013"})
    EXPECT_EQ(RunTool({"--holidays", year}).out.find("대체"), std::string::npos) << year;
  EXPECT_EQ(Lines(RunTool({"--holidays", "2025"}).out)[17], "2025-10-08 (수) 대체공휴일(추석)");
}

TEST(LunarTool, TermsListTheYearsSolarTermsAtTheirMinute) {
  ToolRun run = RunTool({"--terms", "2024", "--tsv"});
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "2024-01-06\t05:49\t소한");
  EXPECT_EQ(lines[2], "2024-02-04\t17:27\t입춘");
  EXPECT_EQ(lines[23], "2024-12-21\t18:21\t동지");
  // Without a year, this year's; the human form has the weekday.
  run = RunTool({"--terms"}, {{"KALMENO_NOW", "2024-06-01T09:00:00"}});
  EXPECT_EQ(Lines(run.out)[2], "2024-02-04 (일) 17:27 입춘");
  run = RunTool({"--holidays"}, {{"KALMENO_NOW", "2025-06-01T09:00:00"}});
  EXPECT_EQ(Lines(run.out)[0], "2025-01-01 (수) 1월 1일");
}

TEST(LunarTool, MonthGridMarksHolidaysAndTermsWhenAsked) {
  ToolRun run = RunTool({"--month", "2025-10", "--holidays", "--terms"});
  EXPECT_EQ(run.exitCode, 0);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 14u) << run.out;
  // 2025-10-01 is a Wednesday; 개천절 on the 3rd, 추석 with its substitute 5..8, 한글날 on the 9th,
  // 한로 on the 8th in place of its lunar date (8.17).
  EXPECT_EQ(lines[2], "                               1       2      3*       4");
  EXPECT_EQ(lines[4], "      5*      6*      7*      8*      9*      10      11");
  EXPECT_EQ(lines[5], "    8.14    8.15    8.16    한로    8.18    8.19    8.20");
  EXPECT_EQ(lines[12], "(*: 공휴일) 3 개천절, 5 추석 전날, 6 추석, 7 추석 다음 날, 8 대체공휴일(추석), 9 한글날");
  EXPECT_EQ(lines[13], "(절기) 8 한로 09:41, 23 상강 12:51");
  // Without the options the grid is as it always was.
  EXPECT_EQ(Lines(RunTool({"--month", "2025-10"}).out)[4], "       5       6       7       8       9      10      11");
}

TEST(LunarTool, HolidaysAndTermsOutsideTheirYearsOrMisusedAreRefused) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"--holidays", "1999"}, 1, "1999년의 공휴일은 알 수 없습니다 (2000~2043년)"},
      {{"--holidays", "2044", "--tsv"}, 1, "2044년의 공휴일은"},
      {{"--terms", "1840"}, 1, "1840년의 절기는 알 수 없습니다 (1841~2043년)"},
      {{"--holidays", "2025x"}, 2, "--holidays '2025x'은(는) 연도가 아닙니다"},
      {{"--holidays", "--terms"}, 2, "하나만 쓸 수 있습니다"},
      {{"--holidays", "2025", "2025-01-01"}, 2, "하나만 쓸 수 있습니다"},
      {{"--month", "2025-10", "--holidays", "2025"}, 2, "연도를 받지 않습니다"},
  };
  for (const Case& c : cases) {
    ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
}
