#include "data/daily_backup.h"

#include <utility>

#include "data/table_backups.h"
#include "data/table_file.h"
#include "data/table_path.h"

namespace tallyra {

void DailyBackup::SetPolicy(BackupPolicy policy) { policy_ = std::move(policy); }

void DailyBackup::AfterChange(const std::string& path, TableFile& file) {
  if (!policy_.today) return;
  const std::string day = policy_.today();
  std::string& done = backedUpDay_[path];
  if (done == day) return;
  TableBackups backups(path.substr(0, path.find_last_of('/')));
  const std::string name = FileNameOf(path);
  // Another program may have made the day's backup already.
  if (!backups.Has(day, name)) {
    std::string error;
    if (file.CopyTo(backups.PathFor(day, name), &error) != kStoreOk) {
      // Tried again at the next change; the operator hears of it once.
      if (!failureReported_ && policy_.reportFailure) {
        failureReported_ = true;
        policy_.reportFailure(error);
      }
      return;
    }
    backups.Prune(day);
  }
  done = day;
}

}  // namespace tallyra
