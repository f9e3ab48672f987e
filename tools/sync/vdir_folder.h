#pragma once
// The vdir folder: one calendar object per `.ics` file. Only regular files named *.ics (not
// hidden) are objects; everything else in the folder (other files, sub-folders, temporaries of
// other programs) is left alone.
#include <string>
#include <vector>

namespace sync_tool {

struct FolderFile {
  std::string name;  // file name within the folder
  std::string tag;   // changes whenever the file is replaced or written: device, inode, size, time
};

// The object files of `folder`, by name. `error` is set (and the list empty) when the folder
// cannot be listed.
std::vector<FolderFile> ListObjectFiles(const std::string& folder, std::string& error);

// The file's text; an error when it cannot be read, is not a regular file, or is larger than an
// object can sensibly be (a few megabytes).
std::string ReadObjectFile(const std::string& folder, const std::string& name, std::string& text);

// The tag of one file, or empty when it is gone.
std::string FileTag(const std::string& folder, const std::string& name);

// A file name for a new object of this UID: the UID itself when it is a plain name, else a hash.
std::string ObjectFileName(const std::string& uid);

}  // namespace sync_tool
