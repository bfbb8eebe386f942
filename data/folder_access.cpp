#include "data/folder_access.h"

#include <sodium.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "data/random_hex.h"
#include "data/table_path.h"

namespace tallyra {

bool FolderIsWritable(const std::string& folder) {
  if (sodium_init() < 0) return false;
  const std::filesystem::path probe = PathFromUtf8(folder + "/.tallyra-probe-" + RandomHex(6));
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary);
    created = out.is_open();
  }
  std::error_code ec;
  if (created) std::filesystem::remove(probe, ec);
  return created;
}

std::string ReadOnlyText(const std::string& tablePath) {
  const std::string folder = tablePath.substr(0, tablePath.find_last_of('/'));
  const std::string what =
      FolderIsWritable(folder) ? "表文件“" + tablePath + "”" : "数据文件夹“" + folder + "”";
  return what + "是只读的：程序可以读取其中的数据，但无法保存修改。";
}

}  // namespace tallyra
