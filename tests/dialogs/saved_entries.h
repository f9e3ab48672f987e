#pragma once
// Reads back the data file the program wrote, field by field, as the file format lays it out.
#include <string>
#include <vector>

struct SavedEntry {
  int year, month, day, hour, minute, second, flags;
  std::u16string titleField;  // all 11 units, terminator and what follows included
  std::u16string memoField;   // all 31 units
  std::u16string Title() const { return titleField.substr(0, titleField.find(u'\0')); }
  std::u16string Memo() const { return memoField.substr(0, memoField.find(u'\0')); }
};

// Every 98-byte record of the file (an empty list for a missing or empty file).
std::vector<SavedEntry> ReadSavedEntries(const std::string& path);
