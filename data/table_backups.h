#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tallyra {

// A backup of one table file: where it is and the day it was made ("YYYY-MM-DD").
struct TableBackup {
  std::string path;
  std::string day;
};

// The daily backups of the table files of one folder: FOLDER/backup/YYYY-MM-DD/NAME.
// A file there is always a whole, checked copy (see CopyTableFile); copies that never
// finished keep their temporary name and are never taken for a backup.
class TableBackups final {
 public:
  static constexpr int kKeptDays = 30;

  // tableFolder: the folder of the table files (the data folder, bsf).
  explicit TableBackups(std::string tableFolder);

  std::string Folder() const;
  std::string PathFor(const std::string& day, const std::string& fileName) const;
  bool Has(const std::string& day, const std::string& fileName) const;
  // Keeps the newest kKeptDays day folders that hold a backup and removes older ones, and
  // removes unfinished copies in every day folder but `today` (one may be in progress).
  void Prune(const std::string& today) const;
  // The days that have a folder, newest first.
  std::vector<std::string> Days() const;
  // The newest backup of the file that passes TableFile::Check as a file of its table
  // (a backup of another table under this name is passed over), if there is one.
  std::optional<TableBackup> NewestSound(const std::string& fileName) const;

 private:
  std::string tableFolder_;
};

// Puts a backup in place of a damaged table file: the damaged file is renamed to
// "NAME.damaged-STAMP" (stamp "YYYYMMDD-HHMMSS") in its folder, never deleted, and the
// backup is copied in through a temporary name, and only when it checks out as a file of
// this table (never another table's). On failure nothing is lost: the damaged
// file is where it was. kStoreOk, else kStoreIoError with a reason naming the files;
// *movedTo gets the damaged file's new path.
int RestoreTableFile(const std::string& tablePath, const TableBackup& backup,
                     const std::string& stamp, std::string* movedTo, std::string* error);

}  // namespace tallyra
