#include "tools/sync/sync_state.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace sync_tool {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::string Hex(const ScheduleEntry& entry) {
  unsigned char bytes[SCHEDULE_RECORD_SIZE];
  ScheduleEntryToBytes(entry, bytes);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(2 * SCHEDULE_RECORD_SIZE, '0');
  for (std::size_t i = 0; i < SCHEDULE_RECORD_SIZE; ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0xF];
  }
  return text;
}

bool FromHex(const std::string& text, ScheduleEntry& entry) {
  if (text.size() != 2 * SCHEDULE_RECORD_SIZE) return false;
  auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
  unsigned char bytes[SCHEDULE_RECORD_SIZE];
  for (std::size_t i = 0; i < SCHEDULE_RECORD_SIZE; ++i) {
    const int high = digit(text[2 * i]), low = digit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<unsigned char>(high << 4 | low);
  }
  entry = ScheduleEntryFromBytes(bytes);
  return true;
}

bool ParseYear(const std::string& text, int& year) {
  char* end = nullptr;
  year = static_cast<int>(std::strtol(text.c_str(), &end, 10));
  return !text.empty() && *end == 0;
}

}  // namespace

bool SyncState::operator==(const SyncState& other) const { return StateText(*this) == StateText(other); }

std::string StatePath(const std::string& dataPath, const std::string& folder) {
  unsigned long long hash = 0xcbf29ce484222325ull;
  for (unsigned char c : folder) hash = (hash ^ c) * 0x100000001b3ull;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".sync-%08llx", hash & 0xffffffffull);
  return dataPath + suffix;
}

SyncState ReadState(const std::string& path, const std::string& folder, std::string& problem) {
  SyncState state;
  state.folder = folder;
  std::ifstream file(path, std::ios::binary);
  if (!file) return state;
  std::string line;
  SyncState read;
  bool headed = false, damaged = false;
  while (std::getline(file, line) && !damaged) {
    const std::vector<std::string> f = Fields(line);
    if (!headed) {
      headed = line == "kalmeno-sync 1";
      damaged = !headed;
    } else if (f[0] == "folder" && f.size() == 2) {
      read.folder = f[1];
    } else if (f[0] == "range" && f.size() == 3) {
      damaged = !ParseYear(f[1], read.range.fromYear) || !ParseYear(f[2], read.range.toYear);
    } else if (f[0] == "object" && f.size() == 5 && !f[1].empty() && !f[2].empty()) {
      SyncedObject object{f[1], f[2], f[3], {}};
      damaged = !FromHex(f[4], object.entry);
      read.objects.push_back(object);
    } else if (f[0] == "skip" && f.size() == 3) {
      read.skipped.push_back({f[1], f[2]});
    } else {
      damaged = true;
    }
  }
  if (damaged || !headed || read.folder != folder) {
    problem = path + ": " + (read.folder != folder && !damaged && headed ? "다른 폴더의 동기화 상태입니다" : "동기화 상태가 손상되었습니다") +
              " (처음 동기화하듯 하되, 겹치는 일정은 만들지 않습니다)";
    return state;
  }
  return read;
}

std::string StateText(const SyncState& state) {
  std::ostringstream text;
  text << "kalmeno-sync 1\nfolder\t" << state.folder << "\nrange\t" << state.range.fromYear << '\t'
       << state.range.toYear << '\n';
  for (const SyncedObject& object : state.objects)
    text << "object\t" << object.uid << '\t' << object.file << '\t' << object.tag << '\t' << Hex(object.entry) << '\n';
  for (const SkippedFile& skipped : state.skipped) text << "skip\t" << skipped.file << '\t' << skipped.tag << '\n';
  return text.str();
}

}  // namespace sync_tool
