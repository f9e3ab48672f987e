// libFuzzer entry: arbitrary bytes as the data file. Built by tests/fuzz/run_fuzz.sh with clang.
#include "tests/fuzz/schedule_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckScheduleFileBytes(data, size);
  return 0;
}
