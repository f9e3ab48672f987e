#include "entry_bytes.h"

void EntriesFromBytes(const std::vector<unsigned char>& bytes, std::vector<ScheduleEntry>& entries) {
  entries.resize(bytes.size() / SCHEDULE_RECORD_SIZE);
  for (size_t i = 0; i < entries.size(); ++i) entries[i] = ScheduleEntryFromBytes(bytes.data() + i * SCHEDULE_RECORD_SIZE);
}
