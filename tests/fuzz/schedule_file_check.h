#pragma once
// One check of the schedule layer against arbitrary bytes as a data file: load them, ask for
// every day of a year, and verify what a month view relies on. Shared by the libFuzzer target
// and the corpus replay test; aborts with a message when a property fails.
#include <cstddef>
#include <cstdint>

void CheckScheduleFileBytes(const std::uint8_t* data, std::size_t size);
