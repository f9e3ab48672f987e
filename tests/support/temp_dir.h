#pragma once
// The one way tests make temporary folders.
#include <string>

// A fresh folder $TMPDIR/<prefix>.XXXXXX (/tmp when TMPDIR is not set). It is removed when the
// object goes, unless what it served failed: the test running when it goes, or, for a folder that
// outlives the tests (one per test program), any test of the program. A kept folder is named on
// stderr, so a failure leaves its data, screenshots and trace to look at.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "kalmeno-test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return m_path; }
  std::string file(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// The folder temporary files belong in: $TMPDIR, else /tmp.
std::string TemporaryFilesFolder();
