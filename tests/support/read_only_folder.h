#pragma once

#include <filesystem>
#include <vector>

namespace tallyra {

// Makes a folder and the files in it read-only for this process while it lives, as a
// read-only share or a folder without write permission is; with `filesToo` false the
// files stay writable and only nothing can be created beside them. The super-user may write
// anywhere, so under it the process also takes the identity of "nobody" meanwhile (the
// folders from `root` down to `folder` are opened to it for reading). Not on Windows:
// Supported() says whether it works here.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder(const std::filesystem::path& root, const std::filesystem::path& folder,
                 bool filesToo = true);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  static bool Supported();

 private:
  struct Saved {
    std::filesystem::path path;
    std::filesystem::perms perms;
  };
  std::vector<Saved> saved_;
  bool switchedUser_ = false;
};

}  // namespace tallyra
