#pragma once

#include <map>
#include <string>

#include "data/record_store.h"

namespace tallyra {

class TableFile;

// The store's side of the daily backups: after a committed change of a table, the
// day's first backup of it (TableBackups beside the file), a failure reported once.
class DailyBackup final {
 public:
  void SetPolicy(BackupPolicy policy);
  // A change of the table at `path` (resolved, '/' separators) was committed.
  void AfterChange(const std::string& path, TableFile& file);

 private:
  BackupPolicy policy_;
  bool failureReported_ = false;
  std::map<std::string, std::string> backedUpDay_;  // path -> the day of its last backup
};

}  // namespace tallyra
