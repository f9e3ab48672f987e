// Reminders end to end: the Today screen on a private session bus (dbus-run-session), with the
// options set through the options dialog and the clock moved by the script. A small notification
// service written for the tests records each Notify call; without it the screen's own bubble shows.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "schedule/schedule_entry.h"
#include "tests/support/e2e.h"
#include "tests/support/records.h"

namespace {

using e2e::TempDir;

struct Entry {
  int year, month, day, hour, minute;
  std::u16string title;
  int flags;
};

std::string Records(const std::vector<Entry>& entries) {
  std::string bytes;
  for (const Entry& e : entries) bytes += Record(e.year, e.month, e.day, e.hour, e.minute, e.flags, e.title);
  return bytes;
}

// Sets up the folder as the installation leaves it and runs the Today screen with the script,
// on a bus of its own; with `service`, the recording notification service takes the bus first.
e2e::RunResult RunOnBus(const TempDir& dir, const std::vector<Entry>& entries, const std::string& now,
                        const std::string& script, bool service, bool markup = false) {
  e2e::WriteBytes(dir.file("qmrv.dat"), Records(entries));
  std::ofstream(dir.file("registry.reg"))
      << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n\"DATA\"=\""
      << dir.file("qmrv.dat") << "\"\n\"EXE\"=\"/bin/true\"\n\"DLL\"=\"" << e2e::Built("today/libKalmenoTP.so")
      << "\"\n";
  std::ofstream(dir.file("today.script")) << script << "quit\n";
  std::vector<std::string> args = {"--"};
  if (service) args.insert(args.end(), {e2e::Built("tests/today/notification_recorder"), dir.file("notify.log")});
  if (service && markup) args.push_back("--markup");
  if (service) args.push_back("--");
  args.push_back(e2e::Built("host/kalmeno-today"));
  return e2e::Run("/usr/bin/dbus-run-session", args,
                  {{"KALMENO_NOW", now},
                   {"KALMENO_REGISTRY", dir.file("registry.reg")},
                   {"KALMENO_TRACE", dir.file("trace.log")},
                   {"KALMENO_SCRIPT", dir.file("today.script")},
                   {"KALMENO_TODAY_REFRESH_MS", "200"},
                   {"XDG_RUNTIME_DIR", dir.path()}},
                  60000);
}

// The options dialog (command 40001): the reminder's value and unit, then Done.
std::string ChooseReminder(int value, int unit) {
  return "wait 500\ncommand 40001\nwait 300\nset 1007 " + std::to_string(value) + "\nset 1008 " +
         std::to_string(unit) + "\ncommand 1\nwait 1000\n";
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream in(e2e::ReadBytes(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct UnitCase {
  const char* name;
  int value, unit;
  const char* now;
  std::vector<Entry> entries;
  const char* clockSteps;                // script lines that move the clock
  std::vector<std::string> announced;    // the Notify calls' bodies, in order
};

// Each row: an entry whose reminder time comes as the clock moves, one whose time does not come,
// one that has already started. Each reminder comes once, however many refreshes follow.
const UnitCase kUnitCases[] = {
    {"minutes", 10, 1, "2007-12-08T18:40:00",
     {{2007, 12, 8, 19, 0, u"저녁 약속", 0}, {2007, 12, 8, 19, 30, u"영화", 0}, {2007, 12, 8, 18, 30, u"지난일", 0}},
     "clock 2007-12-08T18:49:00\nwait 1000\nclock 2007-12-08T18:50:00\nwait 1000\nclock 2007-12-08T18:59:00\nwait 1000\n",
     {"오늘(토) 19:00 저녁 약속"}},
    {"hours", 2, 2, "2007-12-08T15:00:00",
     {{2007, 12, 8, 17, 0, u"회의", 0}, {2007, 12, 8, 19, 0, u"저녁 약속", 0}, {2007, 12, 8, 22, 0, u"야근", 0},
      {2007, 12, 8, 14, 0, u"점심", 0}},
     "clock 2007-12-08T17:30:00\nwait 1000\n", {"오늘(토) 17:00 회의", "오늘(토) 19:00 저녁 약속"}},
    {"days", 1, 3, "2007-12-08T10:00:00",
     {{2007, 12, 9, 19, 0, u"저녁 약속", 0}, {2007, 11, 1, 9, 0, u"할머니 생신", SCHEDULE_LUNAR | SCHEDULE_YEARLY},
      {2007, 12, 20, 9, 0, u"송년회", 0}},
     "clock 2007-12-08T19:00:00\nwait 1000\nclock 2007-12-09T09:00:00\nwait 1000\n",
     {"내일(일) 19:00 저녁 약속", "내일(월) 09:00 할머니 생신 (음력 11월 1일)"}},
};

TEST(Reminders, EachUnitReachesTheDesktopsNotificationServiceOnceWhenItsTimeComes) {
  for (const UnitCase& c : kUnitCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    // The clock is stepped: what was sent is known when the script ends; the service's answers come
    // in their own time, so the script waits for each (and the test's time limit for one that never comes).
    std::string script = ChooseReminder(c.value, c.unit) + c.clockSteps;
    for (const std::string& body : c.announced) script += "wait until trace notified Kalmeno 미리 알림 " + body + "\n";
    e2e::RunResult result = RunOnBus(dir, c.entries, c.now, script, true);
    ASSERT_FALSE(result.timedOut) << result.output;
    std::vector<std::string> expected, sent;
    for (const std::string& body : c.announced) expected.push_back("kalmeno-today\tKalmeno 미리 알림\t" + body);
    const std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
    for (const e2e::TraceLine& line : e2e::Select(trace, "notify"))
      sent.push_back(line.program + "\t" + line.fields.at(0) + "\t" + line.fields.at(1));
    EXPECT_EQ(sent, expected) << "each once, and nothing else";
    EXPECT_EQ(Lines(dir.file("notify.log")), expected) << result.output;
    EXPECT_TRUE(e2e::Select(trace, "bubble").empty()) << "the desktop showed it";
  }
}

TEST(Reminders, WithoutANotificationServiceTheTodayScreenShowsABubbleThatATapDismisses) {
  TempDir dir;
  std::string script = ChooseReminder(30, 1) + "wait until trace bubble Kalmeno 미리 알림\nshot " + dir.file("bubble.png") +
                       "\ntap 120 60\nwait 1000\nshot " + dir.file("dismissed.png") + "\n";
  e2e::RunResult result =
      RunOnBus(dir, {{2007, 12, 8, 19, 0, u"저녁 약속", 0}}, "2007-12-08T18:45:00", script, false);
  ASSERT_FALSE(result.timedOut) << result.output;
  std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
  std::vector<e2e::TraceLine> bubbles = e2e::Select(trace, "bubble");
  ASSERT_EQ(bubbles.size(), 1u) << result.output;
  EXPECT_EQ(bubbles[0].fields, (std::vector<std::string>{"Kalmeno 미리 알림", "오늘(토) 19:00 저녁 약속"}));
  // The bubble's pale yellow covers the top of the screen until the tap.
  EXPECT_EQ(e2e::PixelAt(dir.file("bubble.png"), 120, 34), 0xFFFCDC);
  EXPECT_NE(e2e::PixelAt(dir.file("dismissed.png"), 120, 34), 0xFFFCDC);
  EXPECT_TRUE(e2e::Select(trace, "spawn").empty()) << "the tap went to the bubble, not to the item under it";
}

struct BodyCase {
  const char* name;
  bool service, markup;
  std::vector<Entry> entries;
  std::string body;      // the one notification's body, as the service (or the bubble) has it
};

std::vector<Entry> FiveAtSeven() {
  std::vector<Entry> entries;
  for (int i = 0; i < 5; ++i) entries.push_back({2007, 12, 8, 19, i, u"모임" + std::u16string(1, u'1' + i), 0});
  return entries;
}
const char* const kFiveBody =
    "다가오는 일정 5개\\n오늘(토) 19:00 모임1\\n오늘(토) 19:01 모임2\\n오늘(토) 19:02 모임3\\n외 2개";

// Each row: what comes due when the reminders are switched on, in one notification; the body is
// escaped only for a service that reads markup.
const BodyCase kBodyCases[] = {
    {"a service that reads markup gets the title's markup characters escaped", true, true,
     {{2007, 12, 8, 19, 0, u"<b>A&B", 0}}, "오늘(토) 19:00 &lt;b&gt;A&amp;B"},
    {"a service of plain text gets them as typed", true, false, {{2007, 12, 8, 19, 0, u"<b>A&B", 0}},
     "오늘(토) 19:00 <b>A&B"},
    {"five due at once are one notification that says how many", true, false, FiveAtSeven(), kFiveBody},
    {"and without a service, one bubble", false, false, FiveAtSeven(), kFiveBody},
};

TEST(Reminders, WhatComesDueTogetherIsOneNotificationEscapedOnlyForAServiceThatReadsMarkup) {
  for (const BodyCase& c : kBodyCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string until = c.service ? "notified" : "bubble";
    e2e::RunResult result = RunOnBus(dir, c.entries, "2007-12-08T18:40:00",
                                     ChooseReminder(30, 1) + "wait until trace " + until + "\nwait 1000\n", c.service,
                                     c.markup);
    ASSERT_FALSE(result.timedOut) << result.output;
    const std::vector<e2e::TraceLine> trace = e2e::ReadTrace(dir.file("trace.log"));
    EXPECT_EQ(e2e::Select(trace, "notify").size(), 1u) << "one notification";
    if (c.service) {
      EXPECT_EQ(Lines(dir.file("notify.log")), std::vector<std::string>{"kalmeno-today\tKalmeno 미리 알림\t" + c.body});
      EXPECT_TRUE(e2e::Select(trace, "bubble").empty());
    } else {
      const std::vector<e2e::TraceLine> bubbles = e2e::Select(trace, "bubble");
      ASSERT_EQ(bubbles.size(), 1u);
      EXPECT_EQ(bubbles[0].fields.back(), c.body);
    }
  }
}

TEST(Reminders, BubblesNeverPileUpOneTapClearsTheScreen) {
  TempDir dir;
  // Two reminders a minute apart, with no service: the second bubble takes the first one's place.
  std::string script = ChooseReminder(30, 1) + "wait until trace bubble\nclock 2007-12-08T18:31:00\n" +
                       "wait until trace bubble Kalmeno 미리 알림 오늘(토) 19:01 둘째\n" + "tap 120 60\nwait 1000\nshot " +
                       dir.file("after-tap.png") + "\n";
  e2e::RunResult result = RunOnBus(dir, {{2007, 12, 8, 19, 0, u"첫째", 0}, {2007, 12, 8, 19, 1, u"둘째", 0}},
                                   "2007-12-08T18:30:00", script, false);
  ASSERT_FALSE(result.timedOut) << result.output;
  EXPECT_EQ(e2e::Select(e2e::ReadTrace(dir.file("trace.log")), "bubble").size(), 2u) << result.output;
  EXPECT_NE(e2e::PixelAt(dir.file("after-tap.png"), 120, 34), 0xFFFCDC) << "no bubble left under the one tapped";
}

}  // namespace
