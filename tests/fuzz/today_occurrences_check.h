#pragma once
// One check of the Today item's occurrence lists against arbitrary bytes: the first four bytes
// pick today's date, the rest are records of the data file. Shared by the libFuzzer target and
// the corpus replay test; aborts with a message when a property fails. The painting needs the
// platform's Qt drawing and is left to the end-to-end tests.
#include <cstddef>
#include <cstdint>

void CheckTodayOccurrenceBytes(const std::uint8_t* data, std::size_t size);
