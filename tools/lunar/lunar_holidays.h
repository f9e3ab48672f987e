#pragma once
// The converter's lists of public holidays and solar terms of a year, in date order.
#include <string>

namespace lunar_tool {

// Appends one line per holiday of the year (2000..2043); false, with nothing appended, for a
// year outside it.
//   tsv:   YYYY-MM-DD  NAME
//   human: 2025-10-08 (수) 대체공휴일(추석)
bool AppendHolidayLines(int year, bool tsv, std::string& out);

// Appends one line per solar term of the year (1841..2043) with its moment in Korean time; false,
// with nothing appended, for a year outside it.
//   tsv:   YYYY-MM-DD  HH:MM  NAME
//   human: 2024-02-04 (일) 17:27 입춘
bool AppendTermLines(int year, bool tsv, std::string& out);

}  // namespace lunar_tool
