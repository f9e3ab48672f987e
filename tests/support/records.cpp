#include "tests/support/records.h"

namespace {

void PutWord(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutText(std::string& out, const std::u16string& text, size_t units) {
  for (size_t i = 0; i < units; ++i) PutWord(out, i < text.size() ? text[i] : 0);
}

}  // namespace

std::string Record(int year, int month, int day, int hour, int minute, int flags, const std::u16string& title,
                   const std::u16string& memo, int second) {
  std::string r;
  for (int v : {year, month, day, hour, minute, second, flags}) PutWord(r, v);
  PutText(r, title, 11);
  PutText(r, memo, 31);
  return r;
}
