#pragma once
// One check of the converter's command line against arbitrary bytes: the bytes are split into
// arguments at NUL and newline bytes, parsed, and (when the parse says what to print) printed as
// the program would. Shared by the libFuzzer target and the corpus replay test; aborts with a
// message when a property fails.
#include <cstddef>
#include <cstdint>

void CheckLunarArgumentBytes(const std::uint8_t* data, std::size_t size);
