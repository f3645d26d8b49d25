#include "shell/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace plandesk {

DataFolderStatus prepare_data_folder(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return {};
  if (fs::exists(folder, ec)) return {false, "数据目录不是文件夹：" + folder.string()};
  const fs::path parent = folder.parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  if (::mkdir(folder.c_str(), S_IRWXU) != 0 && !fs::is_directory(folder, ec))
    return {false, "无法建立数据目录 " + folder.string() + "：" + std::strerror(errno)};
  return {};
}

}  // namespace plandesk
