#pragma once
// One schedule entry: the same 98-byte record in memory and in the data file.
//
//   offset  0  wYear   -+
//           2  wMonth   |  date: Gregorian, or Korean lunar when SCHEDULE_LUNAR is set
//           4  wDay    -+
//           6  wHour, 8 wMinute, 10 wSecond
//          12  wFlags      SCHEDULE_LUNAR | SCHEDULE_YEARLY | SCHEDULE_HOLIDAY
//          14  szTitle     11 UTF-16 units: up to 10 characters and a terminator
//          36  szMemo      31 UTF-16 units: up to 30 characters and a terminator
//          98  (end)
//
// In the file every integer is little-endian and text is UTF-16LE. Records go to and from
// bytes only through ScheduleEntryToBytes / ScheduleEntryFromBytes, which spell the byte order
// out, so nothing depends on the host's. Every field is a 16-bit unit, so the struct has no
// padding without any packing pragma (which would make &entry.szTitle an unaligned pointer).
#include <cstddef>
#include <string>
#include <vector>

#include "windef.h"

#define SCHEDULE_LUNAR 0x0001
#define SCHEDULE_YEARLY 0x0010
#define SCHEDULE_HOLIDAY 0x0100

constexpr int SCHEDULE_TITLE_UNITS = 11;
constexpr int SCHEDULE_MEMO_UNITS = 31;
constexpr std::size_t SCHEDULE_RECORD_SIZE = 98;

struct ScheduleEntry {
  WORD wYear;
  WORD wMonth;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wFlags;
  WCHAR szTitle[SCHEDULE_TITLE_UNITS];
  WCHAR szMemo[SCHEDULE_MEMO_UNITS];
};
static_assert(sizeof(ScheduleEntry) == SCHEDULE_RECORD_SIZE, "a record is 98 bytes with no padding");
static_assert(offsetof(ScheduleEntry, wFlags) == 12 && offsetof(ScheduleEntry, szTitle) == 14 &&
                  offsetof(ScheduleEntry, szMemo) == 36,
              "fields stand where the file has them");

void ScheduleEntryToBytes(const ScheduleEntry& entry, unsigned char bytes[SCHEDULE_RECORD_SIZE]);
ScheduleEntry ScheduleEntryFromBytes(const unsigned char bytes[SCHEDULE_RECORD_SIZE]);
// Makes `entries` hold one entry per whole record of `bytes`, in order; a trailing fragment
// shorter than a record is ignored.
void ScheduleEntriesFromBytes(const std::vector<unsigned char>& bytes, std::vector<ScheduleEntry>& entries);

// The text of a field: up to its first terminator, or the whole field when a damaged record has
// none. Code that shows a title or memo reads it through these, never past the field.
std::u16string ScheduleTitleText(const ScheduleEntry& entry);
std::u16string ScheduleMemoText(const ScheduleEntry& entry);
