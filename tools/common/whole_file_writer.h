#pragma once
// Writing a file whole or not at all: the text goes to a new temporary file beside the target
// (created here, a hidden name of its own), is flushed to disk, and only then takes the target's
// name. Until then, and on any failure, the target is what it was; the temporary is removed.
#include <string>
#include <string_view>

namespace tool_files {

class WholeFileWriter {
 public:
  WholeFileWriter() = default;
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter();  // removes the temporary unless committed

  // Starts a file that is to become `target`. A target that is a symbolic link is written through:
  // the file it names is replaced and the link stays. Returns an empty string, or why not (errno's
  // text).
  std::string Begin(const std::string& target);
  // False once any write failed; error() then says why.
  bool Write(std::string_view text);
  // Flushes the temporary and renames it over the target, which keeps its permission bits (a new
  // target gets 0666 less the umask), then flushes the folder. With `mustBeNew`, an existing target
  // is never replaced: the commit fails with EEXIST instead. Returns an empty string, or why not.
  std::string Commit(bool mustBeNew = false);

  // The same in two steps, for many files at once: Finish gives the temporary its permissions and
  // closes it (flushed to disk only with `flush`: a caller writing many files flushes them all
  // with one FlushFileSystem instead); Place then gives it the target's name, and the caller
  // flushes the folder once with FlushFolder.
  std::string Finish(bool flush);
  std::string Place(bool mustBeNew);

  const std::string& error() const { return m_error; }
  // The errno of the first failure (EFBIG past a file-size limit), or 0.
  int errorCode() const { return m_errorCode; }

 private:
  void Abandon();

  std::string m_target;     // the path the file takes (a link's target already resolved)
  std::string m_temporary;  // empty when there is none (any more)
  int m_fd = -1;            // open until Finish
  std::string m_error;
  int m_errorCode = 0;
};

// Flushes every file written on the file system that holds `folder`; flushes the folder itself.
void FlushFileSystem(const std::string& folder);
void FlushFolder(const std::string& folder);

}  // namespace tool_files
