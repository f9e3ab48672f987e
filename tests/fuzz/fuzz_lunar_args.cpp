// libFuzzer entry: arbitrary bytes as the converter's command line. Built by run_fuzz.sh.
#include "tests/fuzz/lunar_args_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckLunarArgumentBytes(data, size);
  return 0;
}
