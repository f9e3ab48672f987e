#pragma once
// The data file's records, read as bytes, turned into entries.
#include <vector>

#include "schedule/schedule_entry.h"

// Empties `entries`, then appends one entry per whole 98-byte record of `bytes`, in order; a
// trailing fragment shorter than a record is ignored.
void EntriesFromBytes(const std::vector<unsigned char>& bytes, std::vector<ScheduleEntry>& entries);
