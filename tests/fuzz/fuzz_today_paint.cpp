// libFuzzer entry: arbitrary bytes as today's date, the item's options and its data file, then a
// refresh and a paint of the real plug-in. Built by run_fuzz.sh through CMake (the plug-in needs
// the platform library).
#include "tests/fuzz/today_paint_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckTodayPaintBytes(data, size);
  return 0;
}
