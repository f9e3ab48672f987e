#pragma once
// One check of the Today item as the Today screen runs it, against arbitrary bytes: the plug-in
// is loaded with LoadLibraryW into this process (on the platform's offscreen screen), the bytes
// become today's date and time, the choices of the options dialog and the data file, and the item
// is refreshed and painted. Shared by the libFuzzer target and the corpus replay test; aborts with
// a message when a property of the painted lines fails.
//
// Bytes 0-3: the date, 4: the time, 5: the lunar-line, list-count and D-day-line choices,
// 6: the D-day entry chosen (255: none), 7: unused; the rest is the data file, written as it is
// (a trailing fragment included).
#include <cstddef>
#include <cstdint>

void CheckTodayPaintBytes(const std::uint8_t* data, std::size_t size);
