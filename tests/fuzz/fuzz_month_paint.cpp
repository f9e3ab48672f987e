// libFuzzer entry: arbitrary bytes as the month view's data file, month and taps, then a full
// paint of the program's own month view. Built by run_fuzz.sh through CMake.
#include "tests/fuzz/month_paint_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckMonthPaintBytes(data, size);
  return 0;
}
