// Runs the real kalmeno-sync on real data files and vdir folders, changing each side as a user or
// another program would, and reads back both sides.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/one_copy.h"
#include "kp_platform.h"
#include "schedule/schedule_entry.h"
#include "tests/support/e2e.h"
#include "tests/support/records.h"

namespace {

namespace fs = std::filesystem;

struct SyncRun {
  int exitCode = -1;
  std::string out, err;
};

// A data file and a vdir folder in a temporary folder.
struct Sides {
  e2e::TempDir dir;
  std::string data = dir.file("qmrv.dat"), folder = dir.file("vdir");
  HANDLE claim = nullptr;  // held as a running Kalmeno holds it
  Sides() { fs::create_directory(folder); }
  ~Sides() {
    if (claim) CloseHandle(claim);
  }

  SyncRun Sync(std::vector<std::string> args = {}, const std::map<std::string, std::string>& env = {}) const {
    std::string command = "exec '" + e2e::Built("tools/kalmeno-sync") + "'";
    if (args.empty()) args = {folder, data};
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + dir.file("out") + "' 2>'" + dir.file("err") + "'";
    std::map<std::string, std::string> all = {{"KALMENO_NOW", "2026-12-07T09:00:00"}, {"TZ", "Asia/Seoul"},
                                              {"KALMENO_REGISTRY", dir.file("no-registry.reg")}};
    for (const auto& [name, value] : env) all[name] = value;
    const e2e::RunResult run = e2e::Run("/bin/sh", {"-c", command}, all);
    SyncRun result{run.exitCode, e2e::ReadBytes(dir.file("out")), e2e::ReadBytes(dir.file("err"))};
    fs::remove(dir.file("out"));
    fs::remove(dir.file("err"));
    return result;
  }

  // "2026-12-20 10:00 f0 치과/메모" for each entry, sorted.
  std::vector<std::string> Entries() const {
    const std::string bytes = e2e::ReadBytes(data);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at + SCHEDULE_RECORD_SIZE <= bytes.size(); at += SCHEDULE_RECORD_SIZE) {
      const ScheduleEntry e = ScheduleEntryFromBytes(reinterpret_cast<const unsigned char*>(bytes.data() + at));
      const std::u16string title = ScheduleTitleText(e), memo = ScheduleMemoText(e);
      char when[64];
      std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d f%x ", e.wYear, e.wMonth, e.wDay, e.wHour, e.wMinute,
                    e.wFlags);
      lines.push_back(when + KpToUtf8(title.c_str(), int(title.size())) + "/" + KpToUtf8(memo.c_str(), int(memo.size())));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  void RemoveEntry(const std::string& title) {
    std::string bytes = e2e::ReadBytes(data), kept;
    for (std::size_t at = 0; at + SCHEDULE_RECORD_SIZE <= bytes.size(); at += SCHEDULE_RECORD_SIZE) {
      const ScheduleEntry e = ScheduleEntryFromBytes(reinterpret_cast<const unsigned char*>(bytes.data() + at));
      if (KpToUtf8(ScheduleTitleText(e).c_str()) != title) kept += bytes.substr(at, SCHEDULE_RECORD_SIZE);
    }
    e2e::WriteBytes(data, kept);
  }
  void AddEntry(const std::string& record) { e2e::WriteBytes(data, e2e::ReadBytes(data) + record); }

  // The object files, by name.
  std::map<std::string, std::string> Objects() const {
    std::map<std::string, std::string> objects;
    for (const auto& item : fs::directory_iterator(folder))
      if (item.path().extension() == ".ics") objects[item.path().filename()] = e2e::ReadBytes(item.path());
    return objects;
  }
  // The object whose text holds `text`.
  std::string ObjectWith(const std::string& text) const {
    for (const auto& [name, body] : Objects())
      if (body.find(text) != std::string::npos) return folder + "/" + name;
    return {};
  }
  void EditObject(const std::string& holding, const std::string& from, const std::string& to) {
    const std::string path = ObjectWith(holding);
    ASSERT_FALSE(path.empty()) << holding;
    std::string body = e2e::ReadBytes(path);
    ASSERT_NE(body.find(from), std::string::npos) << body;
    body.replace(body.find(from), from.size(), to);
    e2e::WriteBytes(path, body);
  }
};

std::string Object(const std::string& uid, const std::string& lines) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//elsewhere//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
         "\r\nDTSTAMP:20261201T000000Z\r\n" + lines + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

// Every file under the folder with its inode and modification time: what a run that changes
// nothing must leave exactly as it was.
std::map<std::string, std::string> Stamps(const std::string& folder) {
  std::map<std::string, std::string> stamps;
  for (const auto& item : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    lstat(item.path().c_str(), &info);
    stamps[item.path()] = std::to_string(info.st_ino) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
                          std::to_string(info.st_mtim.tv_nsec);
  }
  return stamps;
}

const std::string kDentist = Record(2026, 12, 20, 10, 0, 0, u"치과");
const std::string kChuseok = Record(2025, 8, 15, 0, 0, kLunar | kYearly | kHoliday, u"추석");
const std::string kMeeting = Record(2026, 12, 21, 9, 0, 0, u"회의", u"3층\r\n회의실");

struct Step {
  const char* what;
  std::function<void(Sides&)> change;      // on either side, or both
  std::vector<std::string> entries;        // the data file's entries after the sync
  std::size_t objects;                     // object files after the sync
  const char* reported;                    // part of standard output
};

TEST(Sync, EachSideTakesTheOthersChangesAndAChangeOnBothSidesKeepsBothVersions) {
  Sides sides;
  e2e::WriteBytes(sides.data, kDentist + kChuseok + kMeeting);
  ASSERT_EQ(sides.Sync().exitCode, 0);
  const std::map<std::string, std::string> first = sides.Objects();
  ASSERT_EQ(first.size(), 3u);
  for (const auto& [name, body] : first)
    EXPECT_NE(body.find("UID:" + name.substr(0, name.size() - 4) + "\r\n"), std::string::npos) << "named after its UID";
  EXPECT_NE(sides.ObjectWith("DESCRIPTION:3층\\n회의실"), "") << "a memo's line break stays a line break";

  const Step steps[] = {
      {"a memo changed in Kalmeno (removed and added) updates the same object",
       [](Sides& s) { s.RemoveEntry("회의"), s.AddEntry(Record(2026, 12, 21, 14, 0, 0, u"회의", u"4층")); },
       {"2025-08-15 00:00 f111 추석/", "2026-12-20 10:00 f0 치과/", "2026-12-21 14:00 f0 회의/4층"}, 3, "폴더에서 고침: '회의'"},
      {"an entry removed in Kalmeno removes its object", [](Sides& s) { s.RemoveEntry("치과"); },
       {"2025-08-15 00:00 f111 추석/", "2026-12-21 14:00 f0 회의/4층"}, 2, "폴더에서 지움: '치과'"},
      {"an object removed elsewhere removes its entry", [](Sides& s) { fs::remove(s.ObjectWith("SUMMARY:회의")); },
       {"2025-08-15 00:00 f111 추석/"}, 1, "Kalmeno에서 지움"},
      {"an object changed elsewhere updates its entry",
       [](Sides& s) { s.EditObject("SUMMARY:추석", "SUMMARY:추석", "SUMMARY:추석 명절"); },
       {"2025-08-15 00:00 f111 추석 명절/"}, 1, "Kalmeno에서 고침: '추석 명절'"},
      {"changed on both sides: the folder's version takes the object, Kalmeno's becomes one of its own",
       [](Sides& s) {
         s.RemoveEntry("추석 명절"), s.AddEntry(Record(2025, 8, 15, 0, 0, kLunar | kYearly | kHoliday, u"추석 명절", u"성묘"));
         s.EditObject("SUMMARY:추석 명절", "SUMMARY:추석 명절", "SUMMARY:한가위");
       },
       {"2025-08-15 00:00 f111 추석 명절/성묘", "2025-08-15 00:00 f111 한가위/"}, 2, "양쪽에서 고쳐져 둘 다 남김"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(sides);
    const SyncRun run = sides.Sync();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(step.reported), std::string::npos) << run.out;
    EXPECT_EQ(sides.Entries(), step.entries);
    EXPECT_EQ(sides.Objects().size(), step.objects);
    EXPECT_EQ(sides.Sync().out, "") << "a second run finds nothing to do";
  }
}

TEST(Sync, ASecondRunWithNothingChangedTouchesNoFileAndALostStateMakesNoDuplicates) {
  Sides sides;
  e2e::WriteBytes(sides.data, kDentist + kChuseok + kMeeting + kMeeting);
  ASSERT_EQ(sides.Sync().exitCode, 0);
  EXPECT_EQ(sides.Objects().size(), 4u) << "two identical entries stay two";
  const std::map<std::string, std::string> before = Stamps(sides.dir.path());
  const SyncRun again = sides.Sync();
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(Stamps(sides.dir.path()), before);

  for (const char* state : {"", "kalmeno-sync 1\ngarbage\n"}) {
    SCOPED_TRACE(*state ? "a damaged state" : "a lost state");
    for (const auto& item : fs::directory_iterator(sides.dir.path()))
      if (item.path().filename().string().starts_with("qmrv.dat.sync-")) {
        if (*state) e2e::WriteBytes(item.path(), state);
        else fs::remove(item.path());
      }
    const std::vector<std::string> entries = sides.Entries();
    const std::map<std::string, std::string> objects = sides.Objects();
    const SyncRun run = sides.Sync();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(sides.Entries(), entries);
    EXPECT_EQ(sides.Objects(), objects);
  }
}

struct Import {
  const char* what;
  std::string lines;         // the event's lines after UID and DTSTAMP
  const char* entry;         // as Sides::Entries() shows it
  const char* notKept;       // part of standard error, or ""
};

TEST(Sync, ObjectsMadeElsewhereBecomeEntriesAndKeepWhatAnEntryCannotHold) {
  const Import imports[] = {
      {"one-time, floating", "DTSTART:20261224T190000\r\nSUMMARY:성탄 전야\r\n", "2026-12-24 19:00 f0 성탄 전야/", ""},
      {"with a time zone, in local time", "DTSTART:20261224T010000Z\r\nSUMMARY:통화\r\n", "2026-12-24 10:00 f0 통화/", ""},
      {"all day", "DTSTART;VALUE=DATE:20261231\r\nSUMMARY:휴가\r\n", "2026-12-31 00:00 f0 휴가/", "하루 종일"},
      {"yearly solar, a holiday", "DTSTART:20260301T000000\r\nRRULE:FREQ=YEARLY\r\nCATEGORIES:휴일\r\nSUMMARY:삼일절\r\n",
       "2026-03-01 00:00 f110 삼일절/", ""},
      {"yearly lunar by RSCALE", "DTSTART:20260925T000000\r\nRRULE:RSCALE=DANGI;FREQ=YEARLY;BYMONTH=8;BYMONTHDAY=15\r\nSUMMARY:한가위\r\n",
       "2026-08-15 00:00 f11 한가위/", ""},
      {"a long title and description, a place and an alarm",
       "DTSTART:20261226T120000\r\nSUMMARY:동창회 송년 모임 강남역 근처\r\nLOCATION:강남역\r\n"
       "DESCRIPTION:1234567890123456789012345678901234567890\r\n"
       "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\nDESCRIPTION:곧\r\nEND:VALARM\r\n",
       "2026-12-26 12:00 f0 동창회 송년 모임 /123456789012345678901234567890", "제목의 10자 뒤, 설명의 30자 뒤, 장소, 알림"},
  };
  for (const Import& import : imports) {
    SCOPED_TRACE(import.what);
    Sides sides;
    e2e::WriteBytes(sides.data, "");
    const std::string object = Object("elsewhere-1", import.lines);
    e2e::WriteBytes(sides.folder + "/elsewhere-1.ics", object);
    const SyncRun run = sides.Sync();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(sides.Entries(), std::vector<std::string>{import.entry});
    EXPECT_NE(run.err.find(import.notKept), std::string::npos) << run.err;
    EXPECT_EQ(e2e::ReadBytes(sides.folder + "/elsewhere-1.ics"), object) << "the object is not rewritten";

    // A memo changed in Kalmeno rewrites the description alone.
    std::string changed = e2e::ReadBytes(sides.data);
    changed.replace(36, 4, std::string("\x54\xba\x00\x00", 4));  // memo "메"
    e2e::WriteBytes(sides.data, changed);
    EXPECT_EQ(sides.Sync().exitCode, 0);
    const std::string rewritten = e2e::ReadBytes(sides.folder + "/elsewhere-1.ics");
    EXPECT_NE(rewritten.find("DESCRIPTION:메"), std::string::npos) << rewritten;
    for (const char* kept : {"UID:elsewhere-1", "SUMMARY:", "LOCATION:", "BEGIN:VALARM", "DTSTART"}) {
      const std::string::size_type at = object.find(kept);
      if (at == std::string::npos) continue;
      const std::string line = object.substr(at, object.find("\r\n", at) - at);
      EXPECT_NE(rewritten.find(line), std::string::npos) << line << " kept in\n" << rewritten;
    }
  }
}

struct Bad {
  const char* what;
  std::function<std::vector<std::string>(Sides&)> setUp;  // the arguments
  int exitCode;
  const char* says;                                       // part of standard error
};

TEST(Sync, BadInputGetsAClearMessageAndNothingIsLost) {
  const std::string garbage = "BEGIN:VCALENDAR\r\nthis is not\x01 a calendar";
  const Bad cases[] = {
      {"no folder given", [](Sides&) { return std::vector<std::string>{}; }, 2, "폴더를 주세요"},
      {"an unknown option", [](Sides& s) { return std::vector<std::string>{"--frobnicate", s.folder}; }, 2, "알 수 없는 옵션"},
      {"--from after --to", [](Sides& s) { return std::vector<std::string>{"--from", "2030", "--to", "2029", s.folder, s.data}; }, 2, "보다 뒤입니다"},
      {"a missing folder", [](Sides& s) { return std::vector<std::string>{s.dir.file("nowhere"), s.data}; }, 1, "폴더가 없습니다"},
      {"a file for the folder", [](Sides& s) { return std::vector<std::string>{s.data, s.data}; }, 1, "폴더가 아닙니다"},
      {"a FIFO for the data file",
       [](Sides& s) {
         fs::remove(s.data);
         mkfifo(s.data.c_str(), 0600);
         return std::vector<std::string>{s.folder, s.data};
       },
       1, "일반 파일이 아닙니다"},
      {"Kalmeno running on the data file",
       [](Sides& s) {
         s.claim = ClaimDataFileOfProgram(KpHandheldPath(s.dir.file("kalmeno")).c_str());
         return std::vector<std::string>{s.folder, s.data};
       },
       1, "Kalmeno가 이 일정 파일로 실행 중입니다"},
      {"a folder emptied after a sync",
       [](Sides& s) {
         s.Sync();
         for (const auto& [name, body] : s.Objects()) fs::remove(s.folder + "/" + name);
         return std::vector<std::string>{s.folder, s.data};
       },
       1, "객체가 폴더에 하나도 없어 아무것도 하지 않습니다"},
      {"a malformed object and files that are not objects",
       [garbage](Sides& s) {
         e2e::WriteBytes(s.folder + "/broken.ics", garbage);
         e2e::WriteBytes(s.folder + "/notes.txt", "mine");
         e2e::WriteBytes(s.folder + "/.hidden.ics", Object("hidden", "DTSTART:20261201T000000\r\nSUMMARY:x\r\n"));
         fs::create_directory(s.folder + "/sub.ics");
         return std::vector<std::string>{s.folder, s.data};
       },
       0, "broken.ics: 건너뜁니다"},
  };
  for (const Bad& bad : cases) {
    SCOPED_TRACE(bad.what);
    Sides sides;
    e2e::WriteBytes(sides.data, kDentist + kChuseok);
    const std::vector<std::string> args = bad.setUp(sides);
    const std::vector<std::string> entries = fs::is_regular_file(sides.data) ? sides.Entries() : std::vector<std::string>{};
    const std::map<std::string, std::string> objects = sides.Objects();
    const SyncRun run = sides.Sync(args.empty() ? std::vector<std::string>{"--dry-run"} : args);
    EXPECT_EQ(run.exitCode, bad.exitCode) << run.err;
    EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("kalmeno-sync: ", 0), 0u) << run.err;
    if (fs::is_regular_file(sides.data)) {
      EXPECT_EQ(sides.Entries(), entries) << "no entry lost or added";
    }
    if (bad.exitCode != 0) {
      EXPECT_EQ(sides.Objects(), objects) << "no object written or removed";
    }
  }
  Sides sides;
  e2e::WriteBytes(sides.folder + "/broken.ics", garbage);
  e2e::WriteBytes(sides.data, kDentist);
  sides.Sync();
  EXPECT_EQ(e2e::ReadBytes(sides.folder + "/broken.ics"), garbage) << "a malformed object is never changed or removed";
}

TEST(Sync, ADryRunListsBothSidesChangesAndTouchesNothing) {
  Sides sides;
  e2e::WriteBytes(sides.data, kDentist);
  e2e::WriteBytes(sides.folder + "/elsewhere.ics", Object("elsewhere", "DTSTART:20261201T090000\r\nSUMMARY:병원\r\n"));
  const std::map<std::string, std::string> before = Stamps(sides.dir.path());
  const SyncRun run = sides.Sync({"--dry-run", sides.folder, sides.data});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("(--dry-run) 폴더에 새로 씀: '치과'"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("(--dry-run) Kalmeno에 추가: '병원'"), std::string::npos) << run.out;
  EXPECT_EQ(Stamps(sides.dir.path()), before);
}

}  // namespace
