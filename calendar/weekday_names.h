#pragma once
// The weekdays' one-syllable Korean names: 일 월 화 수 목 금 토, 0 = Sunday .. 6 = Saturday.
// Weekday must be 0..6.

// As UTF-16, for what windows draw.
const char16_t* WeekdayName(int weekday);
// As UTF-8, for text printed to a terminal.
const char* WeekdayNameUtf8(int weekday);
