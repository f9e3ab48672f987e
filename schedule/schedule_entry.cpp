#include "schedule/schedule_entry.h"

namespace {

void PutWord(unsigned char*& out, WORD value) {
  *out++ = static_cast<unsigned char>(value & 0xFF);
  *out++ = static_cast<unsigned char>(value >> 8);
}

WORD GetWord(const unsigned char*& in) {
  WORD value = static_cast<WORD>(in[0] | (in[1] << 8));
  in += 2;
  return value;
}

std::u16string FieldText(const WCHAR* field, int units) {
  int length = 0;
  while (length < units && field[length]) ++length;
  return std::u16string(field, field + length);
}

}  // namespace

void ScheduleEntryToBytes(const ScheduleEntry& entry, unsigned char bytes[SCHEDULE_RECORD_SIZE]) {
  unsigned char* out = bytes;
  for (WORD value : {entry.wYear, entry.wMonth, entry.wDay, entry.wHour, entry.wMinute, entry.wSecond, entry.wFlags})
    PutWord(out, value);
  for (WCHAR unit : entry.szTitle) PutWord(out, unit);
  for (WCHAR unit : entry.szMemo) PutWord(out, unit);
}

ScheduleEntry ScheduleEntryFromBytes(const unsigned char bytes[SCHEDULE_RECORD_SIZE]) {
  const unsigned char* in = bytes;
  ScheduleEntry entry;
  entry.wYear = GetWord(in);
  entry.wMonth = GetWord(in);
  entry.wDay = GetWord(in);
  entry.wHour = GetWord(in);
  entry.wMinute = GetWord(in);
  entry.wSecond = GetWord(in);
  entry.wFlags = GetWord(in);
  for (WCHAR& unit : entry.szTitle) unit = GetWord(in);
  for (WCHAR& unit : entry.szMemo) unit = GetWord(in);
  return entry;
}

void ScheduleEntriesFromBytes(const std::vector<unsigned char>& bytes, std::vector<ScheduleEntry>& entries) {
  entries.resize(bytes.size() / SCHEDULE_RECORD_SIZE);
  for (size_t i = 0; i < entries.size(); ++i) entries[i] = ScheduleEntryFromBytes(bytes.data() + i * SCHEDULE_RECORD_SIZE);
}

std::u16string ScheduleTitleText(const ScheduleEntry& entry) { return FieldText(entry.szTitle, SCHEDULE_TITLE_UNITS); }
std::u16string ScheduleMemoText(const ScheduleEntry& entry) { return FieldText(entry.szMemo, SCHEDULE_MEMO_UNITS); }
