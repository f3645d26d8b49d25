#pragma once
// The folder of the program's three files (plan database, settings, saved
// login). It holds a password in plain text, so a folder the program creates
// is readable by its owner only, as are the files in it.

#include <filesystem>
#include <string>

namespace plandesk {

struct DataFolderStatus {
  bool ok = true;
  std::string error;  // UTF-8, for the user
};

// Creates the folder (and missing parents) when it does not exist, the
// folder itself with owner-only permissions; an existing folder is used as
// it is. Fails when the path names something that is not a folder.
DataFolderStatus prepare_data_folder(const std::filesystem::path& folder);

}  // namespace plandesk
