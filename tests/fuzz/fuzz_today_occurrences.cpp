// libFuzzer entry: arbitrary bytes as today's date and the Today item's records. Built by
// run_fuzz.sh.
#include "tests/fuzz/today_occurrences_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckTodayOccurrenceBytes(data, size);
  return 0;
}
