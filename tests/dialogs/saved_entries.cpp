#include "tests/dialogs/saved_entries.h"

#include "tests/support/e2e.h"

namespace {
int Word(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}
std::u16string Units(const std::string& bytes, size_t at, size_t count) {
  std::u16string text;
  for (size_t i = 0; i < count; ++i) text += static_cast<char16_t>(Word(bytes, at + 2 * i));
  return text;
}
}  // namespace

std::vector<SavedEntry> ReadSavedEntries(const std::string& path) {
  const std::string bytes = e2e::Exists(path) ? e2e::ReadBytes(path) : std::string();
  std::vector<SavedEntry> entries;
  for (size_t at = 0; at + 98 <= bytes.size(); at += 98)
    entries.push_back({Word(bytes, at), Word(bytes, at + 2), Word(bytes, at + 4), Word(bytes, at + 6),
                       Word(bytes, at + 8), Word(bytes, at + 10), Word(bytes, at + 12), Units(bytes, at + 14, 11),
                       Units(bytes, at + 36, 31)});
  return entries;
}
