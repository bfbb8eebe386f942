#include "tests/support/read_only_folder.h"

#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tallyra {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
constexpr uid_t kNobody = 65534;
#endif

}  // namespace

bool ReadOnlyFolder::Supported() {
#ifdef _WIN32
  return false;
#else
  return true;
#endif
}

ReadOnlyFolder::ReadOnlyFolder(const fs::path& root, const fs::path& folder, bool filesToo) {
#ifndef _WIN32
  std::error_code ec;
  const auto keep = [&](const fs::path& path) {
    saved_.push_back({path, fs::status(path, ec).permissions()});
  };
  const fs::perms readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
  for (fs::path path = folder.parent_path(); !path.empty(); path = path.parent_path()) {
    keep(path);
    fs::permissions(path, readable, fs::perm_options::add, ec);
    if (path == root || path == path.parent_path()) break;
  }
  const fs::perms writable =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    keep(entry.path());
    fs::permissions(entry.path(), fs::perms::others_read, fs::perm_options::add, ec);
    fs::permissions(entry.path(), writable,
                    filesToo ? fs::perm_options::remove : fs::perm_options::add, ec);
  }
  keep(folder);
  fs::permissions(folder, readable, fs::perm_options::add, ec);
  fs::permissions(folder, writable, fs::perm_options::remove, ec);
  if (geteuid() == 0) switchedUser_ = seteuid(kNobody) == 0;
#else
  (void)root;
  (void)folder;
  (void)filesToo;
#endif
}

ReadOnlyFolder::~ReadOnlyFolder() {
#ifndef _WIN32
  if (switchedUser_ && seteuid(0) != 0) return;
  std::error_code ec;
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    fs::permissions(it->path, it->perms, fs::perm_options::replace, ec);
  }
#endif
}

}  // namespace tallyra
