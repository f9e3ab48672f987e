#pragma once
// Small helpers for the core tests: a scratch folder, whole-file reads and writes, and
// UTF-16 literals compared as UTF-8 so failures print readably.
#include <string>

#include "tests/support/temp_dir.h"
#include "windows.h"

class ScratchFolder : public TempDir {
 public:
  ScratchFolder() : TempDir("kp-core") {}
  // The same file in the handheld's form, with backslashes.
  std::u16string handheld(const std::string& name) const;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
std::string Utf8(const std::u16string& text);
// Runs `body` in a forked child and returns its exit code (or 128 + signal).
int RunInChild(int (*body)(void*), void* context);
